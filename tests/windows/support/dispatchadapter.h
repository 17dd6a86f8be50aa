#pragma once
// The test CAD's side of COM: an IDispatch over any object of the
// late-bound layer (the in-memory drawing's application, documents,
// entities …), as a CAD's automation server offers its objects. Member
// names get DISPIDs as they are asked for (case-insensitively); Invoke
// converts the arguments, calls get, put or the method, writes back the
// out parameters and returns the result; a CadError becomes
// DISP_E_EXCEPTION with its text in EXCEPINFO.

#include "cad/com/comvariant.h"
#include "cad/dispatchobject.h"

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace cad::com::test {

// What every object of one server shares: the names it has handed out
// DISPIDs for, and the faults a test asks for.
struct ServerState
{
    std::vector<std::u16string> names;        // DISPID k is names[k - 1]
    std::map<std::u16string, DISPID> ids;      // by name in ASCII upper case
    int rejectNextCalls = 0;                   // answered RPC_E_CALL_REJECTED
    long invokeCount = 0;

    DISPID idOf(const std::u16string &name);
    const std::u16string *nameOf(DISPID id) const;
};

class DispatchAdapter final : public IDispatch
{
public:
    // A new adapter with one reference, owned by the caller.
    static IDispatch *create(ObjectRef object, std::shared_ptr<ServerState> state);
    // The object behind an IDispatch, when it is one of this server's.
    static ObjectRef objectOf(IDispatch *dispatch);
    // Adapters alive in this process: every reference handed out must come
    // back (no leak), and none twice (no early free).
    static long liveCount() { return s_live; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *names, UINT count, LCID,
                                            DISPID *ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *params,
                                     VARIANT *result, EXCEPINFO *error, UINT *argumentError) override;

private:
    DispatchAdapter(ObjectRef object, std::shared_ptr<ServerState> state);
    ~DispatchAdapter();

    std::atomic<ULONG> m_references{1};
    ObjectRef m_object;
    std::shared_ptr<ServerState> m_state;
    static inline std::atomic<long> s_live{0};
};

// The server's bridge: objects go out as adapters; adapters coming back in
// are unwrapped to their objects.
class ServerDispatchBridge : public DispatchBridge
{
public:
    explicit ServerDispatchBridge(std::shared_ptr<ServerState> state) : m_state(std::move(state)) {}
    IDispatch *exportObject(const ObjectRef &object) override;
    ObjectRef importObject(IDispatch *dispatch) override;

private:
    std::shared_ptr<ServerState> m_state;
};

} // namespace cad::com::test
