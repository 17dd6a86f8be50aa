#pragma once

// The one width form in which two strings compare when widths do not
// count: ASCII for its full-width forms U+FF01..U+FF5E, the space for
// U+3000, katakana for the half-width katakana and punctuation
// U+FF61..U+FF9F (a half-width kana followed by a sound mark is the one
// voiced or semi-voiced kana, "ｰ" is "ー"). Every other character, the
// half-width Hangul and signs of the block included, stays as it is.

#include <string>
#include <string_view>

// The folded form of a whole string; may be shorter than the input.
std::u16string foldWidth(std::u16string_view s);

// The folded form of one character on its own (a sound mark alone folds to
// the spacing mark U+309B / U+309C).
char16_t foldWidthChar(char16_t c);

// The characters that fold to `folded` on their own, `folded` first and
// itself included.
std::u16string widthForms(char16_t folded);

// The half-width kana that, followed by a sound mark, folds to `folded`;
// 0 when `folded` is no voiced or semi-voiced kana.
char16_t halfWidthVoicedBase(char16_t folded);

// Every character whose folding differs from it, every character others
// fold to, and every voiced kana: outside it, a character folds to itself
// and has no other form.
const std::u16string &widthFoldedCharacters();
