#pragma once
// An object of the stand-in CAD seen through the socket: every get, put and
// call goes to the CAD by member name. It holds one handle of its
// connection and gives it back when it goes away.

#include "remoteconnection.h"

namespace cad::remote {

class RemoteObject : public DispatchObject
{
public:
    RemoteObject(std::shared_ptr<RemoteConnection> connection, ObjectHandle handle);
    ~RemoteObject() override;

    Variant get(std::u16string_view member, const std::vector<Variant> &args = {}) override;
    void put(std::u16string_view member, const Variant &value) override;
    Variant call(std::u16string_view member, std::vector<Variant> &args) override;
    using DispatchObject::call;

    ObjectHandle handle() const { return m_handle; }
    const std::shared_ptr<RemoteConnection> &connection() const { return m_connection; }

private:
    std::shared_ptr<RemoteConnection> m_connection;
    ObjectHandle m_handle;
};

} // namespace cad::remote
