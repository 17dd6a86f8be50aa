#pragma once
// The process's COM message filter while the tool runs. Calls into the CAD
// are accepted from it at any time; a call the busy CAD rejects is repeated
// every second until the CAD takes it; while a call waits for its reply,
// input to our own windows is not dispatched (the user cannot start a
// second command inside the first). A call other than a pick that has had
// no reply for CallLimitMilliseconds is cancelled: a hung CAD does not hold
// the tool for ever.

#include "cad/messagefilter.h"

#include <windows.h>
#include <objidl.h>

#include <atomic>
#include <memory>

namespace cad::com {

class TMessageFilter : public IMessageFilter, public cad::MessageFilter
{
public:
    // Created with one reference, owned by the creator (Release frees it).
    TMessageFilter();

    // cad::MessageFilter
    void RegisterFilter() override;
    void RevokeFilter() override;

    // The filter registered on this thread by RegisterFilter, if any: the
    // automation calls ask it what to do with a rejected call.
    static TMessageFilter *registeredFilter();

    static constexpr DWORD CallLimitMilliseconds = 30000;
    // Tests set a short limit; 0 puts the usual one back.
    static void setCallLimitForTests(DWORD milliseconds);

    // Held while a pick waits for the user on this thread: no limit then.
    class PickUnderWay
    {
    public:
        PickUnderWay();
        ~PickUnderWay();
        PickUnderWay(const PickUnderWay &) = delete;
        PickUnderWay &operator=(const PickUnderWay &) = delete;

    private:
        bool m_before;
    };

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IMessageFilter
    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD callType, HTASK caller, DWORD tickCount,
                                               LPINTERFACEINFO interfaceInfo) override;
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK callee, DWORD tickCount, DWORD rejectType) override;
    DWORD STDMETHODCALLTYPE MessagePending(HTASK callee, DWORD tickCount, DWORD pendingType) override;

    IMessageFilter *oldFilter() const { return FOldFilter; }

private:
    ~TMessageFilter();

    void startWaking();
    void stopWaking();

    std::atomic<ULONG> m_references{1};
    // COM asks MessagePending only when a message arrives while a call
    // waits; this thread posts an empty one to the registering thread
    // every half second, so that a hung call meets its limit on a quiet
    // queue too.
    HANDLE m_stopWaking = nullptr;
    HANDLE m_wakingThread = nullptr;
    IMessageFilter *FOldFilter = nullptr; // the filter this one replaced
    TMessageFilter *m_registeredBefore = nullptr;
    bool m_registered = false;
};

// The message filter of the main window, as the form creates it: one
// reference held by the returned pointer.
std::shared_ptr<cad::MessageFilter> createMessageFilter();

} // namespace cad::com
