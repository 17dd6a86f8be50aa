// "全半角同一": which texts a pattern takes whatever the widths, and that the
// widened pattern given to the CAD's filter never loses one of them.

#include "searchtab/widthinsensitivepattern.h"

#include "cad/memory/wildcardmatch.h"
#include "cad/ustring.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

struct WidthCase
{
    const char16_t *pattern;
    const char16_t *text;
    bool matches;
};

const WidthCase WidthCases[] = {
    // Half-width katakana and the long vowel marks.
    {u"*モーター*", u"ﾓｰﾀｰ1", true},
    {u"*モーター*", u"モーター１", true},
    {u"*ﾓｰﾀｰ*", u"モーター", true},
    {u"*モーター*", u"ﾓｰﾀ", false},
    {u"*ｰ", u"ー", true},
    {u"*ー*", u"-", false}, // a hyphen is no long vowel mark
    // A half-width kana and its sound mark are the one voiced kana.
    {u"*ガス*", u"ｶﾞｽ管", true},
    {u"*ガス*", u"ｶｽ管", false},
    {u"ﾎﾟﾝﾌﾟ*", u"ポンプ-01", true},
    {u"ポンプ*", u"ﾎﾝﾌﾟ", false},
    {u"*ヴ*", u"ｳﾞｧｲｵﾘﾝ", true},
    {u"ｶﾞ", u"ガ", true},
    // Full-width digits, letters and signs; the space and U+3000.
    {u"*ＫＷ", u"15KW", true},
    {u"*KW", u"１５ＫＷ", true},
    {u"*KW", u"15kW", false}, // letter case counts, as in the CAD
    {u"*ＫＷ", u"15ｋW", false},
    {u"A B", u"Ａ　Ｂ", true},
    {u"M-1", u"Ｍ－１", true},
    // Wildcards next to converted characters keep their meaning.
    {u"#*", u"１５kW", true},
    {u"M-#", u"M-Ａ", false},
    {u"@@", u"ＡＢ", true},
    {u".", u"！", true},
    {u".", u"１", false},
    {u"M-?", u"M-ｶﾞ", true}, // one voiced kana is one character
    {u"M-?", u"M-ｶｷ", false},
    {u"ﾓ?ﾀｰ", u"モータ－", false}, // "－" is a full-width hyphen, not "ー"
    {u"ﾓ?ﾀｰ", u"モｰター", true},
    {u"[ア-ン]*", u"ｱｲｳ", true},
    {u"[ｱｲ]", u"イ", true},
    {u"[~ア]*", u"ｱ", false},
    {u"[~カ]", u"ｶﾞ", true}, // the voiced kana is not カ
    {u"[~カ]", u"ｶ", false},
    {u"`*A", u"＊A", true},    // an escaped "*" stands for itself, as "＊" does
    {u"＊A", u"*A", true},
    {u"＊A", u"xA", false},    // a full-width "＊" is no wildcard
    {u"～ﾓ*", u"~モ", true},   // nor is a full-width "～" a negation
    {u"~*ﾓ*", u"モ", false},
    {u"~*ﾓ*", u"x", true},
    {u"*ﾎﾟ*,A*", u"ＡＢ", true},
    {u"*ﾎﾟ*,A*", u"ポ", true},
    {u"*ﾎﾟ*,A*", u"ホ", false},
};

TEST(WidthInsensitivePattern, MatchesWhateverTheWidthAndTheFilterSelectsEveryMatch)
{
    for (const WidthCase &c : WidthCases) {
        const WidthInsensitivePattern pattern(c.pattern);
        const std::string label = cad::toUtf8(c.pattern) + " / " + cad::toUtf8(c.text) + " / filter "
            + cad::toUtf8(pattern.filterPattern());
        EXPECT_EQ(pattern.matches(c.text), c.matches) << label;
        if (c.matches) {
            EXPECT_TRUE(cad::wildcardMatch(c.text, pattern.filterPattern())) << label;
        }
    }
}

TEST(WidthInsensitivePattern, TheFilterPatternHoldsEachCharacterWithItsOtherWidths)
{
    EXPECT_EQ(WidthInsensitivePattern(u"*モーター*").filterPattern(), u"*[モﾓ][ーｰ][タﾀ][ーｰ]*");
    // A voiced kana: its one-character form, its half-width base and a "*"
    // for the sound mark.
    EXPECT_EQ(WidthInsensitivePattern(u"ｶﾞｽ*").filterPattern(), u"[ガｶ]*[スｽ]*");
    // Characters without another width stay as they are.
    EXPECT_EQ(WidthInsensitivePattern(u"*機器*").filterPattern(), u"*機器*");
    EXPECT_EQ(WidthInsensitivePattern(u"#").filterPattern(), u"[0-9０-９]");
}

TEST(WidthInsensitivePattern, SearchMatcherWithoutTheOptionMatchesAsTheCadDoes)
{
    const SearchMatcher plain(u"*ﾓｰﾀｰ*", false);
    EXPECT_EQ(plain.filterPattern(), u"*ﾓｰﾀｰ*");
    EXPECT_TRUE(plain.matches(u"ﾓｰﾀｰ1"));
    EXPECT_FALSE(plain.matches(u"モーター1"));
    const SearchMatcher width(u"*ﾓｰﾀｰ*", true);
    EXPECT_TRUE(width.matches(u"モーター1"));
}

// A drawing's worth of texts of mixed widths, and patterns made from them as
// a user types them (some characters in another width, some replaced by
// wildcards or sets): every text the folded pattern takes passes the
// widened filter, so the tool, keeping the folded matches of what the
// filter selected, keeps exactly the texts that match.
class MixedWidths
{
public:
    // Each unit in its forms: one character against one or two.
    const std::vector<std::vector<std::u16string>> units = {
        {u"A", u"Ａ"}, {u"a", u"ａ"}, {u"1", u"１"}, {u"9", u"９"}, {u" ", u"　"}, {u"-", u"－"},
        {u"ー", u"ｰ"}, {u"ガ", u"ｶﾞ"}, {u"カ", u"ｶ"}, {u"パ", u"ﾊﾟ"}, {u"バ", u"ﾊﾞ"}, {u"ハ", u"ﾊ"},
        {u"ヴ", u"ｳﾞ"}, {u"ア", u"ｱ"}, {u"゛", u"ﾞ"}, {u"*", u"＊"}, {u"?", u"？"}, {u"#", u"＃"},
        {u"~", u"～"}, {u"[", u"［"}, {u"]", u"］"}, {u"@", u"＠"}, {u".", u"．"}, {u",", u"，"},
        {u"`", u"｀"}, {u"機"}, {u"é"},
    };

    int roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    const std::vector<std::u16string> &anyUnit() { return units[size_t(roll(int(units.size())))]; }
    const std::u16string &anyForm(const std::vector<std::u16string> &forms) { return forms[size_t(roll(int(forms.size())))]; }

    // A text: up to six units, each in one of its forms.
    std::vector<const std::vector<std::u16string> *> textUnits()
    {
        std::vector<const std::vector<std::u16string> *> text;
        for (int n = roll(7); n > 0; --n)
            text.push_back(&anyUnit());
        return text;
    }
    std::u16string textOf(const std::vector<const std::vector<std::u16string> *> &text)
    {
        std::u16string s;
        for (const auto *forms : text)
            s += anyForm(*forms);
        return s;
    }

    static std::u16string literal(const std::u16string &form)
    {
        if (form.size() == 1 && std::u16string_view(u"*?#@.[~`,").find(form[0]) != std::u16string_view::npos)
            return u"`" + form;
        return form;
    }
    static std::u16string member(char16_t c)
    {
        if (std::u16string_view(u"[]~`-,").find(c) != std::u16string_view::npos)
            return std::u16string(u"`") + c;
        return std::u16string(1, c);
    }
    // A set of a few single characters of the unit and of others, now and
    // then a range between two of them.
    std::u16string setFor(const std::vector<std::u16string> &forms, bool negated)
    {
        std::u16string set = negated ? u"[~" : u"[";
        for (int n = 1 + roll(3); n > 0; --n) {
            const std::u16string &form = anyForm(roll(2) ? forms : anyUnit());
            set += member(form[0]);
            if (roll(4) == 0)
                set += u"-" + member(anyForm(anyUnit())[0]);
        }
        return set + u"]";
    }

    // A pattern typed after one of the texts.
    std::u16string patternAfter(const std::vector<const std::vector<std::u16string> *> &text)
    {
        std::u16string p;
        if (roll(8) == 0)
            p += u"~";
        for (const auto *forms : text) {
            switch (roll(12)) {
            case 0: p += u"?"; break;
            case 1: p += u"*"; break;
            case 2: p += u"#"; break;
            case 3: p += u"@"; break;
            case 4: p += u"."; break;
            case 5: p += setFor(*forms, false); break;
            case 6: p += setFor(*forms, true); break;
            case 7: p += literal(anyForm(anyUnit())); break;
            default: p += literal(anyForm(*forms));
            }
            if (roll(6) == 0)
                p += u"*";
        }
        if (roll(8) == 0)
            p += u",*" + literal(anyForm(anyUnit())) + u"*";
        return p;
    }

    std::mt19937 random{16};
};

TEST(WidthInsensitivePattern, TheWidenedFilterNeverDropsATrueMatch)
{
    MixedWidths mixed;
    std::vector<std::vector<const std::vector<std::u16string> *>> sources;
    std::vector<std::u16string> texts;
    for (int i = 0; i < 400; ++i) {
        sources.push_back(mixed.textUnits());
        texts.push_back(mixed.textOf(sources.back()));
    }
    int matched = 0;
    for (int p = 0; p < 3000; ++p) {
        const std::u16string typed = mixed.patternAfter(sources[size_t(mixed.roll(int(sources.size())))]);
        const WidthInsensitivePattern pattern(typed);
        for (const std::u16string &text : texts) {
            const bool selected = cad::wildcardMatch(text, pattern.filterPattern());
            if (pattern.matches(text)) {
                ++matched;
                ASSERT_TRUE(selected) << "pattern " << cad::toUtf8(typed) << " filter "
                                      << cad::toUtf8(pattern.filterPattern()) << " text " << cad::toUtf8(text);
            }
        }
    }
    // The patterns follow the texts: they do reach matches, not only misses.
    EXPECT_GT(matched, 20000);
}

} // namespace
