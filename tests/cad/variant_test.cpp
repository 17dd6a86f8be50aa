#include "cad/caderror.h"
#include "cad/point.h"
#include "cad/ustring.h"
#include "cad/variant.h"

#include <gtest/gtest.h>

using namespace cad;

TEST(CadVariant, NumbersConvertBetweenEachOther)
{
    EXPECT_EQ(Variant(int16_t(7)).toInt64(), 7);
    EXPECT_EQ(Variant(int32_t(-3)).toInt32(), -3);
    EXPECT_EQ(Variant(int64_t(1) << 40).toInt64(), int64_t(1) << 40);
    EXPECT_DOUBLE_EQ(Variant(int32_t(2)).toDouble(), 2.0);
    EXPECT_EQ(Variant(2.9).toInt64(), 2);
    EXPECT_TRUE(Variant(int32_t(-1)).toBool());
    EXPECT_FALSE(Variant(false).toBool());
}

TEST(CadVariant, WrongTypeThrowsTheOneErrorType)
{
    EXPECT_THROW(Variant(u"abc").toInt64(), CadError);
    EXPECT_THROW(Variant(1.0).toString(), CadError);
    EXPECT_THROW(Variant().toObject(), CadError);
    EXPECT_EQ(Variant().toString(), u"");
}

TEST(CadVariant, PointsFromEveryArrayForm)
{
    EXPECT_EQ(toPoint(toVariant(Point{1, 2, 3})), (Point{1, 2, 3}));
    EXPECT_EQ(toPoint(Variant(std::vector<Variant>{1.5, int32_t(2)})), (Point{1.5, 2, 0}));
    EXPECT_THROW(toPoint(Variant(std::vector<double>{1})), CadError);
}

TEST(CadStrings, Utf8RoundTripKeepsJapaneseAndSurrogates)
{
    const std::u16string text = u"機器名ﾓｰﾀｰ𠮷A";
    EXPECT_EQ(fromUtf8(toUtf8(text)), text);
    EXPECT_EQ(toUtf8(u"ポンプ"), "ポンプ");
    EXPECT_TRUE(equalsIgnoreAsciiCase(u"TextString", u"TEXTSTRING"));
    EXPECT_FALSE(equalsIgnoreAsciiCase(u"ｔ", u"Ｔ"));
    const CadError error(u"オブジェクトは削除されています");
    EXPECT_STREQ(error.what(), "オブジェクトは削除されています");
}
