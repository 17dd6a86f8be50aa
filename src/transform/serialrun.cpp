#include "transform/serialrun.h"

#include "transform/numbertext.h"

#include <algorithm>

std::u16string upperAscii(std::u16string_view s)
{
    std::u16string result(s);
    for (char16_t &c : result) {
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return result;
}

std::u16string SerialText(const SerialRun &run, std::int32_t k)
{
    if (run.startText.empty())
        return upperAscii(run.prefix + run.suffix);

    const int width = static_cast<int>(run.startText.size());
    // 32-bit arithmetic: a run that leaves the range wraps around.
    const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(k) * static_cast<std::uint32_t>(run.step)
                                                 + static_cast<std::uint32_t>(run.start));
    std::u16string counter;
    switch (run.radix) {
    case 16:
        counter = IntToHex(value, width);
        break;
    case 8:
        counter = IntToOct(value, width);
        break;
    default:
        counter = IntToDec(value, width);
        break;
    }
    return upperAscii(run.prefix + counter + run.suffix);
}

std::vector<std::u16string> SerialTexts(const SerialRun &run, std::size_t limit)
{
    std::vector<std::u16string> texts;
    if (run.count <= 0)
        return texts;
    const std::size_t total = std::min(static_cast<std::size_t>(run.count), limit);
    texts.reserve(total);
    for (std::size_t k = 0; k < total; ++k)
        texts.push_back(SerialText(run, static_cast<std::int32_t>(k)));
    return texts;
}
