#include "dispatchadapter.h"

#include "cad/caderror.h"
#include "cad/com/bstr.h"
#include "cad/com/comdispatchobject.h"
#include "cad/com/wide.h"
#include "cad/ustring.h"

#include <oleauto.h>

namespace cad::com::test {

namespace {

// Asked of an IDispatch to learn whether it is one of ours.
const IID IID_MorvexDispatchAdapter = {0x6d6f7276, 0x6578, 0x4164, {0x61, 0x70, 0x74, 0x65, 0x72, 0x30, 0x30, 0x31}};

HRESULT fail(EXCEPINFO *error, const std::u16string &message)
{
    if (error) {
        *error = EXCEPINFO{};
        error->bstrSource = Bstr(u"Morvex test CAD").release();
        error->bstrDescription = Bstr(message).release();
        error->scode = E_FAIL;
    }
    return DISP_E_EXCEPTION;
}

} // namespace

DISPID ServerState::idOf(const std::u16string &name)
{
    const std::u16string key = asciiUpper(name);
    const auto it = ids.find(key);
    if (it != ids.end())
        return it->second;
    names.push_back(name);
    const DISPID id = DISPID(names.size());
    ids.emplace(key, id);
    return id;
}

const std::u16string *ServerState::nameOf(DISPID id) const
{
    if (id < 1 || size_t(id) > names.size())
        return nullptr;
    return &names[size_t(id) - 1];
}

IDispatch *DispatchAdapter::create(ObjectRef object, std::shared_ptr<ServerState> state)
{
    return new DispatchAdapter(std::move(object), std::move(state));
}

ObjectRef DispatchAdapter::objectOf(IDispatch *dispatch)
{
    DispatchAdapter *adapter = nullptr;
    if (!dispatch || FAILED(dispatch->QueryInterface(IID_MorvexDispatchAdapter, reinterpret_cast<void **>(&adapter))))
        return nullptr;
    ObjectRef object = adapter->m_object;
    adapter->Release();
    return object;
}

DispatchAdapter::DispatchAdapter(ObjectRef object, std::shared_ptr<ServerState> state)
    : m_object(std::move(object))
    , m_state(std::move(state))
{
    ++s_live;
}

DispatchAdapter::~DispatchAdapter()
{
    --s_live;
}

HRESULT STDMETHODCALLTYPE DispatchAdapter::QueryInterface(REFIID riid, void **object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)
        || IsEqualIID(riid, IID_MorvexDispatchAdapter)) {
        *object = static_cast<IDispatch *>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE DispatchAdapter::AddRef()
{
    return ++m_references;
}

ULONG STDMETHODCALLTYPE DispatchAdapter::Release()
{
    const ULONG left = --m_references;
    if (left == 0)
        delete this;
    return left;
}

HRESULT STDMETHODCALLTYPE DispatchAdapter::GetTypeInfoCount(UINT *count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DispatchAdapter::GetTypeInfo(UINT, LCID, ITypeInfo **info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DispatchAdapter::GetIDsOfNames(REFIID, LPOLESTR *names, UINT count, LCID,
                                                         DISPID *ids)
{
    if (!names || !ids)
        return E_POINTER;
    // The names are plain wide strings here (COM's marshalling passes no
    // BSTR length across processes).
    for (UINT i = 0; i < count; ++i)
        ids[i] = m_state->idOf(fromWide(names[i]));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DispatchAdapter::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *params,
                                                  VARIANT *result, EXCEPINFO *error, UINT *)
{
    ++m_state->invokeCount;
    if (m_state->rejectNextCalls > 0) {
        --m_state->rejectNextCalls;
        return RPC_E_CALL_REJECTED;
    }
    const std::u16string *name = m_state->nameOf(id);
    if (!name)
        return DISP_E_MEMBERNOTFOUND;
    if (!params)
        return E_POINTER;

    ServerDispatchBridge bridge(m_state);
    try {
        // The positional arguments come last first; a property put's value
        // is its one named argument, DISPID_PROPERTYPUT.
        const UINT positional = params->cArgs - params->cNamedArgs;
        std::vector<Variant> args;
        args.reserve(positional);
        for (UINT i = 0; i < positional; ++i)
            args.push_back(fromComVariant(params->rgvarg[params->cArgs - 1 - i], bridge));

        Variant value;
        if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
            if (params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
                return DISP_E_PARAMNOTOPTIONAL;
            m_object->put(*name, fromComVariant(params->rgvarg[0], bridge));
        } else if (flags & DISPATCH_METHOD) {
            value = m_object->call(*name, args);
            // Out parameters go back where the caller passed a reference.
            for (UINT i = 0; i < positional; ++i) {
                VARIANT &passed = params->rgvarg[params->cArgs - 1 - i];
                if (V_VT(&passed) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(&passed))
                    toComVariant(args[i], bridge).moveTo(*V_VARIANTREF(&passed));
            }
        } else if (flags & DISPATCH_PROPERTYGET) {
            value = m_object->get(*name, args);
        } else {
            return DISP_E_MEMBERNOTFOUND;
        }
        if (result)
            toComVariant(value, bridge).moveTo(*result);
        return S_OK;
    } catch (const CadError &e) {
        return fail(error, e.message());
    } catch (const std::exception &e) {
        return fail(error, fromUtf8(e.what()));
    }
}

IDispatch *ServerDispatchBridge::exportObject(const ObjectRef &object)
{
    return DispatchAdapter::create(object, m_state);
}

ObjectRef ServerDispatchBridge::importObject(IDispatch *dispatch)
{
    if (ObjectRef own = DispatchAdapter::objectOf(dispatch))
        return own;
    return std::make_shared<ComDispatchObject>(ComPtr<IDispatch>(dispatch));
}

} // namespace cad::com::test
