#pragma once

#include <string_view>

// A blank character: any code unit up to U+0020 (space, tab, CR, LF and the
// other control characters). The ideographic space U+3000 is not blank.
constexpr bool isBlankChar(char16_t c)
{
    return c <= u' ';
}

// s without the blank characters at both ends.
std::u16string_view trimBlanks(std::u16string_view s);
