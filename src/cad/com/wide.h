#pragma once
// UTF-16 strings of the CAD link as the wide strings of Win32 (wchar_t is
// 16 bits on Windows: the same code units, no conversion).

#include <string>
#include <string_view>

namespace cad::com {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide strings are UTF-16");

inline const wchar_t *wide(const std::u16string &text)
{
    return reinterpret_cast<const wchar_t *>(text.c_str());
}

inline std::u16string fromWide(const wchar_t *text, size_t length)
{
    return std::u16string(reinterpret_cast<const char16_t *>(text), length);
}

inline std::u16string fromWide(const wchar_t *text)
{
    return text ? fromWide(text, std::char_traits<wchar_t>::length(text)) : std::u16string();
}

} // namespace cad::com
