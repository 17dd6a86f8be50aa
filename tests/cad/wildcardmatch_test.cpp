#include "cad/memory/wildcardmatch.h"

#include <gtest/gtest.h>

using cad::wildcardMatch;

namespace {

struct Case
{
    const char16_t *text;
    const char16_t *pattern;
    bool matches;
};

TEST(CadWildcard, CadRules)
{
    const Case cases[] = {
        {u"ABC", u"*", true},
        {u"", u"*", true},
        {u"", u"?", false},
        {u"ABC", u"A*", true},
        {u"ABC", u"*C", true},
        {u"ABC", u"*B*", true},
        {u"ABC", u"*D*", false},
        {u"ABC", u"A?C", true},
        {u"AC", u"A?C", false},
        {u"P-12", u"P-##", true},
        {u"P-1A", u"P-##", false},
        {u"X1", u"@#", true},
        {u"11", u"@#", false},
        {u"A-B", u"A.B", true},
        {u"A1B", u"A.B", false},
        {u"機器", u"..", true},               // kanji are neither digit nor letter
        {u"B", u"[ABC]", true},
        {u"D", u"[ABC]", false},
        {u"M", u"[A-Z]", true},
        {u"m", u"[A-Z]", false},
        {u"D", u"[~ABC]", true},
        {u"A", u"[~ABC]", false},
        {u"ABC", u"~ABC", false},
        {u"ABD", u"~ABC", true},
        {u"ABD", u"~AB*", false},
        {u"*U2", u"`*U2", true},
        {u"XU2", u"`*U2", false},
        {u"a,b", u"a`,b", true},
        {u"MOTOR1", u"PUMP*,MOTOR*", true},
        {u"PUMP", u"PUMP*,MOTOR*", true},
        {u"FAN", u"PUMP*,MOTOR*", false},
        {u"FAN", u"PUMP*,~MOTOR*", true},
        {u"ポンプ-01", u"*ポンプ*", true},
        {u"ﾓｰﾀｰ1", u"ﾓｰﾀｰ#", true},
        {u"abc", u"ABC", false},               // text strings compare with case
        {u"A[B", u"A[B", true},                // an unclosed bracket is itself
        {u"aXbXc", u"a*b*c", true},
        {u"aXbX", u"a*b*c", false},
        // A comma inside brackets is a member, never a split.
        {u",", u"[a,b]", true},
        {u"b", u"[a,b]", true},
        {u"c", u"[a,b]", false},
        {u"A,B", u"A[,]B,C", true},
        {u"C", u"A[,]B,C", true},
        {u"A", u"A[,]B,C", false},
        // "]" right after "[" or "[~" is a member; the split agrees.
        {u"]", u"[]a]", true},
        {u"a", u"[]a]", true},
        {u"_", u"[]-a]", true},                // the range ] to a
        {u",x", u"[],]x", true},
        {u"]x", u"[],]x", true},
        {u"ax", u"[],]x", false},
        {u"ax", u"[~],]x", true},             // one pattern, not "[~]" and "]x"
        {u"]x", u"[~],]x", false},
        {u",x", u"[~],]x", false},
        {u"]", u"[~]]", false},
        {u"a", u"[~]]", true},
        // A hyphen at either end of a set is a member.
        {u"-", u"[-a]", true},
        {u"a", u"[-a]", true},
        {u"b", u"[-a]", false},
        {u"-", u"[a-]", true},
        {u"b", u"[a-]", false},
        {u"-", u"[~-]", false},
        {u"x", u"[~-]", true},
        {u"[~]", u"[~]", true},                // never closed: itself
    };
    for (const Case &c : cases) {
        EXPECT_EQ(wildcardMatch(c.text, c.pattern), c.matches)
            << "case " << (&c - cases);
    }
}

// A character beyond the BMP (𠮷 of Japanese family names, emoji) is one
// character, though UTF-16 holds it in two units.
TEST(CadWildcard, SurrogatePairIsOneCharacter)
{
    const Case cases[] = {
        {u"𠮷田", u"?田", true},
        {u"𠮷田", u"??田", false},
        {u"𠮷", u"?", true},
        {u"𠮷", u"[~A-Z]", true},
        {u"𠮷", u"[𠮷]", true},
        {u"\xD842", u"[𠮷]", false},   // a lone high surrogate is not the pair
        {u"𩸽", u"[𠮷-𪚲]", true},   // ranges between characters beyond the BMP
        {u"𠮷", u".", true},
        {u"a𠮷b", u"a`?b", false},
        {u"a\xD842" u"b", u"a?b", true},   // a lone surrogate stays one character
    };
    for (const Case &c : cases) {
        EXPECT_EQ(wildcardMatch(c.text, c.pattern), c.matches)
            << "case " << (&c - cases);
    }
}

// "@" takes the Latin letters with diacritics of Latin Extended Additional
// too (Ẁ, Ỳ, Vietnamese ạ), not full-width letters, as "#" takes no
// full-width digits.
TEST(CadWildcard, LettersWithDiacritics)
{
    const Case cases[] = {
        {u"Ẁ", u"@", true},
        {u"ạ", u"@", true},
        {u"Ḃ1", u"@#", true},
        {u"Ẁ", u".", false},
        {u"Ǿ", u"@", true},
        {u"×", u"@", false},
        {u"Ａ", u"@", false},
        {u"１", u"#", false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(wildcardMatch(c.text, c.pattern), c.matches)
            << "case " << (&c - cases);
    }
}

TEST(CadWildcard, IgnoreCaseFoldsAsciiOnly)
{
    EXPECT_TRUE(wildcardMatch(u"text", u"TEXT", true));
    EXPECT_TRUE(wildcardMatch(u"Motor-1", u"MOTOR*", true));
    EXPECT_TRUE(wildcardMatch(u"m", u"[A-Z]", true));
    EXPECT_FALSE(wildcardMatch(u"ｔｅｘｔ", u"ＴＥＸＴ", true));
}

TEST(CadWildcard, LongTextWithManyStarsStaysLinear)
{
    const std::u16string text(20000, u'a');
    EXPECT_FALSE(wildcardMatch(text, u"*a*a*a*a*a*b"));
    EXPECT_TRUE(wildcardMatch(text + u"b", u"*a*a*a*a*a*b"));
}

} // namespace
