// The system's width mapping (LCMapStringW, as the tool uses it on Windows)
// against the portable mapping of the other systems, over every code point
// of the Basic Multilingual Plane and every half-width kana with a sound
// mark. Where they differ, the difference is listed below with its reason;
// any other difference fails.
#include "transform/systemtextmapping.h"
#include "transform/widthmapping.h"

#include "cad/ustring.h"

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

enum Direction { ToFull, ToHalf };

struct KnownDifference
{
    Direction direction;
    std::u16string input;
    std::u16string system;   // what LCMapStringW gives here (under Wine)
    std::u16string portable; // what the portable mapping gives
    const char *reason;
};

const char *const voicedMarkReason
    = "Wine reads the half-width voiced sound mark as the combining mark U+3099 (its Unicode "
      "decomposition) and widens a mark that no kana takes into it; the portable mapping gives the "
      "spacing mark U+309B, which Shift_JIS drawings can hold and Japanese fonts draw";
const char *const semiVoicedMarkReason = "the same for the semi-voiced sound mark (U+309A against U+309C)";
const char *const mixedWidthReason
    = "the base kana has no half-width form: Wine splits the voiced kana and narrows only its mark, "
      "leaving a full-width kana with a half-width mark; the portable mapping keeps the kana whole";
const char *const quoteReason
    = "Wine narrows the typographic quotation marks to the ASCII quotes; the portable mapping narrows "
      "only Unicode's full-width forms (U+FF02, U+FF07), as the width tools' own symbol table pairs "
      "the typographic marks on purpose";

std::vector<KnownDifference> knownDifferences()
{
    std::vector<KnownDifference> known = {
        {ToFull, u"\\", u"\\", u"＼",
         "Wine leaves the reverse solidus unmapped; the portable mapping follows Unicode's full-width "
         "form U+FF3C, as for all of printable ASCII"},
        {ToHalf, u"＼", u"＼", u"\\", "the same pair, the other way"},
        {ToFull, u"ﾞ", u"\u3099", u"゛", voicedMarkReason},
        {ToFull, u"ﾟ", u"\u309A", u"゜", semiVoicedMarkReason},
        {ToFull, u"゛", u"\u3099", u"゛", voicedMarkReason},
        {ToFull, u"゜", u"\u309A", u"゜", semiVoicedMarkReason},
        {ToHalf, u"ヸ", u"ヰﾞ", u"ヸ", mixedWidthReason},
        {ToHalf, u"ヹ", u"ヱﾞ", u"ヹ", mixedWidthReason},
        {ToHalf, u"ヾ", u"ヽﾞ", u"ヾ", mixedWidthReason},
        {ToHalf, u"‘", u"'", u"‘", quoteReason},
        {ToHalf, u"’", u"'", u"’", quoteReason},
        {ToHalf, u"“", u"\"", u"“", quoteReason},
        {ToHalf, u"”", u"\"", u"”", quoteReason},
    };
    // A half-width kana with a sound mark it has no voiced form for: Wine
    // gives the kana and the combining mark, the portable mapping the kana
    // and the spacing mark.
    const std::u16string halfKana = u"ｦｧｨｩｪｫｬｭｮｯｰｱｲｴｵﾅﾆﾇﾈﾉﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾝ";
    const std::u16string fullKana = u"ヲァィゥェォャュョッーアイエオナニヌネノマミムメモヤユヨラリルレロン";
    for (size_t k = 0; k < halfKana.size(); ++k) {
        const char16_t half = halfKana[k], full = fullKana[k];
        if (half != u'ｦ') // ｦﾞ is ヺ on both
            known.push_back({ToFull, {half, u'ﾞ'}, {full, u'\u3099'}, {full, u'゛'}, voicedMarkReason});
        known.push_back({ToFull, {half, u'ﾟ'}, {full, u'\u309A'}, {full, u'゜'}, semiVoicedMarkReason});
    }
    // Kana that voice but do not take the semi-voiced mark.
    for (const char16_t half : std::u16string(u"ｳｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾜ")) {
        const std::u16string plain = toFullWidth(std::u16string(1, half));
        known.push_back({ToFull, {half, u'ﾟ'}, plain + u'\u309A', plain + u'゜', semiVoicedMarkReason});
    }
    return known;
}

std::string describe(const std::u16string &s)
{
    std::string out;
    for (char16_t c : s) {
        char code[12];
        std::snprintf(code, sizeof code, "U+%04X ", unsigned(c));
        out += code;
    }
    return out;
}

struct Difference
{
    std::u16string system;
    std::u16string portable;
};

TEST(WidthParity, SystemMappingAgreesWithThePortableOneExceptWhereListed)
{
    std::map<std::pair<Direction, std::u16string>, Difference> found;
    auto compare = [&](Direction d, const std::u16string &input) {
        const std::u16string system = d == ToFull ? systemFullWidth(input) : systemHalfWidth(input);
        const std::u16string portable = d == ToFull ? toFullWidth(input) : toHalfWidth(input);
        if (system != portable)
            found[{d, input}] = {system, portable};
    };
    for (char32_t c = 0x20; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue; // surrogates are no characters of their own
        const std::u16string one(1, char16_t(c));
        compare(ToFull, one);
        compare(ToHalf, one);
    }
    for (char16_t kana = 0xFF66; kana <= 0xFF9D; ++kana) {
        compare(ToFull, std::u16string{kana, u'ﾞ'});
        compare(ToFull, std::u16string{kana, u'ﾟ'});
    }

    std::set<std::pair<Direction, std::u16string>> listed;
    for (const KnownDifference &known : knownDifferences()) {
        listed.insert({known.direction, known.input});
        const auto it = found.find({known.direction, known.input});
        ASSERT_NE(it, found.end()) << "listed but not seen: " << describe(known.input) << "(" << known.reason << ")";
        EXPECT_EQ(it->second.system, known.system) << describe(known.input);
        EXPECT_EQ(it->second.portable, known.portable) << describe(known.input);
    }
    for (const auto &[key, difference] : found) {
        EXPECT_TRUE(listed.count(key)) << (key.first == ToFull ? "to full width: " : "to half width: ")
                                       << describe(key.second) << "-> system " << describe(difference.system)
                                       << "/ portable " << describe(difference.portable);
    }
}

TEST(WidthParity, WholeStringsMapAsTheTextToolsRelyOn)
{
    // The behaviour the commands rely on, on the system's mapping itself.
    EXPECT_EQ(systemFullWidth(u"ｶﾞｷﾞ ﾊﾟﾝ No.1"), u"ガギ　パン　Ｎｏ．１");
    EXPECT_EQ(systemHalfWidth(u"ガ\u3000Ａ"), u"ｶﾞ A") << "three characters become four";
    EXPECT_EQ(systemFullWidth(u""), u"");
    EXPECT_EQ(systemHalfWidth(u"漢字ひらがな"), u"漢字ひらがな");
    EXPECT_EQ(systemUpper(u"abcａｂｃäß"), u"ABCＡＢＣÄß") << "full-width letters fold too; the length stays";
}

} // namespace
