#include "bstr.h"

#include <new>

namespace cad::com {

Bstr::Bstr(std::u16string_view text)
    : m_bstr(SysAllocStringLen(reinterpret_cast<const OLECHAR *>(text.data()), UINT(text.size())))
{
    if (!m_bstr)
        throw std::bad_alloc();
}

std::u16string Bstr::toString(BSTR bstr)
{
    if (!bstr)
        return {};
    return std::u16string(reinterpret_cast<const char16_t *>(bstr), SysStringLen(bstr));
}

} // namespace cad::com
