// The DXF file layer on drawings as they come from the field: the code page
// of files that name none, repeated handles, a stale $HANDSEED, damage no
// edit touches, bytes the code page leaves undefined.

#include "fielddrawings.h"

#include "dxf/dxferror.h"
#include "dxf/dxffile.h"

#include <gtest/gtest.h>

namespace {

using namespace standintest;
using Source = DxfFile::CodePageSource;

// The drawing with $DWGCODEPAGE set to `codePage` right after $ACADVER.
QByteArray withCodePage(QByteArray bytes, const QByteArray &codePage)
{
    const QByteArray lineEnd = bytes.contains("\r\n") ? "\r\n" : "\n";
    const QByteArray version = "$ACADVER" + lineEnd + "  1" + lineEnd + "AC1009" + lineEnd;
    EXPECT_TRUE(bytes.contains(version));
    return bytes.replace(version, version + "  9" + lineEnd + "$DWGCODEPAGE" + lineEnd + "  3" + lineEnd
                                          + codePage + lineEnd);
}

// Every TEXT string and ATTRIB value of model space, by handle.
QHash<QString, QString> stringsOf(const DxfDrawing &drawing)
{
    QHash<QString, QString> strings;
    for (const DxfEntity &entity : drawing.entities) {
        if (const auto *text = std::get_if<DxfText>(&entity.data))
            strings.insert(entity.handle, text->string);
        if (const auto *insert = std::get_if<DxfInsert>(&entity.data)) {
            for (const DxfAttribute &attribute : insert->attributes)
                strings.insert(attribute.handle, attribute.text.string);
        }
    }
    return strings;
}

QHash<QString, QString> expectedStrings(const std::vector<FieldText> &texts)
{
    QHash<QString, QString> strings;
    for (const FieldText &text : texts)
        strings.insert(text.handle, text.string);
    return strings;
}

// The lines of two files that differ (the files have as many lines).
QList<QByteArray> changedLines(const QByteArray &before, const QByteArray &after)
{
    const QList<QByteArray> a = before.split('\n');
    const QList<QByteArray> b = after.split('\n');
    EXPECT_EQ(a.size(), b.size());
    QList<QByteArray> changed;
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (a[i] != b[i])
            changed << b[i];
    }
    return changed;
}

QByteArray valueOf(const DxfObject *object, int code)
{
    const DxfGroup *group = object ? object->find(code) : nullptr;
    return group ? group->trimmedValue() : QByteArray("<absent>");
}

} // namespace

TEST(DxfFieldDrawings, CodePageFromTheHeaderTheReaderOrTheTexts)
{
    const QByteArray r2007 = QByteArray(shiftJisR12()).replace("AC1009", "AC1021");
    const struct
    {
        const char *name;
        QByteArray bytes;
        QByteArray given;
        Source source;
        QByteArray codePage;
        QStringList notes;
    } cases[] = {
        {"Shift_JIS, none declared", shiftJisR12(), {}, Source::Detected, "ANSI_932", {}},
        {"windows-1252, none declared", latinR12(), {}, Source::Detected, "ANSI_1252", {}},
        {"ASCII, none declared", asciiR12(), {}, Source::Detected, "ANSI_1252", {}},
        {"a declared one wins", withCodePage(shiftJisR12(), "ANSI_1252"), {}, Source::Declared, "ANSI_1252", {}},
        {"a DOS name in any case", withCodePage(latinR12(), "dos932"), {}, Source::Declared, "DOS932", {}},
        {"an unknown name", withCodePage(shiftJisR12(), "JIS_X0208"), {}, Source::Detected, "ANSI_932",
         {QStringLiteral("code page \"JIS_X0208\" is unknown; the texts read as ANSI_932")}},
        {"the reader's word wins", shiftJisR12(), "ansi_1252", Source::Given, "ANSI_1252", {}},
        {"over a declared one too", withCodePage(latinR12(), "ANSI_1252"), "ANSI_932", Source::Given,
         "ANSI_932", {}},
        {"R2007 is UTF-8", r2007, "ANSI_932", Source::Unicode, "UTF-8",
         {QStringLiteral("code page ANSI_932 not used: the drawing is R2007 or later, always UTF-8")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const DxfFile file = DxfFile::fromBytes(c.bytes, c.given);
        EXPECT_EQ(file.codePageSource(), c.source);
        EXPECT_EQ(file.codec().codePage(), c.codePage);
        EXPECT_EQ(file.readNotes(), c.notes);
    }
    EXPECT_THROW(DxfFile::fromBytes(shiftJisR12(), "ANSI_9999"), DxfError);
}

TEST(DxfFieldDrawings, TextsOfDrawingsWithoutACodePageReadRight)
{
    {
        SCOPED_TRACE("Shift_JIS");
        const DxfFile file = DxfFile::fromBytes(shiftJisR12());
        EXPECT_FALSE(file.isModified());
        EXPECT_EQ(file.toBytes(), shiftJisR12());
        const DxfDrawing drawing = file.drawing();
        EXPECT_EQ(stringsOf(drawing), expectedStrings(shiftJisR12Texts()));
        QStringList layers;
        for (const DxfLayer &layer : drawing.layers)
            layers << layer.name;
        EXPECT_EQ(layers, (QStringList{"0", QStringLiteral("図枠"), QStringLiteral("機器")}));
        EXPECT_EQ(drawing.entities.front().layer, QStringLiteral("図枠"));
        EXPECT_EQ(std::get<DxfText>(drawing.entities.front().data).style, QStringLiteral("標準"));
        ASSERT_EQ(drawing.blocks.size(), 1);
        EXPECT_EQ(drawing.blocks.front().name, QStringLiteral("機器"));
        EXPECT_EQ(std::get<DxfAttributeDefinition>(drawing.blocks.front().entities.front().data).prompt,
                  QStringLiteral("機器名"));
        EXPECT_EQ(std::get<DxfInsert>(drawing.entities.back().data).blockName, QStringLiteral("機器"));
    }
    {
        SCOPED_TRACE("windows-1252");
        const DxfFile file = DxfFile::fromBytes(latinR12());
        EXPECT_EQ(file.toBytes(), latinR12());
        const DxfDrawing drawing = file.drawing();
        EXPECT_EQ(stringsOf(drawing), expectedStrings(latinR12Texts()));
        EXPECT_EQ(drawing.layers.at(1).name, QStringLiteral("Straße"));
    }
}

TEST(DxfFieldDrawings, EditsAreWrittenInTheCodePageInUseAndNothingElseChanges)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
        QString handle;
        QString text;
        QByteArray line;    // the value line written, with its line end
    } cases[] = {
        {"Shift_JIS, 0x5C trail bytes and an escape", shiftJisR12(), "21", QStringLiteral("表示盤ｿﾌﾄé"),
         "\x95\x5C\x8E\xA6\x94\xD5\xBF\xCC\xC4\\U+00E9\r"},
        {"Shift_JIS, NEC and IBM characters", shiftJisR12(), "29", QStringLiteral("①㈱№髙"),
         "\x87\x40\x87\x8A\x87\x82\xFB\xFC\r"},
        {"windows-1252, quotes and umlauts", latinR12(), "22", QStringLiteral("„Änderung 2“ – ﾓ"),
         "\x84\xC4nderung 2\x93 \x96 \\U+FF93"},
        {"ASCII, Japanese as escapes", asciiR12(), "2", QStringLiteral("Ａ－１"),
         "\\U+FF21\\U+FF0D\\U+FF11"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        DxfFile file = DxfFile::fromBytes(c.bytes);
        const QByteArray before = file.toBytes();
        file.setString(c.handle, c.text);
        const QByteArray after = file.toBytes();
        EXPECT_EQ(changedLines(before, after), QList<QByteArray>{c.line});
        EXPECT_FALSE(after.contains("$DWGCODEPAGE")) << "the header stays as it was";
        const DxfFile reread = DxfFile::fromBytes(after);
        EXPECT_EQ(reread.codec().codePage(), file.codec().codePage());
        EXPECT_EQ(stringsOf(reread.drawing()).value(c.handle), c.text);
    }
}

TEST(DxfFieldDrawings, RepeatedHandlesAreMadeUniqueInFileOrder)
{
    const DxfFile file = DxfFile::fromBytes(repeatedHandles());
    QStringList renumbered;
    for (const DxfFile::RenumberedHandle &change : file.renumberedHandles())
        renumbered << change.was + "->" + change.now;
    EXPECT_EQ(renumbered, (QStringList{"40->60", "11->61", "42->62", "40->63", "50->64"}));
    EXPECT_EQ(file.readNotes(), (QStringList{"handle 40 is in use; now 60", "handle 11 is in use; now 61",
                                             "handle 42 is in use; now 62", "handle 40 is in use; now 63",
                                             "handle 50 is in use; now 64"}));
    EXPECT_TRUE(file.isModified());
    EXPECT_EQ(file.headerValue("$HANDSEED"), "65");
    expectHandlesUnique(file);

    // The first object keeps its handle: the table entry, the INSERT, the
    // entity before the OBJECTS section.
    EXPECT_EQ(file.object("11")->type(), "LAYER");
    EXPECT_EQ(valueOf(file.object("61"), 1), "over a layer");
    EXPECT_EQ(file.object("42")->type(), "INSERT");
    EXPECT_EQ(valueOf(file.object("62"), 1), "insert and attrib");
    EXPECT_EQ(valueOf(file.object("62"), 330), "42");
    EXPECT_EQ(valueOf(file.object("50"), 1), "over an xrecord");
    EXPECT_EQ(file.object("64")->type(), "XRECORD");
    // A renumbered INSERT takes its ATTRIBs and SEQEND along.
    EXPECT_EQ(file.object("63")->type(), "INSERT");
    for (const char *part : {"46", "47", "48"})
        EXPECT_EQ(valueOf(file.object(part), 330), "63") << part;
    EXPECT_EQ(valueOf(file.object("40"), 1), "first");
    EXPECT_EQ(valueOf(file.object("60"), 1), "second");

    // The typed view knows every entity by its own handle.
    const DxfDrawing drawing = file.drawing();
    QStringList handles;
    for (const DxfEntity &entity : drawing.entities) {
        handles << entity.handle;
        if (const auto *insert = std::get_if<DxfInsert>(&entity.data)) {
            for (const DxfAttribute &attribute : insert->attributes)
                handles << attribute.handle;
        }
    }
    EXPECT_EQ(handles, (QStringList{"40", "60", "61", "42", "62", "43", "63", "46", "47", "50"}));

    // Saved, it reads without a repair.
    const DxfFile reread = DxfFile::fromBytes(file.toBytes());
    EXPECT_FALSE(reread.isModified());
    EXPECT_TRUE(reread.renumberedHandles().isEmpty());
    EXPECT_EQ(reread.toBytes(), file.toBytes());
}

TEST(DxfFieldDrawings, FreshHandlesLieAboveAStaleSeedAndEveryHandle)
{
    DxfFile file = DxfFile::fromBytes(staleHandleSeed());
    // The TEXT without a handle takes the first fresh one.
    EXPECT_EQ(file.assignedHandleCount(), 1);
    EXPECT_EQ(valueOf(file.object("80"), 1), "without a handle");
    EXPECT_EQ(file.nextHandle(), 0x81u);
    EXPECT_EQ(file.copyEntity("40"), "81");
    EXPECT_EQ(file.copyEntity("60"), "82");    // INSERT, two ATTRIBs, SEQEND
    EXPECT_EQ(file.headerValue("$HANDSEED"), "86");
    EXPECT_EQ(file.object("50"), nullptr) << "the gap a dangling pointer names stays free";
    EXPECT_EQ(file.object("20")->type(), "BLOCK");
    expectHandlesUnique(file);
    for (const char *part : {"83", "84", "85"})
        EXPECT_EQ(valueOf(file.object(part), 330), "82") << part;
}

TEST(DxfFieldDrawings, DamageNoEditTouchesStaysAsRead)
{
    DxfFile file = DxfFile::fromBytes(damagedTables());
    EXPECT_FALSE(file.isModified());
    EXPECT_TRUE(file.readNotes().isEmpty());
    EXPECT_EQ(file.toBytes(), damagedTables());
    const DxfDrawing drawing = file.drawing();
    ASSERT_EQ(drawing.layers.size(), 2);
    EXPECT_EQ(drawing.layers.at(1).name, "Frame");
    EXPECT_EQ(stringsOf(drawing), (QHash<QString, QString>{{"40", "owner missing"}, {"41", "owner 99 missing"}}));

    file.setString("40", QStringLiteral("Eigentümer fehlt"));
    file.setString("41", QStringLiteral("owner 99 still missing"));
    EXPECT_EQ(changedLines(damagedTables(), file.toBytes()),
              (QList<QByteArray>{"Eigent\xFCmer fehlt", "owner 99 still missing"}));
}

TEST(DxfFieldDrawings, UndefinedBytesOfADeclaredCodePageSurviveEditsOrRefuseThem)
{
    // R12 declared ANSI_932 whose writer left a code no table fills and a
    // lead byte cut off at the end of a string.
    QByteArray bytes = withCodePage(asciiR12(), "ANSI_932");
    bytes.replace("PLAN 1:50", "\x85\x40\x95\x5C");
    bytes.replace("A-1", "\x82\xA0\x82");
    DxfFile file = DxfFile::fromBytes(bytes);
    EXPECT_EQ(file.codePageSource(), Source::Declared);
    const QHash<QString, QString> strings = stringsOf(file.drawing());
    const QString undefined = QStringLiteral("\uF785\uF740表");
    const QString cut = QStringLiteral("あ") + QChar(0xF782);
    EXPECT_EQ(strings.value("1"), undefined);
    EXPECT_EQ(strings.value("2"), cut);

    const QByteArray asRead = file.toBytes();
    file.setString("1", QStringLiteral("（") + undefined + QStringLiteral("）"));
    EXPECT_EQ(changedLines(asRead, file.toBytes()), QList<QByteArray>{"\x81\x69\x85\x40\x95\x5C\x81\x6A"});

    const QByteArray edited = file.toBytes();
    EXPECT_THROW(file.setString("2", cut + QStringLiteral("い")), DxfError);
    EXPECT_THROW(file.setString("1", undefined.mid(1)), DxfError);
    EXPECT_EQ(file.toBytes(), edited) << "a refused edit writes nothing";
}
