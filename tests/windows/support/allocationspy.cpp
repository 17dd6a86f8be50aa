#include "allocationspy.h"

#include <oleauto.h>

extern "C" void WINAPI SetOaNoCache(void);

namespace cad::com::test {

AllocationSpy::AllocationSpy()
{
    SetOaNoCache();
    m_registered = SUCCEEDED(CoRegisterMallocSpy(this));
}

AllocationSpy::~AllocationSpy()
{
    if (m_registered)
        CoRevokeMallocSpy();
}

HRESULT STDMETHODCALLTYPE AllocationSpy::QueryInterface(REFIID riid, void **object)
{
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IMallocSpy)) {
        *object = static_cast<IMallocSpy *>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

void *STDMETHODCALLTYPE AllocationSpy::PostAlloc(void *actual)
{
    if (actual)
        m_blocks.insert(actual);
    return actual;
}

void *STDMETHODCALLTYPE AllocationSpy::PreFree(void *request, BOOL spied)
{
    if (spied)
        m_blocks.erase(request);
    return request;
}

SIZE_T STDMETHODCALLTYPE AllocationSpy::PreRealloc(void *request, SIZE_T size, void **newRequest, BOOL spied)
{
    if (spied)
        m_blocks.erase(request);
    *newRequest = request;
    return size;
}

void *STDMETHODCALLTYPE AllocationSpy::PostRealloc(void *actual, BOOL)
{
    if (actual)
        m_blocks.insert(actual);
    return actual;
}

} // namespace cad::com::test
