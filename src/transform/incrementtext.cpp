#include "transform/incrementtext.h"

#include "transform/numbertext.h"
#include "transform/texttrim.h"

#include <algorithm>

namespace {

std::int32_t wrappingAdd(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

std::optional<std::u16string> incrementDecimal(std::u16string_view text, const IncrementSettings &settings)
{
    const SplitText split = SplitNumber(text, settings.fromTail);
    if (split.number.empty())
        return std::nullopt;
    const std::int32_t value = ReadDecimalInteger(split.number).value_or(0);
    const std::int32_t sum = wrappingAdd(value, settings.addend);
    return split.head + IntToDec(sum, static_cast<int>(split.number.size())) + split.tail;
}

std::optional<std::u16string> incrementAtEnd(std::u16string_view text, const IncrementSettings &settings)
{
    const std::size_t width = settings.width < 1 ? 1 : static_cast<std::size_t>(settings.width);
    const std::size_t numberLength = std::min(width, text.size());
    const std::u16string_view head = text.substr(0, text.size() - numberLength);
    const std::u16string_view number = text.substr(text.size() - numberLength);

    std::u16string written;
    if (settings.radix == 16) {
        if (!IsHexText(number))
            return std::nullopt;
        // Keep the low 32 bits of longer numbers, as a 32-bit register would.
        std::uint32_t bits = 0;
        for (const char16_t c : number) {
            const unsigned digit = c <= u'9' ? c - u'0' : (c | 0x20) - u'a' + 10;
            bits = bits * 16u + digit;
        }
        written = IntToHex(wrappingAdd(static_cast<std::int32_t>(bits), settings.addend), settings.width);
    } else {
        if (!IsOctText(number))
            return std::nullopt;
        written = IntToOct(wrappingAdd(OctToInt(number), settings.addend), settings.width);
    }
    return std::u16string(head) + written;
}

} // namespace

std::optional<std::u16string> IncrementText(std::u16string_view text, const IncrementSettings &settings)
{
    if (trimBlanks(text).empty())
        return std::nullopt;
    if (settings.radix == 16 || settings.radix == 8)
        return incrementAtEnd(text, settings);
    return incrementDecimal(text, settings);
}
