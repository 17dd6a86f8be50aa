#pragma once
// Base of the typed layer: one object of the automation model. The typed
// classes are the only place that spells member names; every command above
// them calls C++ methods.

#include "dispatchobject.h"

namespace cad {

class TypedObject
{
public:
    TypedObject() = default;
    explicit TypedObject(ObjectRef object);

    bool isNull() const { return !m_object; }
    const ObjectRef &object() const { return m_object; }

protected:
    DispatchObject &target() const;
    Variant get(std::u16string_view member) const { return target().get(member); }
    void put(std::u16string_view member, const Variant &value) const { target().put(member, value); }
    Variant call(std::u16string_view member, std::vector<Variant> args = {}) const
    {
        return target().call(member, args);
    }

private:
    ObjectRef m_object;
};

} // namespace cad
