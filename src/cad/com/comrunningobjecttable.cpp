#include "comrunningobjecttable.h"

#include "comdispatchobject.h"
#include "comerror.h"
#include "wide.h"

#include "cad/caderror.h"

namespace cad::com {

namespace {

CLSID classOf(const std::u16string &progId)
{
    CLSID clsid;
    const HRESULT hr = CLSIDFromProgID(wide(progId), &clsid);
    if (FAILED(hr))
        throwComError(hr);
    return clsid;
}

} // namespace

bool ComRunningObjectTable::isRunning(const std::u16string &progId)
{
    const CLSID clsid = classOf(progId);
    ComPtr<IUnknown> running;
    return SUCCEEDED(GetActiveObject(clsid, nullptr, running.GetAddressOf()));
}

ObjectRef ComRunningObjectTable::getActiveObject(const std::u16string &progId)
{
    const CLSID clsid = classOf(progId);
    ComPtr<IUnknown> running;
    HRESULT hr = GetActiveObject(clsid, nullptr, running.GetAddressOf());
    if (FAILED(hr))
        throwComError(hr);
    ComPtr<IDispatch> dispatch;
    hr = running.As(&dispatch);
    if (FAILED(hr))
        throwComError(hr);
    return std::make_shared<ComDispatchObject>(std::move(dispatch));
}

} // namespace cad::com
