#include "transform/localeupper.h"

#include <gtest/gtest.h>

namespace {

TEST(TransformLocaleUpper, FoldsLettersOfEachScript)
{
    const struct
    {
        std::u16string lower;
        std::u16string upper;
    } cases[] = {
        {u"abc xyz 123", u"ABC XYZ 123"},
        {u"ａｂｚＡ", u"ＡＢＺＡ"},
        {u"àéöøþÿ", u"ÀÉÖØÞŸ"},
        {u"÷ß", u"÷ß"}, // no single upper-case letter: unchanged
        {u"āăĳłňŋžſ", u"ĀĂĲŁŇŊŽS"},
        {u"αβγωςάώ", u"ΑΒΓΩΣΆΏ"},
        {u"абвяёђџ", u"АБВЯЁЂЏ"},
        {u"かなカナ漢字", u"かなカナ漢字"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(toLocaleUpper(c.lower), c.upper);
}

TEST(TransformLocaleUpper, UpperCaseLettersStay)
{
    const std::u16string upper = u"ABCÀĀĲŁΑΣАЁＡＺ";
    EXPECT_EQ(toLocaleUpper(upper), upper);
}

} // namespace
