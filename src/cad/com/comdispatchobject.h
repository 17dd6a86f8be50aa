#pragma once
// The late-bound layer over COM: an object of the CAD's automation model
// reached through its IDispatch. Member names are looked up once per object
// (GetIDsOfNames) and invoked as property get, property put (the named
// argument DISPID_PROPERTYPUT) or method. A call the busy CAD rejects is
// repeated as the registered message filter says. Every failure throws
// CadError with the CAD's own description, or the system's message.

#include "comptr.h"
#include "comvariant.h"

#include "cad/dispatchobject.h"

#include <map>
#include <memory>

namespace cad::com {

class ComDispatchObject : public DispatchObject
{
public:
    explicit ComDispatchObject(ComPtr<IDispatch> dispatch);

    Variant get(std::u16string_view member, const std::vector<Variant> &args = {}) override;
    void put(std::u16string_view member, const Variant &value) override;
    Variant call(std::u16string_view member, std::vector<Variant> &args) override;
    using DispatchObject::call;

    IDispatch *dispatch() const { return m_dispatch.Get(); }

private:
    DISPID dispatchId(std::u16string_view member);
    Variant invoke(std::u16string_view member, WORD flags, std::vector<Variant> &args);

    ComPtr<IDispatch> m_dispatch;
    std::map<std::u16string, DISPID> m_ids; // by member name in ASCII upper case
};

// The bridge of a client: every IDispatch received becomes a
// ComDispatchObject; an object passed back to the CAD must be one.
class ClientDispatchBridge : public DispatchBridge
{
public:
    IDispatch *exportObject(const ObjectRef &object) override;
    ObjectRef importObject(IDispatch *dispatch) override;
};

} // namespace cad::com
