#include "tmessagefilter.h"

#include "comerror.h"

namespace cad::com {

namespace {

constexpr DWORD RetryAfterMilliseconds = 1000;
constexpr DWORD GiveUp = DWORD(-1);

// The filter RegisterFilter put in place on this thread (COM's filters are
// per thread, and so is this).
thread_local TMessageFilter *registered = nullptr;

thread_local bool pickUnderWay = false;
DWORD callLimitForTests = 0;

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
    startWaking();
}

void TMessageFilter::RevokeFilter()
{
    if (!m_registered)
        return;
    stopWaking();
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

namespace {

struct WakingTarget
{
    DWORD thread;
    HANDLE stop;
};

DWORD WINAPI wakeThread(void *parameter)
{
    const WakingTarget target = *static_cast<WakingTarget *>(parameter);
    delete static_cast<WakingTarget *>(parameter);
    while (WaitForSingleObject(target.stop, 500) == WAIT_TIMEOUT)
        PostThreadMessageW(target.thread, WM_NULL, 0, 0);
    return 0;
}

} // namespace

void TMessageFilter::startWaking()
{
    m_stopWaking = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!m_stopWaking)
        return;
    auto *target = new WakingTarget{GetCurrentThreadId(), m_stopWaking};
    m_wakingThread = CreateThread(nullptr, 0, wakeThread, target, 0, nullptr);
    if (!m_wakingThread) {
        delete target;
        CloseHandle(m_stopWaking);
        m_stopWaking = nullptr;
    }
}

void TMessageFilter::stopWaking()
{
    if (m_wakingThread) {
        SetEvent(m_stopWaking);
        WaitForSingleObject(m_wakingThread, INFINITE);
        CloseHandle(m_wakingThread);
        m_wakingThread = nullptr;
    }
    if (m_stopWaking) {
        CloseHandle(m_stopWaking);
        m_stopWaking = nullptr;
    }
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

// COM asks whenever a message arrives while a call waits (at the latest
// the waking thread's, every half second): that is where a hung call is
// given up.
DWORD STDMETHODCALLTYPE TMessageFilter::MessagePending(HTASK, DWORD tickCount, DWORD)
{
    const DWORD limit = callLimitForTests != 0 ? callLimitForTests : CallLimitMilliseconds;
    if (!pickUnderWay && tickCount >= limit)
        return PENDINGMSG_CANCELCALL;
    return PENDINGMSG_WAITNOPROCESS;
}

void TMessageFilter::setCallLimitForTests(DWORD milliseconds)
{
    callLimitForTests = milliseconds;
}

TMessageFilter::PickUnderWay::PickUnderWay()
    : m_before(pickUnderWay)
{
    pickUnderWay = true;
}

TMessageFilter::PickUnderWay::~PickUnderWay()
{
    pickUnderWay = m_before;
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
