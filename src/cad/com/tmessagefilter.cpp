#include "tmessagefilter.h"

#include "comerror.h"

namespace cad::com {

namespace {

constexpr DWORD RetryAfterMilliseconds = 1000;
constexpr DWORD GiveUp = DWORD(-1);

// The filter RegisterFilter put in place on this thread (COM's filters are
// per thread, and so is this).
thread_local TMessageFilter *registered = nullptr;

} // namespace

TMessageFilter::TMessageFilter() = default;

// While registered, COM holds a reference: the last release comes after
// RevokeFilter.
TMessageFilter::~TMessageFilter() = default;

void TMessageFilter::RegisterFilter()
{
    if (m_registered)
        return;
    IMessageFilter *previous = nullptr;
    const HRESULT hr = CoRegisterMessageFilter(this, &previous);
    if (FAILED(hr))
        throwComError(hr);
    FOldFilter = previous;
    m_registered = true;
    m_registeredBefore = registered;
    registered = this;
}

void TMessageFilter::RevokeFilter()
{
    if (!m_registered)
        return;
    IMessageFilter *ours = nullptr;
    CoRegisterMessageFilter(FOldFilter, &ours);
    // The reference COM held on this filter comes back with `ours`.
    if (ours)
        ours->Release();
    if (FOldFilter) {
        FOldFilter->Release();
        FOldFilter = nullptr;
    }
    m_registered = false;
    if (registered == this)
        registered = m_registeredBefore;
}

TMessageFilter *TMessageFilter::registeredFilter()
{
    return registered;
}

HRESULT STDMETHODCALLTYPE TMessageFilter::QueryInterface(REFIID riid, void **object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IMessageFilter)) {
        *object = static_cast<IMessageFilter *>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TMessageFilter::AddRef()
{
    return ++m_references;
}

ULONG STDMETHODCALLTYPE TMessageFilter::Release()
{
    const ULONG left = --m_references;
    if (left == 0)
        delete this;
    return left;
}

DWORD STDMETHODCALLTYPE TMessageFilter::HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO)
{
    return SERVERCALL_ISHANDLED;
}

DWORD STDMETHODCALLTYPE TMessageFilter::RetryRejectedCall(HTASK, DWORD, DWORD rejectType)
{
    return rejectType == SERVERCALL_RETRYLATER ? RetryAfterMilliseconds : GiveUp;
}

DWORD STDMETHODCALLTYPE TMessageFilter::MessagePending(HTASK, DWORD, DWORD)
{
    return PENDINGMSG_WAITNOPROCESS;
}

std::shared_ptr<cad::MessageFilter> createMessageFilter()
{
    return std::shared_ptr<cad::MessageFilter>(new TMessageFilter(), [](cad::MessageFilter *filter) {
        auto *f = static_cast<TMessageFilter *>(filter);
        f->RevokeFilter();
        f->Release();
    });
}

} // namespace cad::com
