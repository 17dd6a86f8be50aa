#pragma once
// The document's Utility object: interactive picks on the CAD screen.

#include "entity.h"

#include <string_view>

namespace cad {

// Whether a member lets the user pick on the CAD screen: such a call lasts
// as long as the user takes, so no call limit applies to it.
bool isPickMember(std::u16string_view member);

struct SubEntityPick
{
    Entity entity;
    Point point;
};

class Utility : public TypedObject
{
public:
    using TypedObject::TypedObject;
    // Lets the user pick one entity, nested ones (attributes) included.
    // A cancelled pick throws CadError.
    SubEntityPick getSubEntity(const std::u16string &prompt) const;
};

} // namespace cad
