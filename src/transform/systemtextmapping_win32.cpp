#include "transform/systemtextmapping.h"

#include "transform/localeupper.h"

#include <windows.h>

namespace {

// LCMapStringW in the system's default locale; asked for the length first,
// since a width mapping may make the text longer (ガ -> ｶﾞ) or shorter.
// Nothing comes back when the mapping fails.
bool mapText(std::u16string_view s, DWORD flags, std::u16string &mapped)
{
    mapped.clear();
    if (s.empty())
        return true;
    const auto *source = reinterpret_cast<const wchar_t *>(s.data());
    const int length = LCMapStringW(LOCALE_SYSTEM_DEFAULT, flags, source, int(s.size()), nullptr, 0);
    if (length <= 0)
        return false;
    mapped.resize(size_t(length));
    const int written = LCMapStringW(LOCALE_SYSTEM_DEFAULT, flags, source, int(s.size()),
                                     reinterpret_cast<wchar_t *>(mapped.data()), length);
    if (written <= 0)
        return false;
    mapped.resize(size_t(written));
    return true;
}

} // namespace

std::u16string systemFullWidth(std::u16string_view s)
{
    std::u16string mapped;
    return mapText(s, LCMAP_FULLWIDTH, mapped) ? mapped : std::u16string(s);
}

std::u16string systemHalfWidth(std::u16string_view s)
{
    std::u16string mapped;
    return mapText(s, LCMAP_HALFWIDTH, mapped) ? mapped : std::u16string(s);
}

std::u16string systemUpper(std::u16string_view s)
{
    // Replace finds its matches in the upper-cased copy and applies them to
    // the original: should the system ever change a length, the portable
    // one-for-one upper-casing keeps the positions right.
    std::u16string mapped;
    if (mapText(s, LCMAP_UPPERCASE, mapped) && mapped.size() == s.size())
        return mapped;
    return toLocaleUpper(s);
}
