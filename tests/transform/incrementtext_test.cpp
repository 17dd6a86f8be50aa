#include "transform/incrementtext.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct IncrementCase
{
    const char *name;
    std::u16string text;
    IncrementSettings settings;
    std::optional<std::u16string> expected; // nothing: the text stays unchanged
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const IncrementCase &c, std::ostream *os)
{
    *os << c.name;
}

IncrementSettings decimal(std::int32_t addend, bool fromTail = true)
{
    return {10, addend, fromTail, 2};
}

IncrementSettings radix(int radix, int width, std::int32_t addend = 1)
{
    return {radix, addend, true, width};
}

class TransformIncrementText : public testing::TestWithParam<IncrementCase>
{
};

TEST_P(TransformIncrementText, AddsToTheNumber)
{
    const IncrementCase &c = GetParam();
    EXPECT_EQ(IncrementText(c.text, c.settings), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Decimal, TransformIncrementText,
    testing::Values(
        IncrementCase{"Carry", u"No.9", decimal(1), u"No.10"},
        IncrementCase{"KeepsWidth", u"No.09", decimal(1), u"No.10"},
        IncrementCase{"MinusIsText", u"A-12", decimal(1), u"A-13"},
        IncrementCase{"LastNumber", u"R1-C2", decimal(1), u"R1-C3"},
        IncrementCase{"FirstNumber", u"R1-C2", decimal(1, false), u"R2-C2"},
        IncrementCase{"DropsEndBlanks", u"  P5  ", decimal(1), u"P6"},
        IncrementCase{"NoNumberKeepsBlanks", u"  P  ", decimal(1), std::nullopt},
        IncrementCase{"FullWidthDigits", u"ＡＢ１２", decimal(1), std::nullopt},
        IncrementCase{"TooLongRunReadsZero", u"99999999999", decimal(1), u"00000000001"},
        IncrementCase{"LongRunWithLeadingZeros", u"000000000041", decimal(1), u"000000000042"},
        IncrementCase{"MinusOnePadded", u"10", decimal(-1), u"09"},
        IncrementCase{"MinusOneThreeDigits", u"100", decimal(-1), u"099"},
        IncrementCase{"BelowZero", u"A-03", decimal(-5), u"A--02"},
        IncrementCase{"LargeAddend", u"P1", decimal(1000), u"P1001"},
        IncrementCase{"Empty", u"", decimal(1), std::nullopt},
        IncrementCase{"Blank", u" \t ", decimal(1), std::nullopt}),
    [](const testing::TestParamInfo<IncrementCase> &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    HexAndOctal, TransformIncrementText,
    testing::Values(
        IncrementCase{"HexLowerCaseIn", u"ID-1f", radix(16, 2), u"ID-20"},
        IncrementCase{"HexGrows", u"ID-FF", radix(16, 2), u"ID-100"},
        IncrementCase{"HexNotADigit", u"ID-1G", radix(16, 2), std::nullopt},
        IncrementCase{"HexTrailingSpace", u"ID-1F ", radix(16, 2), std::nullopt},
        IncrementCase{"HexShorterThanWidth", u"F", radix(16, 2), u"10"},
        IncrementCase{"HexWrapsToZero", u"FFFFFFFF", radix(16, 8), u"00000000"},
        IncrementCase{"HexBelowZeroWraps", u"00", radix(16, 2, -1), u"FFFFFFFF"},
        IncrementCase{"HexPadded", u"X0009", radix(16, 4, 7), u"X0010"},
        IncrementCase{"HexEmpty", u"", radix(16, 2), std::nullopt},
        IncrementCase{"HexBlank", u"   ", radix(16, 2), std::nullopt},
        IncrementCase{"OctalCarry", u"A-07", radix(8, 2), u"A-10"},
        IncrementCase{"OctalNotADigit", u"A-08", radix(8, 2), std::nullopt},
        IncrementCase{"OctalWidthThree", u"B777", radix(8, 3), u"B1000"},
        IncrementCase{"OctalBack", u"A-10", radix(8, 2, -1), u"A-07"},
        IncrementCase{"OctalBlank", u"  ", radix(8, 2), std::nullopt}),
    [](const testing::TestParamInfo<IncrementCase> &info) { return std::string(info.param.name); });

} // namespace
