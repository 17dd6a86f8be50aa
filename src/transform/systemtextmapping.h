#pragma once

// The system's own text mappings, where the text tools use them: the
// locale's width mapping behind "すべて全角に" / "すべて半角に" and the
// locale's upper-casing behind replace without regard to case.
//
// On Windows these are LCMapStringW with LCMAP_FULLWIDTH, LCMAP_HALFWIDTH
// and LCMAP_UPPERCASE in the system's default locale (the results users
// know from their other programs); elsewhere the portable mappings of
// widthmapping.h and localeupper.h. The build picks one implementation.

#include <string>
#include <string_view>

std::u16string systemFullWidth(std::u16string_view s);
std::u16string systemHalfWidth(std::u16string_view s);
// One code unit for each code unit of s, so positions carry over.
std::u16string systemUpper(std::u16string_view s);
