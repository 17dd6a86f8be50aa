#pragma once

// Number rules of the text tools: finding a number inside a text, reading
// and writing it in decimal, hexadecimal and octal. All numbers are 32-bit
// signed integers; sums wrap modulo 2^32.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A text split around one run of the ASCII digits "0".."9":
// head + number + tail is the text without blank characters at its ends.
struct SplitText
{
    std::u16string head;
    std::u16string number;
    std::u16string tail;
};

// Splits the trimmed text around its first run of digits, or around its last
// run when fromTail is true. Without a digit, number is empty.
SplitText SplitNumber(std::u16string_view text, bool fromTail);

// True when every character is a hexadecimal (octal) digit; true for "".
bool IsHexText(std::u16string_view t);
bool IsOctText(std::u16string_view t);

// The digits of t read in base 8 (the i-th digit from the left weighs
// 8^(L - i)). Callers check IsOctText first; a character that is not a digit
// counts as 0. "" gives 0.
std::int32_t OctToInt(std::u16string_view t);

// v in octal, with "0" put in front up to width characters. IntToOct(0, 0)
// is "". A negative v is written as "-" and the octal digits of -v.
std::u16string IntToOct(std::int32_t v, int width);

// v in decimal, the digits zero-padded to at least width; a negative v is
// written as "-" in front of its padded digits ("-05").
std::u16string IntToDec(std::int32_t v, int width);

// v as a 32-bit two's complement in upper-case hexadecimal, zero-padded to at
// least width digits ("FFFFFFFF" for -1).
std::u16string IntToHex(std::int32_t v, int width);

// A decimal integer with an optional sign, blank characters around it
// allowed. Nothing when it is not one or does not fit 32 bits.
std::optional<std::int32_t> ReadDecimalInteger(std::u16string_view t);

// A hexadecimal number of at most 32 bits (leading zeros allowed), read as a
// 32-bit two's complement ("FFFFFFFF" is -1). Nothing when it is not one.
std::optional<std::int32_t> ReadHexNumber(std::u16string_view t);
