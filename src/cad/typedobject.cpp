#include "typedobject.h"

#include "caderror.h"

namespace cad {

TypedObject::TypedObject(ObjectRef object)
    : m_object(std::move(object))
{
}

DispatchObject &TypedObject::target() const
{
    if (!m_object)
        throw CadError(u"no object");
    return *m_object;
}

} // namespace cad
