#pragma once
// The document's Utility object: interactive picks on the CAD screen.

#include "entity.h"

namespace cad {

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
