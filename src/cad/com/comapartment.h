#pragma once
// COM on the calling thread for the life of this object: a single-threaded
// apartment, as a window program's GUI thread has (where the GUI toolkit
// has set up OLE already, this only takes one more reference).

#include <windows.h>
#include <objbase.h>

namespace cad::com {

class ComApartment
{
public:
    ComApartment() : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment()
    {
        if (SUCCEEDED(m_result))
            CoUninitialize();
    }
    ComApartment(const ComApartment &) = delete;
    ComApartment &operator=(const ComApartment &) = delete;

    bool isInitialized() const { return SUCCEEDED(m_result); }

private:
    HRESULT m_result;
};

} // namespace cad::com
