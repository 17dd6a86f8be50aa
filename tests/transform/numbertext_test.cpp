#include "transform/numbertext.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SplitCase
{
    const char *name;
    std::u16string text;
    bool fromTail;
    std::u16string head;
    std::u16string number;
    std::u16string tail;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const SplitCase &c, std::ostream *os)
{
    *os << c.name;
}

class TransformSplitNumber : public testing::TestWithParam<SplitCase>
{
};

TEST_P(TransformSplitNumber, Splits)
{
    const SplitCase &c = GetParam();
    const SplitText split = SplitNumber(c.text, c.fromTail);
    EXPECT_EQ(split.head, c.head);
    EXPECT_EQ(split.number, c.number);
    EXPECT_EQ(split.tail, c.tail);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TransformSplitNumber,
    testing::Values(
        SplitCase{"FromTail", u"R1-C2x", true, u"R1-C", u"2", u"x"},
        SplitCase{"FromHead", u"R1-C2x", false, u"R", u"1", u"-C2x"},
        SplitCase{"WholeRunFromTail", u"A12B345", true, u"A12B", u"345", u""},
        SplitCase{"WholeRunFromHead", u"A12B345", false, u"A", u"12", u"B345"},
        SplitCase{"Trimmed", u"\t P5 \r\n", true, u"P", u"5", u""},
        SplitCase{"SignIsText", u"A-12", true, u"A-", u"12", u""},
        SplitCase{"FullWidthDigitsAreText", u"ＡＢ１２", true, u"ＡＢ１２", u"", u""},
        SplitCase{"NoDigitFromHead", u"abc", false, u"abc", u"", u""},
        SplitCase{"OnlyDigits", u"007", false, u"", u"007", u""},
        SplitCase{"Empty", u"", true, u"", u"", u""}),
    [](const testing::TestParamInfo<SplitCase> &info) { return std::string(info.param.name); });

TEST(TransformNumberText, HexAndOctTexts)
{
    EXPECT_TRUE(IsHexText(u"0123456789ABCDEFabcdef"));
    EXPECT_TRUE(IsHexText(u""));
    EXPECT_FALSE(IsHexText(u"1G"));
    EXPECT_FALSE(IsHexText(u"1F "));
    EXPECT_FALSE(IsHexText(u"ＦＦ"));
    EXPECT_TRUE(IsOctText(u"01234567"));
    EXPECT_TRUE(IsOctText(u""));
    EXPECT_FALSE(IsOctText(u"08"));
    EXPECT_FALSE(IsOctText(u"7a"));
}

TEST(TransformNumberText, OctalReadAndWritten)
{
    EXPECT_EQ(OctToInt(u""), 0);
    EXPECT_EQ(OctToInt(u"7"), 7);
    EXPECT_EQ(OctToInt(u"10"), 8);
    EXPECT_EQ(OctToInt(u"0777"), 511);
    EXPECT_EQ(IntToOct(8, 2), u"10");
    EXPECT_EQ(IntToOct(0, 2), u"00");
    EXPECT_EQ(IntToOct(0, 0), u"");
    EXPECT_EQ(IntToOct(511, 1), u"777");
    EXPECT_EQ(IntToOct(7, 4), u"0007");
    EXPECT_EQ(IntToOct(-8, 3), u"-010");
}

TEST(TransformNumberText, DecimalAndHexWritten)
{
    EXPECT_EQ(IntToDec(0, 0), u"0");
    EXPECT_EQ(IntToDec(9, 2), u"09");
    EXPECT_EQ(IntToDec(123, 2), u"123");
    EXPECT_EQ(IntToDec(-5, 2), u"-05");
    EXPECT_EQ(IntToDec(INT32_MIN, 0), u"-2147483648");
    EXPECT_EQ(IntToHex(10, 2), u"0A");
    EXPECT_EQ(IntToHex(256, 2), u"100");
    EXPECT_EQ(IntToHex(-1, 2), u"FFFFFFFF");
    EXPECT_EQ(IntToHex(0, 0), u"0");
}

TEST(TransformNumberText, DecimalIntegersRead)
{
    EXPECT_EQ(ReadDecimalInteger(u"12"), 12);
    EXPECT_EQ(ReadDecimalInteger(u"-3"), -3);
    EXPECT_EQ(ReadDecimalInteger(u"+7"), 7);
    EXPECT_EQ(ReadDecimalInteger(u" 5 "), 5);
    EXPECT_EQ(ReadDecimalInteger(u"0000000000042"), 42);
    EXPECT_EQ(ReadDecimalInteger(u"2147483647"), INT32_MAX);
    EXPECT_EQ(ReadDecimalInteger(u"-2147483648"), INT32_MIN);
    EXPECT_EQ(ReadDecimalInteger(u"2147483648"), std::nullopt);
    EXPECT_EQ(ReadDecimalInteger(u"99999999999"), std::nullopt);
    EXPECT_EQ(ReadDecimalInteger(u""), std::nullopt);
    EXPECT_EQ(ReadDecimalInteger(u"-"), std::nullopt);
    EXPECT_EQ(ReadDecimalInteger(u"1a"), std::nullopt);
    EXPECT_EQ(ReadDecimalInteger(u"１"), std::nullopt);
}

TEST(TransformNumberText, HexNumbersRead)
{
    EXPECT_EQ(ReadHexNumber(u"0A"), 10);
    EXPECT_EQ(ReadHexNumber(u"ff"), 255);
    EXPECT_EQ(ReadHexNumber(u"FFFFFFFF"), -1);
    EXPECT_EQ(ReadHexNumber(u"000000010"), 16);
    EXPECT_EQ(ReadHexNumber(u"100000000"), std::nullopt);
    EXPECT_EQ(ReadHexNumber(u"G1"), std::nullopt);
    EXPECT_EQ(ReadHexNumber(u""), std::nullopt);
}

} // namespace
