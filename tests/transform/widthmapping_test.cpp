#include "transform/widthmapping.h"
#include "transform/zenhanutil.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TransformWidthMapping, PrintableAsciiMapsToFullWidthForms)
{
    for (char16_t c = u'!'; c <= u'~'; ++c) {
        const char16_t full = static_cast<char16_t>(0xFF01 + (c - u'!'));
        SCOPED_TRACE(static_cast<int>(c));
        EXPECT_EQ(toFullWidth(std::u16string(1, c)), std::u16string(1, full));
        EXPECT_EQ(toHalfWidth(std::u16string(1, full)), std::u16string(1, c));
    }
    EXPECT_EQ(toFullWidth(u" "), u"\u3000");
    EXPECT_EQ(toHalfWidth(u"\u3000"), u" ");
}

// The whole-string mapping agrees with the kana class of the width table,
// entry by entry and in both directions.
TEST(TransformWidthMapping, KanaAgreesWithTheWidthTable)
{
    const auto full = zenHanColumn(ZenHanClass::Kana, ZenHanColumn::FullWidth);
    const auto half = zenHanColumn(ZenHanClass::Kana, ZenHanColumn::HalfWidth);
    for (std::size_t k = 0; k < full.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(toFullWidth(half[k]), full[k]);
        EXPECT_EQ(toHalfWidth(full[k]), half[k]);
    }
}

struct MappingCase
{
    const char *name;
    std::u16string input;
    std::u16string fullWidth;
    std::u16string halfWidth;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const MappingCase &c, std::ostream *os)
{
    *os << c.name;
}

class TransformWidthMappingCase : public testing::TestWithParam<MappingCase>
{
};

TEST_P(TransformWidthMappingCase, MapsBothWays)
{
    EXPECT_EQ(toFullWidth(GetParam().input), GetParam().fullWidth);
    EXPECT_EQ(toHalfWidth(GetParam().input), GetParam().halfWidth);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TransformWidthMappingCase,
    testing::Values(
        MappingCase{"Empty", u"", u"", u""},
        MappingCase{"VoicedKanaComposes", u"ｶﾞｷﾞ", u"ガギ", u"ｶﾞｷﾞ"},
        MappingCase{"VoicedKanaSplits", u"ガ\u3000Ａ", u"ガ\u3000Ａ", u"ｶﾞ A"},
        MappingCase{"SemiVoicedKana", u"ﾊﾟﾋﾟ", u"パピ", u"ﾊﾟﾋﾟ"},
        MappingCase{"MarkAfterUnvoiceableKana", u"ｱﾞ", u"ア゛", u"ｱﾞ"},
        MappingCase{"LoneSoundMarks", u"ﾞﾟ", u"゛゜", u"ﾞﾟ"},
        MappingCase{"KanjiAndHiraganaStay", u"漢字かな", u"漢字かな", u"漢字かな"},
        MappingCase{"HalfWidthPunctuation", u"｡｢｣､･", u"。「」、・", u"｡｢｣､･"},
        MappingCase{"MixedLine", u"No.1 ｶﾞｽ管", u"Ｎｏ．１\u3000ガス管", u"No.1 ｶﾞｽ管"},
        MappingCase{"FullWidthLineToHalf", u"Ｎｏ．１\u3000ガス管", u"Ｎｏ．１\u3000ガス管", u"No.1 ｶﾞｽ管"},
        MappingCase{"OtherSigns", u"¢£¥", u"￠￡￥", u"¢£¥"},
        MappingCase{"VoicedWaAndWo", u"ﾜﾞｦﾞ", u"ヷヺ", u"ﾜﾞｦﾞ"},
        MappingCase{"VoicedWaAndWoSplit", u"ヷヺ", u"ヷヺ", u"ﾜﾞｦﾞ"},
        MappingCase{"CombiningSoundMarksNarrow", u"\u3099\u309A", u"\u3099\u309A", u"ﾞﾟ"},
        MappingCase{"HalfWidthHangul", u"ﾡￂﾤ", u"ㄱㅏㄴ", u"ﾡￂﾤ"},
        MappingCase{"HangulJamoNarrow", u"ㄱㅏㄴㅣ", u"ㄱㅏㄴㅣ", u"ﾡￂﾤￜ"},
        MappingCase{"SurrogatePairStays", u"\U00020B9F", u"\U00020B9F", u"\U00020B9F"}),
    [](const testing::TestParamInfo<MappingCase> &info) { return std::string(info.param.name); });

} // namespace
