#pragma once

// Adding a fixed amount to the number inside a text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct IncrementSettings
{
    int radix = 10;          // 10, 16 or 8
    std::int32_t addend = 1; // may be negative
    bool fromTail = true;    // decimal: the last number of the text rather than the first
    int width = 2;           // hexadecimal and octal: characters at the end that form the number
};

// The text with the amount added to its number, or nothing when the text
// stays unchanged (blank, no number, or its last width characters are not all
// digits of the radix).
//
// Decimal: the number is the first or last run of "0".."9" of the trimmed
// text; the result keeps at least the run's width ("09" + 1 is "10") and the
// blank characters at the text's ends are dropped. A run that does not fit 32
// bits reads as 0. Hexadecimal and octal: the number is the last width
// characters of the untrimmed text, written back with at least width digits;
// hexadecimal wraps as 32-bit two's complement ("00" - 1 is "FFFFFFFF").
std::optional<std::u16string> IncrementText(std::u16string_view text, const IncrementSettings &settings);
