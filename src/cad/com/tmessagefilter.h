#pragma once
// The process's COM message filter while the tool runs. Calls into the CAD
// are accepted from it at any time; a call the busy CAD rejects is repeated
// every second until the CAD takes it; while a call waits for its reply,
// input to our own windows is not dispatched (the user cannot start a
// second command inside the first).

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

    std::atomic<ULONG> m_references{1};
    IMessageFilter *FOldFilter = nullptr; // the filter this one replaced
    TMessageFilter *m_registeredBefore = nullptr;
    bool m_registered = false;
};

// The message filter of the main window, as the form creates it: one
// reference held by the returned pointer.
std::shared_ptr<cad::MessageFilter> createMessageFilter();

} // namespace cad::com
