#pragma once

// The whole-string width mapping: every character that has a full-width
// (half-width) form takes it, all other characters stay as they are.
//
// Built from Unicode's halfwidth and fullwidth forms: printable ASCII
// U+0021..U+007E <-> U+FF01..U+FF5E, the space <-> U+3000, the half-width
// katakana and punctuation U+FF61..U+FF9F <-> their full-width forms (a
// half-width kana followed by a sound mark <-> the one voiced or semi-voiced
// kana; the sound marks themselves <-> the spacing marks U+309B/U+309C, which
// Shift_JIS can hold, while the combining U+3099/U+309A only narrow), the
// half-width Hangul U+FFA0..U+FFDC <-> the compatibility jamo, and the few
// other paired signs of the block. The result may be shorter or longer than
// the input.

#include <string>
#include <string_view>

std::u16string toFullWidth(std::u16string_view s);
std::u16string toHalfWidth(std::u16string_view s);
