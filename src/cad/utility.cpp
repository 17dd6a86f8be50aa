#include "utility.h"

namespace cad {

SubEntityPick Utility::getSubEntity(const std::u16string &prompt) const
{
    // Out parameters: entity, point, transformation matrix, containers.
    std::vector<Variant> args{Variant(), Variant(), Variant(), Variant(), prompt};
    target().call(u"GetSubEntity", args);
    return SubEntityPick{Entity(args[0].toObject()), toPoint(args[1])};
}

} // namespace cad
