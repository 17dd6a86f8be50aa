#include "utility.h"

#include "ustring.h"

namespace cad {

bool isPickMember(std::u16string_view member)
{
    return equalsIgnoreAsciiCase(member, u"SelectOnScreen") || equalsIgnoreAsciiCase(member, u"GetSubEntity");
}

SubEntityPick Utility::getSubEntity(const std::u16string &prompt) const
{
    // Out parameters: entity, point, transformation matrix, containers.
    std::vector<Variant> args{Variant(), Variant(), Variant(), Variant(), prompt};
    target().call(u"GetSubEntity", args);
    return SubEntityPick{Entity(args[0].toObject()), toPoint(args[1])};
}

} // namespace cad
