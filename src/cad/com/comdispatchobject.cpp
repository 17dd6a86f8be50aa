#include "comdispatchobject.h"

#include "bstr.h"
#include "comerror.h"
#include "tmessagefilter.h"

#include "cad/caderror.h"
#include "cad/ustring.h"
#include "cad/utility.h"

#include <optional>

namespace cad::com {

namespace {

// A call the CAD turned away because it is busy: the message filter
// decides whether and when it is repeated. (On Windows COM asks the filter
// itself when the CAD's filter says "retry later"; the CAD's own refusal,
// RPC_E_CALL_REJECTED, reaches the caller as it is.)
bool isRejectedAsBusy(HRESULT hr)
{
    return hr == RPC_E_CALL_REJECTED || hr == RPC_E_SERVERCALL_RETRYLATER;
}

// How long to wait before calling again, or nothing to give up.
bool retryDelay(DWORD startedAt, DWORD &milliseconds)
{
    TMessageFilter *filter = TMessageFilter::registeredFilter();
    if (!filter)
        return false;
    const DWORD answer = filter->RetryRejectedCall(nullptr, GetTickCount() - startedAt, SERVERCALL_RETRYLATER);
    if (answer == DWORD(-1))
        return false;
    milliseconds = answer < 100 ? 0 : answer;
    return true;
}

} // namespace

ComDispatchObject::ComDispatchObject(ComPtr<IDispatch> dispatch)
    : m_dispatch(std::move(dispatch))
{
    if (!m_dispatch)
        throw CadError(u"No automation object.");
}

DISPID ComDispatchObject::dispatchId(std::u16string_view member)
{
    std::u16string key = asciiUpper(member);
    const auto known = m_ids.find(key);
    if (known != m_ids.end())
        return known->second;
    Bstr name(member);
    LPOLESTR names[] = {name.get()};
    DISPID id = DISPID_UNKNOWN;
    const DWORD startedAt = GetTickCount();
    HRESULT hr;
    for (;;) {
        hr = m_dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        DWORD wait = 0;
        if (!isRejectedAsBusy(hr) || !retryDelay(startedAt, wait))
            break;
        Sleep(wait);
    }
    if (FAILED(hr)) {
        if (hr == DISP_E_UNKNOWNNAME)
            throw CadError(u"Unknown name: " + std::u16string(member));
        throwComError(hr);
    }
    m_ids.emplace(std::move(key), id);
    return id;
}

Variant ComDispatchObject::invoke(std::u16string_view member, WORD flags, std::vector<Variant> &args)
{
    const DISPID id = dispatchId(member);
    ClientDispatchBridge bridge;

    // IDispatch takes the arguments last first. An empty argument of a
    // method is passed by reference, so that the CAD can fill it (the out
    // parameters of GetSubEntity); a left-out one as DISP_E_PARAMNOTFOUND.
    const size_t n = args.size();
    std::vector<ComVariant> passed(n);
    std::vector<ComVariant> filled(n);
    std::vector<bool> byReference(n, false);
    for (size_t i = 0; i < n; ++i) {
        ComVariant &slot = passed[n - 1 - i];
        if (flags == DISPATCH_METHOD && args[i].type() == Variant::Type::Empty) {
            byReference[i] = true;
            V_VT(&slot.get()) = VT_BYREF | VT_VARIANT;
            V_VARIANTREF(&slot.get()) = &filled[i].get();
        } else {
            slot = toComVariant(args[i], bridge);
        }
    }

    static_assert(sizeof(ComVariant) == sizeof(VARIANT), "the arguments are passed as one array");
    DISPPARAMS params{};
    params.cArgs = UINT(n);
    params.rgvarg = n > 0 ? &passed[0].get() : nullptr;
    DISPID putId = DISPID_PROPERTYPUT;
    if (flags == DISPATCH_PROPERTYPUT) {
        params.cNamedArgs = 1;
        params.rgdispidNamedArgs = &putId;
    }

    ComVariant result;
    const DWORD startedAt = GetTickCount();
    std::optional<TMessageFilter::PickUnderWay> pick;
    if (flags == DISPATCH_METHOD && isPickMember(member))
        pick.emplace();
    for (;;) {
        ExcepInfo error;
        UINT argumentError = 0;
        const HRESULT hr = m_dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                              flags == DISPATCH_PROPERTYPUT ? nullptr : result.receive(),
                                              error.get(), &argumentError);
        if (SUCCEEDED(hr))
            break;
        DWORD wait = 0;
        if (!isRejectedAsBusy(hr) || !retryDelay(startedAt, wait))
            throwComError(hr, error);
        Sleep(wait);
    }

    for (size_t i = 0; i < n; ++i) {
        if (byReference[i])
            args[i] = fromComVariant(filled[i].get(), bridge);
    }
    return fromComVariant(result.get(), bridge);
}

Variant ComDispatchObject::get(std::u16string_view member, const std::vector<Variant> &args)
{
    std::vector<Variant> indices = args;
    return invoke(member, DISPATCH_PROPERTYGET, indices);
}

void ComDispatchObject::put(std::u16string_view member, const Variant &value)
{
    std::vector<Variant> args{value};
    invoke(member, DISPATCH_PROPERTYPUT, args);
}

Variant ComDispatchObject::call(std::u16string_view member, std::vector<Variant> &args)
{
    return invoke(member, DISPATCH_METHOD, args);
}

IDispatch *ClientDispatchBridge::exportObject(const ObjectRef &object)
{
    auto *com = dynamic_cast<ComDispatchObject *>(object.get());
    if (!com)
        throw CadError(u"Only the CAD's own objects can be passed to it.");
    IDispatch *dispatch = com->dispatch();
    dispatch->AddRef();
    return dispatch;
}

ObjectRef ClientDispatchBridge::importObject(IDispatch *dispatch)
{
    return std::make_shared<ComDispatchObject>(ComPtr<IDispatch>(dispatch));
}

} // namespace cad::com
