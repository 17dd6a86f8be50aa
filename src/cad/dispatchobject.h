#pragma once
// The late-bound layer: an object of the CAD's automation model reached by
// member name, as IDispatch does. Names compare case-insensitively. Every
// failure throws CadError.

#include "variant.h"

#include <string_view>
#include <vector>

namespace cad {

class DispatchObject
{
public:
    virtual ~DispatchObject() = default;

    // A property read; `args` are the indices of an indexed property.
    virtual Variant get(std::u16string_view member, const std::vector<Variant> &args = {}) = 0;
    virtual void put(std::u16string_view member, const Variant &value) = 0;
    // A method call. Out parameters (GetSubEntity) are written into `args`.
    virtual Variant call(std::u16string_view member, std::vector<Variant> &args) = 0;

    Variant call(std::u16string_view member)
    {
        std::vector<Variant> none;
        return call(member, none);
    }
    Variant callWith(std::u16string_view member, std::vector<Variant> args)
    {
        return call(member, args);
    }
};

} // namespace cad
