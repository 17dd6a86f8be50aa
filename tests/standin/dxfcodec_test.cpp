#include "dxf/dxfcodec.h"
#include "dxf/dxferror.h"

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
    EXPECT_EQ(DxfCodec::converterName(" Ansi_1252 "), "windows-1252");
    EXPECT_EQ(DxfCodec::converterName("dos850"), "IBM850");
    EXPECT_EQ(DxfCodec::converterName("DOS932"), "CP932");
    // Absent or unknown: no code page at all, not silently windows-1252.
    EXPECT_EQ(DxfCodec::converterName(""), "");
    EXPECT_EQ(DxfCodec::converterName("ASCII"), "");
    EXPECT_EQ(DxfCodec::converterName("UNDEFINED"), "");
    EXPECT_THROW(DxfCodec::forCodePage("ANSI_9999"), DxfError);
    EXPECT_EQ(DxfCodec::forCodePage("dos850").codePage(), "DOS850");
    // Every code page a drawing may name has a converter here.
    for (const char *codePage : {"ANSI_874", "ANSI_932", "ANSI_936", "ANSI_949", "ANSI_950",
                                 "ANSI_1250", "ANSI_1251", "ANSI_1252", "ANSI_1253", "ANSI_1254",
                                 "ANSI_1255", "ANSI_1256", "ANSI_1257", "ANSI_1258", "DOS437",
                                 "DOS737", "DOS775", "DOS850", "DOS852", "DOS855", "DOS857", "DOS860",
                                 "DOS861", "DOS863", "DOS864", "DOS865", "DOS866", "DOS869", "DOS932",
                                 "MACINTOSH", "BIG5", "GB2312", "KSC5601"}) {
        EXPECT_NO_THROW(DxfCodec::forCodePage(codePage)) << codePage;
    }
    EXPECT_EQ(DxfCodec("AC1015", "ANSI_949").decode("\xB0\xA1"), QStringLiteral("가"));
    EXPECT_EQ(DxfCodec("AC1015", "dos850").decode("\x81\x9B"), QStringLiteral("üø"));
    EXPECT_EQ(DxfCodec("AC1015", "DOS866").decode("\x8F\xAB\xA0\xAD"), QStringLiteral("План"));
    EXPECT_EQ(DxfCodec("AC1015", "DOS932").decode("\x95\x5C"), QStringLiteral("表"));
    // What the header alone says of a name it does not know.
    EXPECT_EQ(DxfCodec("AC1015", "ASCII").codePage(), "ANSI_1252");
    EXPECT_TRUE(DxfCodec("AC1021", "ANSI_932").isUtf8());
    EXPECT_FALSE(DxfCodec("AC1018", "ANSI_932").isUtf8());
}

// Bytes a code page leaves undefined read as U+F700 + byte, never U+FFFD,
// and come back as they were, also beside an edit.
TEST(DxfCodec, UndefinedBytesComeBackByteForByte)
{
    const struct
    {
        const char *codePage;
        QByteArray bytes;
        QString expected;
    } cases[] = {
        // A double-byte code no table fills takes its trail byte along.
        {"ANSI_932", "\x85\x40", QStringLiteral("\uF785\uF740")},
        {"ANSI_932", "\x82\xF5\x82\xA0", QStringLiteral("\uF782\uF7F5あ")},
        {"ANSI_932", "\xEB\x9F" "A", QStringLiteral("\uF7EB\uF79FA")},
        // A lead byte cut off, or before a byte no trail can be.
        {"ANSI_932", "\x82\xA0\x82", QStringLiteral("あ") + QChar(0xF782)},
        {"ANSI_932", "\x82\x09", QStringLiteral("\uF782\t")},
        // A broken UTF-8 sequence.
        {"UTF-8", "\xE6\x97" "A\xFF", QStringLiteral("\uF7E6\uF797A\uF7FF")},
        {"DOS864", "A\xFF", QStringLiteral("A\uF7FF")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        const DxfCodec codec = QByteArray(c.codePage) == "UTF-8" ? DxfCodec() : DxfCodec::forCodePage(c.codePage);
        const QString text = codec.decode(c.bytes);
        EXPECT_EQ(text, c.expected);
        EXPECT_FALSE(text.contains(QChar(QChar::ReplacementCharacter)));
        EXPECT_EQ(codec.encode(text), c.bytes);
        // Edits around them keep them (after a blank, which no trail byte
        // can be, even a cut-off lead byte).
        EXPECT_EQ(codec.encode(QStringLiteral("Ｘ") + text + QStringLiteral(" Ω")),
                  codec.encode(QStringLiteral("Ｘ")) + c.bytes + codec.encode(QStringLiteral(" Ω")));
    }
}

TEST(DxfCodec, AnEditThatWouldChangeUndefinedBytesIsRefused)
{
    const DxfCodec shiftJis = DxfCodec::forCodePage("ANSI_932");
    const QString undefinedPair = shiftJis.decode("\x85\x40");
    const struct
    {
        const char *name;
        QString text;
    } cases[] = {
        // Without its trail byte the lead byte would take the next character's.
        {"half of a pair", undefinedPair.left(1) + QStringLiteral("A")},
        {"a cut-off lead before a character", shiftJis.decode("\x82\xA0\x82") + QStringLiteral("あ")},
        {"a lead before an escape", undefinedPair.left(1) + QStringLiteral("\\U+00E9")},
        // The character alone, where no undefined byte was.
        {"typed", QString(QChar(0xF741))},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        try {
            const QByteArray bytes = shiftJis.encode(c.text);
            ADD_FAILURE() << "written as " << bytes.toHex().constData();
        } catch (const DxfError &error) {
            EXPECT_TRUE(error.message().contains(QLatin1String("ANSI_932"))) << error.message().toStdString();
        }
    }
}
