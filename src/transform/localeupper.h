#pragma once

// Upper-casing for comparisons without regard to case: each UTF-16 code unit
// becomes one code unit, so positions in the upper-cased copy are positions
// in the original. Covers ASCII, the full-width Latin letters, Latin-1 and
// Latin Extended-A, and the basic Greek and Cyrillic letters; every other
// character stays as it is.

#include <string>
#include <string_view>

char16_t toLocaleUpper(char16_t c);
std::u16string toLocaleUpper(std::u16string_view s);
