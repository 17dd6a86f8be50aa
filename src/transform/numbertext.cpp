#include "transform/numbertext.h"

#include "transform/texttrim.h"

#include <algorithm>
#include <string>

namespace {

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

int hexDigitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

std::u16string padWithZeros(std::u16string digits, int width)
{
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), u'0');
    return digits;
}

// The digits of a non-negative value in the given radix; "" for 0.
std::u16string digitsOf(std::uint64_t value, unsigned radix)
{
    static constexpr char16_t digitChars[] = u"0123456789ABCDEF";
    std::u16string digits;
    while (value != 0) {
        digits.insert(digits.begin(), digitChars[value % radix]);
        value /= radix;
    }
    return digits;
}

std::uint64_t magnitude(std::int32_t v)
{
    return v < 0 ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(v))
                 : static_cast<std::uint64_t>(v);
}

} // namespace

SplitText SplitNumber(std::u16string_view text, bool fromTail)
{
    const std::u16string_view t = trimBlanks(text);
    std::size_t runStart = t.size();
    std::size_t runEnd = t.size();
    if (fromTail) {
        std::size_t end = t.size();
        while (end > 0 && !isDigit(t[end - 1]))
            --end;
        if (end > 0) {
            std::size_t start = end;
            while (start > 0 && isDigit(t[start - 1]))
                --start;
            runStart = start;
            runEnd = end;
        }
    } else {
        std::size_t start = 0;
        while (start < t.size() && !isDigit(t[start]))
            ++start;
        std::size_t end = start;
        while (end < t.size() && isDigit(t[end]))
            ++end;
        runStart = start;
        runEnd = end;
    }
    if (runStart == runEnd) // no digit: the whole text is the head
        return {std::u16string(t), {}, {}};
    return {std::u16string(t.substr(0, runStart)),
            std::u16string(t.substr(runStart, runEnd - runStart)),
            std::u16string(t.substr(runEnd))};
}

bool IsHexText(std::u16string_view t)
{
    return std::all_of(t.begin(), t.end(), [](char16_t c) { return hexDigitValue(c) >= 0; });
}

bool IsOctText(std::u16string_view t)
{
    return std::all_of(t.begin(), t.end(), [](char16_t c) { return c >= u'0' && c <= u'7'; });
}

std::int32_t OctToInt(std::u16string_view t)
{
    std::uint32_t value = 0;
    for (const char16_t c : t)
        value = value * 8u + (isDigit(c) ? static_cast<std::uint32_t>(c - u'0') : 0u);
    return static_cast<std::int32_t>(value);
}

std::u16string IntToOct(std::int32_t v, int width)
{
    if (v < 0)
        return u"-" + padWithZeros(digitsOf(magnitude(v), 8), width);
    return padWithZeros(digitsOf(magnitude(v), 8), width);
}

std::u16string IntToDec(std::int32_t v, int width)
{
    std::u16string digits = v == 0 ? std::u16string(u"0") : digitsOf(magnitude(v), 10);
    digits = padWithZeros(std::move(digits), width);
    return v < 0 ? u"-" + digits : digits;
}

std::u16string IntToHex(std::int32_t v, int width)
{
    const std::uint32_t bits = static_cast<std::uint32_t>(v);
    std::u16string digits = bits == 0 ? std::u16string(u"0") : digitsOf(bits, 16);
    return padWithZeros(std::move(digits), width);
}

std::optional<std::int32_t> ReadDecimalInteger(std::u16string_view t)
{
    t = trimBlanks(t);
    bool negative = false;
    if (!t.empty() && (t.front() == u'+' || t.front() == u'-')) {
        negative = t.front() == u'-';
        t.remove_prefix(1);
    }
    if (t.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (const char16_t c : t) {
        if (!isDigit(c))
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > 2147483648LL)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX || value < INT32_MIN)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> ReadHexNumber(std::u16string_view t)
{
    t = trimBlanks(t);
    if (t.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char16_t c : t) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > UINT32_MAX)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}
