#include "transform/replacetext.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ReplaceCase
{
    const char *name;
    std::u16string s;
    std::u16string find;
    std::u16string repl;
    bool ignoreCase;
    std::u16string expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ReplaceCase &c, std::ostream *os)
{
    *os << c.name;
}

class TransformReplaceText : public testing::TestWithParam<ReplaceCase>
{
};

TEST_P(TransformReplaceText, Replaces)
{
    const ReplaceCase &c = GetParam();
    EXPECT_EQ(ReplaceText(c.s, c.find, c.repl, c.ignoreCase), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TransformReplaceText,
    testing::Values(
        ReplaceCase{"IgnoringCase", u"abcABC", u"abc", u"x", true, u"xx"},
        ReplaceCase{"WithCase", u"abcABC", u"abc", u"x", false, u"xABC"},
        ReplaceCase{"MatchesDoNotOverlap", u"aaa", u"aa", u"b", false, u"ba"},
        ReplaceCase{"InsertedTextNotSearchedAgain", u"aba", u"a", u"aa", false, u"aabaa"},
        ReplaceCase{"EmptyReplacementDeletes", u"a-b-c", u"-", u"", false, u"abc"},
        ReplaceCase{"EmptyFindChangesNothing", u"abc", u"", u"x", true, u"abc"},
        ReplaceCase{"NoMatch", u"abc", u"d", u"x", false, u"abc"},
        ReplaceCase{"KeepsCaseOfTheRest", u"Pump-A pump-b", u"PUMP", u"P", true, u"P-A P-b"},
        ReplaceCase{"FullWidthLettersFold", u"ａｂｃＡＢＣ", u"ＡＢＣ", u"Ｘ", true, u"ＸＸ"},
        ReplaceCase{"FullWidthLettersWithCase", u"ａｂｃＡＢＣ", u"ＡＢＣ", u"Ｘ", false, u"ａｂｃＸ"},
        ReplaceCase{"CyrillicFolds", u"Насос насос", u"НАСОС", u"P", true, u"P P"},
        ReplaceCase{"JapaneseText", u"配管ｶﾞｽ配管", u"配管", u"管", false, u"管ｶﾞｽ管"},
        ReplaceCase{"WholeString", u"abc", u"ABC", u"", true, u""}),
    [](const testing::TestParamInfo<ReplaceCase> &info) { return std::string(info.param.name); });

} // namespace
