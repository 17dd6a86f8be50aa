#pragma once
// Counts the COM task-memory blocks (BSTRs, SAFEARRAYs and their data)
// allocated while it is registered and not freed again: after a piece of
// work whose values have all gone, a leak shows as a block left over.

#include <windows.h>
#include <objidl.h>

#include <set>

namespace cad::com::test {

class AllocationSpy : public IMallocSpy
{
public:
    // Registers the spy (with the BSTR cache off, so that every string
    // freed is really freed); revoked by the destructor.
    AllocationSpy();
    ~AllocationSpy();
    AllocationSpy(const AllocationSpy &) = delete;
    AllocationSpy &operator=(const AllocationSpy &) = delete;

    bool isRegistered() const { return m_registered; }
    // Blocks allocated since registering and still alive.
    size_t outstanding() const { return m_blocks.size(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T request) override { return request; }
    void *STDMETHODCALLTYPE PostAlloc(void *actual) override;
    void *STDMETHODCALLTYPE PreFree(void *request, BOOL spied) override;
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void *request, SIZE_T size, void **newRequest, BOOL spied) override;
    void *STDMETHODCALLTYPE PostRealloc(void *actual, BOOL spied) override;
    void *STDMETHODCALLTYPE PreGetSize(void *request, BOOL) override { return request; }
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T actual, BOOL) override { return actual; }
    void *STDMETHODCALLTYPE PreDidAlloc(void *request, BOOL) override { return request; }
    int STDMETHODCALLTYPE PostDidAlloc(void *, BOOL, int actual) override { return actual; }
    void STDMETHODCALLTYPE PreHeapMinimize() override {}
    void STDMETHODCALLTYPE PostHeapMinimize() override {}

private:
    std::set<void *> m_blocks;
    bool m_registered = false;
};

} // namespace cad::com::test
