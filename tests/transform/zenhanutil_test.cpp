#include "transform/zenhanutil.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Routine = void (*)(std::u16string &);

struct ConversionCase
{
    const char *name;
    Routine routine;
    std::u16string input;
    std::u16string expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ConversionCase &c, std::ostream *os)
{
    *os << c.name;
}

class TransformZenHanRoutine : public testing::TestWithParam<ConversionCase>
{
};

TEST_P(TransformZenHanRoutine, ConvertsOnlyItsClass)
{
    std::u16string s = GetParam().input;
    GetParam().routine(s);
    EXPECT_EQ(s, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TransformZenHanRoutine,
    testing::Values(
        ConversionCase{"VoicedKanaComposeFirst", KanaHanToZen, u"ｶﾞｷﾞｸﾞ", u"ガギグ"},
        ConversionCase{"SemiVoicedKana", KanaHanToZen, u"ﾊﾟﾝ", u"パン"},
        ConversionCase{"LoneSoundMarkStays", KanaHanToZen, u"ﾞ", u"ﾞ"},
        ConversionCase{"HalfWidthPunctuationStays", KanaHanToZen, u"｡､･ｱ", u"｡､･ア"},
        ConversionCase{"CornerBracketsAndLongVowel", KanaHanToZen, u"｢ｺｰﾄﾞ｣", u"「コード」"},
        ConversionCase{"VoicedKanaSplit", KanaZenToHan, u"ガ", u"ｶﾞ"},
        ConversionCase{"Vu", KanaZenToHan, u"ヴ", u"ｳﾞ"},
        ConversionCase{"SmallKaStays", KanaZenToHan, u"ヵヶヮヰヱ・", u"ヵヶヮヰヱ・"},
        ConversionCase{"HiraganaAndKanjiStay", KanaZenToHan, u"かな漢字カナ", u"かな漢字ｶﾅ"},
        ConversionCase{"LettersBothCases", AlphaHanToZen, u"abcXYZ", u"ａｂｃＸＹＺ"},
        ConversionCase{"LettersBack", AlphaZenToHan, u"ａｂｃＸＹＺ１", u"abcXYZ１"},
        ConversionCase{"SymbolsLeaveLetters", SymbolHanToZen, u"C:\\a b", u"C：￥a\u3000b"},
        ConversionCase{"TypographicQuotes", SymbolZenToHan, u"\u201DA\u2019", u"\"A'"},
        ConversionCase{"FullWidthQuotationMarkStays", SymbolZenToHan, u"＂", u"＂"},
        ConversionCase{"FullWidthReverseSolidusStays", SymbolZenToHan, u"＼￥", u"＼\\"},
        ConversionCase{"GraveAccent", SymbolHanToZen, u"`~", u"\u2018～"},
        ConversionCase{"NumeralsWithSigns", NumHanToZen, u"1,234.5", u"１，２３４．５"},
        ConversionCase{"DigitsOnly", DigitHanToZen, u"1,234.5", u"１,２３４.５"},
        ConversionCase{"NumeralsBack", NumZenToHan, u"－１．５＋", u"-1.5+"},
        ConversionCase{"DigitsBackLeaveSigns", DigitZenToHan, u"－１．５", u"－1．5"},
        ConversionCase{"EmptyString", KanaHanToZen, u"", u""}),
    [](const testing::TestParamInfo<ConversionCase> &info) { return std::string(info.param.name); });

TEST(TransformZenHanTable, ClassesHaveTheirSizes)
{
    const struct
    {
        ZenHanClass cls;
        std::size_t entries;
    } classes[] = {{ZenHanClass::Digits, 10},
                   {ZenHanClass::Letters, 52},
                   {ZenHanClass::Symbols, 33},
                   {ZenHanClass::Kana, 84},
                   {ZenHanClass::Numerals, 14}};
    std::size_t total = 0;
    for (const auto &c : classes) {
        EXPECT_EQ(zenHanColumn(c.cls, ZenHanColumn::FullWidth).size(), c.entries);
        EXPECT_EQ(zenHanColumn(c.cls, ZenHanColumn::HalfWidth).size(), c.entries);
        total += 2 * c.entries;
    }
    EXPECT_EQ(total, ZenHanTable.size());
}

TEST(TransformZenHanTable, OnlyTheFirstKanaAreTwoCharacters)
{
    const auto full = zenHanColumn(ZenHanClass::Kana, ZenHanColumn::FullWidth);
    const auto half = zenHanColumn(ZenHanClass::Kana, ZenHanColumn::HalfWidth);
    for (std::size_t k = 0; k < full.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(full[k].size(), 1u);
        if (k < 26) {
            ASSERT_EQ(half[k].size(), 2u);
            EXPECT_TRUE(half[k][1] == u'\uFF9E' || half[k][1] == u'\uFF9F');
        } else {
            EXPECT_EQ(half[k].size(), 1u);
        }
    }
    EXPECT_EQ(full[1], u"ガ");
    EXPECT_EQ(half[1], u"ｶﾞ");
    EXPECT_EQ(full[83], u"」");
    EXPECT_EQ(half[83], u"｣");
}

// Every kana of the table converts to its partner and back, on its own and
// with the whole class in one string.
TEST(TransformZenHanTable, KanaClassConvertsBothWays)
{
    const auto full = zenHanColumn(ZenHanClass::Kana, ZenHanColumn::FullWidth);
    const auto half = zenHanColumn(ZenHanClass::Kana, ZenHanColumn::HalfWidth);
    std::u16string allFull;
    std::u16string allHalf;
    for (std::size_t k = 0; k < full.size(); ++k) {
        SCOPED_TRACE(k);
        std::u16string s(half[k]);
        KanaHanToZen(s);
        EXPECT_EQ(s, full[k]);
        KanaZenToHan(s);
        EXPECT_EQ(s, half[k]);
        allFull += full[k];
        allHalf += half[k];
    }
    std::u16string s = allHalf;
    KanaHanToZen(s);
    EXPECT_EQ(s, allFull);
    KanaZenToHan(s);
    EXPECT_EQ(s, allHalf);
}

TEST(TransformZenHanTable, EveryClassRoundTrips)
{
    const ZenHanClass classes[] = {ZenHanClass::Digits, ZenHanClass::Letters, ZenHanClass::Symbols,
                                   ZenHanClass::Numerals};
    for (const ZenHanClass cls : classes) {
        std::u16string full;
        std::u16string half;
        for (const auto entry : zenHanColumn(cls, ZenHanColumn::FullWidth))
            full += entry;
        for (const auto entry : zenHanColumn(cls, ZenHanColumn::HalfWidth))
            half += entry;
        std::u16string s = half;
        convertZenHanClass(s, cls, ZenHanColumn::HalfWidth, ZenHanColumn::FullWidth);
        EXPECT_EQ(s, full) << static_cast<int>(cls);
        convertZenHanClass(s, cls, ZenHanColumn::FullWidth, ZenHanColumn::HalfWidth);
        EXPECT_EQ(s, half) << static_cast<int>(cls);
    }
}

TEST(TransformZenHanAll, WholeStringMappingChangesLength)
{
    std::u16string s = u"ｶﾞ";
    AllHanToZen(s);
    EXPECT_EQ(s, u"ガ");

    s = u"ガ\u3000Ａ";
    AllZenToHan(s);
    EXPECT_EQ(s, u"ｶﾞ A");

    s.clear();
    AllHanToZen(s);
    EXPECT_EQ(s, u"");
}

} // namespace
