#include "transform/localeupper.h"

namespace {

// Lower-case letters first..last become c + delta. With everyOther, only the
// letters at an odd distance from first are lower case (the upper and lower
// forms alternate, upper first).
struct UpperRange
{
    char16_t first;
    char16_t last;
    int delta;
    bool everyOther;
};

constexpr UpperRange upperRanges[] = {
    {u'a', u'z', -32, false},
    {u'\u00B5', u'\u00B5', 0x039C - 0x00B5, false}, // micro sign -> capital mu
    {u'\u00E0', u'\u00F6', -32, false},
    {u'\u00F8', u'\u00FE', -32, false},
    {u'\u00FF', u'\u00FF', 0x0178 - 0x00FF, false},
    {u'\u0100', u'\u012F', -1, true},
    {u'\u0131', u'\u0131', u'I' - 0x0131, false}, // dotless i
    {u'\u0132', u'\u0137', -1, true},
    {u'\u0139', u'\u0148', -1, true},
    {u'\u014A', u'\u0177', -1, true},
    {u'\u0179', u'\u017E', -1, true},
    {u'\u017F', u'\u017F', u'S' - 0x017F, false}, // long s
    {u'\u03AC', u'\u03AC', 0x0386 - 0x03AC, false},
    {u'\u03AD', u'\u03AF', 0x0388 - 0x03AD, false},
    {u'\u03B1', u'\u03C1', -32, false},
    {u'\u03C2', u'\u03C2', 0x03A3 - 0x03C2, false}, // final sigma
    {u'\u03C3', u'\u03CB', -32, false},
    {u'\u03CC', u'\u03CC', 0x038C - 0x03CC, false},
    {u'\u03CD', u'\u03CE', 0x038E - 0x03CD, false},
    {u'\u0430', u'\u044F', -32, false},
    {u'\u0450', u'\u045F', -80, false},
    {u'ａ', u'ｚ', -32, false},
};

} // namespace

char16_t toLocaleUpper(char16_t c)
{
    for (const UpperRange &range : upperRanges) {
        if (c < range.first || c > range.last)
            continue;
        if (range.everyOther && (c - range.first) % 2 == 0)
            return c;
        return static_cast<char16_t>(c + range.delta);
    }
    return c;
}

std::u16string toLocaleUpper(std::u16string_view s)
{
    std::u16string result(s);
    for (char16_t &c : result)
        c = toLocaleUpper(c);
    return result;
}
