#include "dxf/dxfcodec.h"

#include <gtest/gtest.h>

namespace {

struct DecodeCase
{
    const char *version;
    const char *codePage;
    QByteArray bytes;
    QString expected;
};

struct EncodeCase
{
    const char *version;
    const char *codePage;
    QString text;
    QByteArray expected;
};

} // namespace

TEST(DxfCodec, DecodesByVersionAndCodePage)
{
    const DecodeCase cases[] = {
        // R2007 and later are UTF-8 whatever the code page says.
        {"AC1032", "ANSI_932", "\xE6\x97\xA5\xE6\x9C\xAC", QStringLiteral("日本")},
        {"AC1024", "ASCII", "Ersatz f\xC3\xBCr:", QStringLiteral("Ersatz für:")},
        // Older files: Shift_JIS as Windows writes it, trail byte 0x5C included.
        {"AC1015", "ANSI_932", "\x95\x5C\x82\xA0\xD3", QStringLiteral("表あﾓ")},
        {"AC1009", "ANSI_932", "\x81\x60\x87\x40", QStringLiteral("～①")},
        {"AC1015", "ANSI_1252", "\xC4nderung \x80", QStringLiteral("Änderung €")},
        {"AC1015", "", "\xE9t\xE9", QStringLiteral("été")},
        // \U+XXXX escapes, hex digits in either case, in every version.
        {"AC1015", "ANSI_1252", "\\U+00c4nderung", QStringLiteral("Änderung")},
        {"AC1015", "ANSI_1252", "\\U+00C4nderung", QStringLiteral("Änderung")},
        {"AC1032", "ANSI_1252", "a\\U+65E5b", QStringLiteral("a日b")},
        {"AC1015", "ANSI_1252", "\\U+D83D\\U+DE00", QStringLiteral("\U0001F600")},
        // Not an escape: kept as written.
        {"AC1015", "ANSI_1252", "\\U+00G1 \\U+12", QStringLiteral("\\U+00G1 \\U+12")},
        {"AC1015", "ANSI_1252", "C:\\Users", QStringLiteral("C:\\Users")},
    };
    for (const DecodeCase &c : cases) {
        const DxfCodec codec(c.version, c.codePage);
        EXPECT_EQ(codec.decode(c.bytes), c.expected) << c.version << " " << c.codePage << " "
                                                     << c.bytes.toHex().constData();
    }
}

TEST(DxfCodec, EncodesWhatTheCodePageCannotHoldAsEscapes)
{
    const EncodeCase cases[] = {
        {"AC1015", "ANSI_1252", QStringLiteral("Änderung"), "\xC4nderung"},
        {"AC1015", "ANSI_1252", QStringLiteral("Ä＊日€"), "\xC4\\U+FF0A\\U+65E5\x80"},
        {"AC1015", "ANSI_932", QStringLiteral("表ﾓ①é"), "\x95\x5C\xD3\x87\x40\\U+00E9"},
        {"AC1009", "ANSI_932", QStringLiteral("～"), "\x81\x60"},
        {"AC1015", "ANSI_1252", QStringLiteral("\U0001F600"), "\\U+D83D\\U+DE00"},
        {"AC1032", "ANSI_932", QStringLiteral("日本é"), "\xE6\x97\xA5\xE6\x9C\xAC\xC3\xA9"},
        // A line break would split the group.
        {"AC1032", "ANSI_1252", QStringLiteral("a\nb"), "a\\U+000Ab"},
        {"AC1015", "ANSI_1252", QStringLiteral("a\r\nb"), "a\\U+000D\\U+000Ab"},
    };
    for (const EncodeCase &c : cases) {
        const DxfCodec codec(c.version, c.codePage);
        const QByteArray encoded = codec.encode(c.text);
        EXPECT_EQ(encoded, c.expected) << c.version << " " << c.codePage << " "
                                       << encoded.toHex().constData();
        EXPECT_EQ(codec.decode(encoded), c.text);
    }
}

TEST(DxfCodec, CodePageNamesMapToConverters)
{
    EXPECT_EQ(DxfCodec::converterName("ANSI_932"), "CP932");
    EXPECT_EQ(DxfCodec::converterName("ansi_1251"), "windows-1251");
    EXPECT_EQ(DxfCodec::converterName(""), "windows-1252");
    EXPECT_EQ(DxfCodec::converterName("ASCII"), "windows-1252");
    // Every code page a drawing may name has a converter here.
    for (const char *codePage : {"ANSI_874", "ANSI_932", "ANSI_936", "ANSI_949", "ANSI_950",
                                 "ANSI_1250", "ANSI_1251", "ANSI_1252", "ANSI_1253", "ANSI_1254",
                                 "ANSI_1255", "ANSI_1256", "ANSI_1257", "ANSI_1258", "DOS437",
                                 "DOS850", "DOS852", "DOS866", "DOS932"}) {
        EXPECT_NO_THROW(DxfCodec("AC1015", codePage)) << codePage;
    }
    EXPECT_EQ(DxfCodec("AC1015", "ANSI_949").decode("\xB0\xA1"), QStringLiteral("가"));
    EXPECT_TRUE(DxfCodec("AC1021", "ANSI_932").isUtf8());
    EXPECT_FALSE(DxfCodec("AC1018", "ANSI_932").isUtf8());
}
