#include "remoteobject.h"

namespace cad::remote {

RemoteObject::RemoteObject(std::shared_ptr<RemoteConnection> connection, ObjectHandle handle)
    : m_connection(std::move(connection))
    , m_handle(handle)
{
}

RemoteObject::~RemoteObject()
{
    if (m_handle != RootObject)
        m_connection->release(m_handle);
}

Variant RemoteObject::get(std::u16string_view member, const std::vector<Variant> &args)
{
    return m_connection->get(m_handle, member, args);
}

void RemoteObject::put(std::u16string_view member, const Variant &value)
{
    m_connection->put(m_handle, member, value);
}

Variant RemoteObject::call(std::u16string_view member, std::vector<Variant> &args)
{
    return m_connection->call(m_handle, member, args);
}

} // namespace cad::remote
