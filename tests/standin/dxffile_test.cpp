#include "fielddrawings.h"

#include "dxf/dxferror.h"
#include "dxf/dxffile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

using standintest::makeDxf;

// R12 without handles, Shift_JIS (図枠, 機器名, 日本), a paper space circle.
QByteArray r12ShiftJis()
{
    return makeDxf({
        {0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1009"},
        {9, "$DWGCODEPAGE"}, {3, "ANSI_932"}, {9, "$HANDLING"}, {70, "0"},
        {9, "$HANDSEED"}, {5, "2A"}, {0, "ENDSEC"},
        {0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "LAYER"}, {70, "2"},
        {0, "LAYER"}, {2, "0"}, {70, "0"}, {62, "7"}, {6, "CONTINUOUS"},
        {0, "LAYER"}, {2, "\x90\x7d\x98\x67"}, {70, "4"}, {62, "1"}, {6, "CONTINUOUS"},
        {0, "ENDTAB"}, {0, "ENDSEC"},
        {0, "SECTION"}, {2, "BLOCKS"},
        {0, "BLOCK"}, {8, "0"}, {2, "DEV"}, {70, "2"}, {10, "0.0"}, {20, "0.0"}, {30, "0.0"}, {3, "DEV"},
        {0, "ATTDEF"}, {8, "0"}, {10, "1.0"}, {20, "2.0"}, {30, "0.0"}, {40, "2.5"}, {1, "M1"},
        {3, "\x8b\x40\x8a\xed\x96\xbc"}, {2, "NAME"}, {70, "0"},
        {0, "LINE"}, {8, "0"}, {10, "0.0"}, {20, "0.0"}, {30, "0.0"}, {11, "10.0"}, {21, "0.0"}, {31, "0.0"},
        {0, "ENDBLK"}, {8, "0"},
        {0, "ENDSEC"},
        {0, "SECTION"}, {2, "ENTITIES"},
        {0, "TEXT"}, {8, "\x90\x7d\x98\x67"}, {10, "1.0"}, {20, "2.0"}, {30, "0.0"}, {40, "2.5"},
        {1, "\x93\xfa\x96\x7b"},
        {0, "INSERT"}, {8, "0"}, {66, "1"}, {2, "DEV"}, {10, "5.0"}, {20, "6.0"}, {30, "0.0"},
        {0, "ATTRIB"}, {8, "0"}, {10, "6.0"}, {20, "8.0"}, {30, "0.0"}, {40, "2.5"}, {1, "M1"},
        {2, "NAME"}, {70, "0"},
        {0, "SEQEND"}, {8, "0"},
        {0, "CIRCLE"}, {8, "0"}, {67, "1"}, {10, "3.0"}, {20, "4.0"}, {30, "0.0"}, {40, "1.5"},
        {0, "POLYLINE"}, {8, "0"}, {66, "1"}, {10, "0.0"}, {20, "0.0"}, {30, "0.0"}, {70, "1"},
        {0, "VERTEX"}, {8, "0"}, {10, "0.0"}, {20, "0.0"}, {30, "0.0"},
        {0, "VERTEX"}, {8, "0"}, {10, "4.0"}, {20, "0.0"}, {30, "0.0"}, {42, "1.0"},
        {0, "SEQEND"}, {8, "0"},
        {0, "ENDSEC"}, {0, "EOF"},
    });
}

// R2000 with handles, subclass markers and CRLF line ends.
QByteArray r2000()
{
    return makeDxf({
        {0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1015"},
        {9, "$DWGCODEPAGE"}, {3, "ANSI_1252"}, {9, "$HANDSEED"}, {5, "100"}, {0, "ENDSEC"},
        {0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "BLOCK_RECORD"}, {5, "1"}, {70, "2"},
        {0, "BLOCK_RECORD"}, {5, "1F"}, {100, "AcDbSymbolTableRecord"},
        {100, "AcDbBlockTableRecord"}, {2, "*Model_Space"},
        {0, "BLOCK_RECORD"}, {5, "1B"}, {100, "AcDbSymbolTableRecord"},
        {100, "AcDbBlockTableRecord"}, {2, "*Paper_Space"},
        {0, "ENDTAB"}, {0, "ENDSEC"},
        {0, "SECTION"}, {2, "ENTITIES"},
        {0, "TEXT"}, {5, "40"}, {330, "1F"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbText"},
        {10, "1.0"}, {20, "2.0"}, {30, "0.0"}, {40, "2.5"}, {1, "plain"}, {100, "AcDbText"},
        {0, "TEXT"}, {5, "41"}, {330, "1B"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbText"},
        {10, "0.0"}, {20, "0.0"}, {30, "0.0"}, {40, "2.5"}, {1, "right"}, {72, "2"},
        {11, "9.0"}, {21, "1.0"}, {31, "0.0"}, {100, "AcDbText"}, {73, "1"},
        {0, "INSERT"}, {5, "42"}, {102, "{ACAD_XDICTIONARY"}, {360, "50"}, {102, "}"},
        {330, "1F"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbBlockReference"}, {66, "1"},
        {2, "DEV"}, {10, "5.0"}, {20, "6.0"}, {30, "0.0"},
        {0, "ATTRIB"}, {5, "43"}, {330, "42"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbText"},
        {10, "6.0"}, {20, "8.0"}, {30, "0.0"}, {40, "2.5"}, {1, "M1"}, {100, "AcDbAttribute"},
        {2, "NAME"}, {70, "0"},
        {0, "ATTRIB"}, {5, "44"}, {330, "42"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbText"},
        {10, "6.0"}, {20, "5.0"}, {30, "0.0"}, {40, "2.5"}, {1, "P-01"}, {100, "AcDbAttribute"},
        {2, "SPEC"}, {70, "0"},
        {0, "SEQEND"}, {5, "45"}, {330, "42"}, {100, "AcDbEntity"}, {8, "0"},
        {0, "ENDSEC"}, {0, "EOF"},
    }, "\r\n");
}

QByteArray objectBytes(const DxfObject &object)
{
    QByteArray bytes;
    for (const DxfGroup &group : object.groups)
        bytes += group.codeLine + group.value + group.valueEnd;
    return bytes;
}

QList<int> codesOf(const DxfObject &object)
{
    QList<int> codes;
    for (const DxfGroup &group : object.groups)
        codes.append(group.code);
    return codes;
}

QByteArray valueOf(const DxfObject &object, int code)
{
    const DxfGroup *group = object.find(code);
    return group ? group->value : QByteArray("<absent>");
}

QList<QByteArray> typesIn(const DxfFile &file, const QByteArray &sectionName)
{
    QList<QByteArray> types;
    for (const DxfSection &section : file.sections()) {
        if (section.name == sectionName) {
            for (const DxfObject &object : section.objects)
                types.append(object.type());
        }
    }
    return types;
}

const DxfEntity *entityByHandle(const DxfDrawing &drawing, const QString &handle)
{
    for (const DxfEntity &entity : drawing.entities) {
        if (entity.handle == handle)
            return &entity;
    }
    return nullptr;
}

// Checks that an edit of one object left every byte outside it as it was.
void expectOnlyObjectChanged(const QByteArray &before, const QByteArray &after,
                             const QByteArray &objectBefore, const QByteArray &objectAfter)
{
    const qsizetype at = before.indexOf(objectBefore);
    ASSERT_GE(at, 0);
    const QByteArray expected = before.left(at) + objectAfter + before.mid(at + objectBefore.size());
    EXPECT_EQ(after, expected);
}

} // namespace

TEST(DxfFile, UnchangedFilesSaveByteIdentical)
{
    const QByteArray cases[] = {
        r2000(),
        // Odd layouts writers produce: unpadded and padded codes, trailing
        // blanks, tabs, a leading comment, no final line end, bytes after EOF.
        "999\ncomment\n0\nSECTION\n2\nENTITIES\n0\nTEXT\n5\n1A\n1\n  spaced  \n 0\nENDSEC\n0\nEOF",
        "  0 \r\nSECTION\r\n\t2\r\nENTITIES\r\n0\nENDSEC\n  0\r\nEOF\r\n\r\ntrailing junk\n",
        "\xEF\xBB\xBF  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1032\n  0\nENDSEC\n  0\nEOF\n",
    };
    for (const QByteArray &bytes : cases) {
        const DxfFile file = DxfFile::fromBytes(bytes);
        EXPECT_FALSE(file.isModified());
        EXPECT_EQ(file.toBytes(), bytes);
    }
}

TEST(DxfFile, R12WithoutHandlesGetsHandlesThatSavingWrites)
{
    const DxfFile file = DxfFile::fromBytes(r12ShiftJis());
    // ATTDEF and LINE of the block; TEXT, INSERT, ATTRIB, SEQEND, CIRCLE,
    // POLYLINE, 2 VERTEX, SEQEND of the entities.
    EXPECT_EQ(file.assignedHandleCount(), 11);
    EXPECT_TRUE(file.isModified());
    EXPECT_EQ(file.headerValue("$HANDSEED"), "35");   // 2A .. 34 were given out
    EXPECT_EQ(file.headerValue("$HANDLING"), "1");

    const DxfFile reread = DxfFile::fromBytes(file.toBytes());
    EXPECT_EQ(reread.assignedHandleCount(), 0);
    EXPECT_EQ(reread.toBytes(), file.toBytes());
    const DxfDrawing drawing = reread.drawing();
    QStringList handles;
    for (const DxfEntity &entity : drawing.entities)
        handles.append(entity.handle);
    EXPECT_EQ(handles, (QStringList{"2C", "2D", "30", "31"}));
    ASSERT_EQ(drawing.blocks.size(), 1);
    EXPECT_EQ(drawing.blocks.front().entities.front().handle, "2A");
    // Each handle line sits right after the object's 0 group.
    const DxfObject *text = reread.object("2C");
    ASSERT_TRUE(text);
    EXPECT_EQ(codesOf(*text), (QList<int>{0, 5, 8, 10, 20, 30, 40, 1}));
    EXPECT_EQ(text->groups.at(1).codeLine, "  5\n");
}

TEST(DxfFile, AHeaderWithoutHandleSeedGetsOneInItsOwnLayout)
{
    // A header of CR LF lines and padded codes with no $HANDSEED, and
    // entities without handles: reading gives them handles and adds the seed
    // after the header's last group.
    const QByteArray bytes = "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1009\r\n"
                             "  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n"
                             "  0\r\nTEXT\r\n  8\r\n0\r\n  1\r\nA\r\n  0\r\nTEXT\r\n  8\r\n0\r\n  1\r\nB\r\n"
                             "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
    const DxfFile file = DxfFile::fromBytes(bytes);
    EXPECT_EQ(file.assignedHandleCount(), 2);
    const QByteArray saved = file.toBytes();
    EXPECT_TRUE(saved.contains("  1\r\nAC1009\r\n  9\r\n$HANDSEED\r\n  5\r\n")) << saved.toStdString();
    const DxfFile reread = DxfFile::fromBytes(saved);
    EXPECT_EQ(reread.assignedHandleCount(), 0);
    EXPECT_EQ(reread.handleSeed(), file.handleSeed());
    EXPECT_EQ(reread.toBytes(), saved);
}

TEST(DxfFile, TypedViewOfAnR12ShiftJisDrawing)
{
    const DxfDrawing drawing = DxfFile::fromBytes(r12ShiftJis()).drawing();
    EXPECT_EQ(drawing.header.acadVersion, "AC1009");
    EXPECT_EQ(drawing.header.codePage, "ANSI_932");

    ASSERT_EQ(drawing.layers.size(), 2);
    EXPECT_EQ(drawing.layers.at(1).name, QStringLiteral("図枠"));
    EXPECT_TRUE(drawing.layers.at(1).locked);
    EXPECT_FALSE(drawing.layers.at(0).locked);

    ASSERT_EQ(drawing.blocks.size(), 1);
    const DxfBlock &block = drawing.blocks.front();
    EXPECT_EQ(block.name, "DEV");
    ASSERT_EQ(block.entities.size(), 2);
    const auto &definition = std::get<DxfAttributeDefinition>(block.entities.at(0).data);
    EXPECT_EQ(definition.tag, "NAME");
    EXPECT_EQ(definition.prompt, QStringLiteral("機器名"));
    EXPECT_EQ(definition.text.string, "M1");
    EXPECT_EQ(block.entities.at(1).type, "LINE");

    ASSERT_EQ(drawing.entities.size(), 4);
    const DxfEntity &textEntity = drawing.entities.at(0);
    EXPECT_EQ(textEntity.layer, QStringLiteral("図枠"));
    EXPECT_EQ(textEntity.space, DxfSpace::Model);
    const auto &text = std::get<DxfText>(textEntity.data);
    EXPECT_EQ(text.string, QStringLiteral("日本"));
    EXPECT_EQ(text.insertionPoint, (DxfPoint{1, 2, 0}));
    EXPECT_EQ(text.alignmentPoint, text.insertionPoint);
    EXPECT_EQ(text.height, 2.5);
    EXPECT_EQ(text.alignment, DxfAlignment::Left);

    const auto &insert = std::get<DxfInsert>(drawing.entities.at(1).data);
    EXPECT_EQ(insert.blockName, "DEV");
    EXPECT_EQ(insert.insertionPoint, (DxfPoint{5, 6, 0}));
    ASSERT_EQ(insert.attributes.size(), 1);
    EXPECT_EQ(insert.attributes.front().tag, "NAME");
    EXPECT_EQ(insert.attributes.front().text.string, "M1");
    EXPECT_EQ(insert.attributes.front().text.insertionPoint, (DxfPoint{6, 8, 0}));
    EXPECT_FALSE(insert.attributes.front().handle.isEmpty());

    EXPECT_EQ(drawing.entities.at(2).space, DxfSpace::Paper);
    const auto &circle = std::get<DxfCircle>(drawing.entities.at(2).data);
    EXPECT_EQ(circle.center, (DxfPoint{3, 4, 0}));
    EXPECT_EQ(circle.radius, 1.5);

    const auto &polyline = std::get<DxfPolyline>(drawing.entities.at(3).data);
    EXPECT_TRUE(polyline.closed);
    ASSERT_EQ(polyline.vertices.size(), 2);
    EXPECT_EQ(polyline.vertices.at(1).point, (DxfPoint{4, 0, 0}));
    EXPECT_EQ(polyline.vertices.at(1).bulge, 1.0);
}

TEST(DxfFile, PaperSpaceByOwnerAndAlignmentFromGroups)
{
    const DxfDrawing drawing = DxfFile::fromBytes(r2000()).drawing();
    const DxfEntity *model = entityByHandle(drawing, "40");
    const DxfEntity *paper = entityByHandle(drawing, "41");
    ASSERT_TRUE(model && paper);
    EXPECT_EQ(model->space, DxfSpace::Model);
    EXPECT_EQ(paper->space, DxfSpace::Paper);
    const auto &text = std::get<DxfText>(paper->data);
    EXPECT_EQ(text.alignment, DxfAlignment::BottomRight);
    EXPECT_EQ(text.alignmentPoint, (DxfPoint{9, 1, 0}));
}

TEST(DxfFile, EditsChangeOnlyTheGroupsTheyTouch)
{
    struct Case
    {
        const char *name;
        std::function<QByteArray()> source;
        QString handle;
        std::function<void(DxfFile &)> edit;
        QList<int> codes;                               // the object's codes afterwards
        std::vector<std::pair<int, QByteArray>> values; // some of its values afterwards
    };
    const QString shiftJisText = "2C";    // the TEXT of r12ShiftJis() once handles are given
    const Case cases[] = {
        {"string of a TEXT", r2000, "40",
         [](DxfFile &f) { f.setString("40", "new"); },
         {0, 5, 330, 100, 8, 100, 10, 20, 30, 40, 1, 100}, {{1, "new"}}},
        {"string outside the code page", r2000, "44",
         [](DxfFile &f) { f.setString("44", QStringLiteral("Ä＊")); },
         {0, 5, 330, 100, 8, 100, 10, 20, 30, 40, 1, 100, 2, 70}, {{1, "\xC4\\U+FF0A"}}},
        {"alignment added to a left TEXT", r2000, "40",
         [](DxfFile &f) { f.setAlignment("40", DxfAlignment::MiddleCenter); },
         {0, 5, 330, 100, 8, 100, 10, 20, 30, 40, 1, 72, 11, 21, 31, 100, 73},
         {{72, "1"}, {11, "1.0"}, {21, "2.0"}, {73, "2"}}},
        {"alignment changed in place", r2000, "41",
         [](DxfFile &f) { f.setAlignment("41", DxfAlignment::TopLeft); },
         {0, 5, 330, 100, 8, 100, 10, 20, 30, 40, 1, 72, 11, 21, 31, 100, 73},
         {{72, "0"}, {11, "9.0"}, {73, "3"}}},
        {"alignment of an ATTRIB", r2000, "43",
         [](DxfFile &f) { f.setAlignment("43", DxfAlignment::BottomCenter); },
         {0, 5, 330, 100, 8, 100, 10, 20, 30, 40, 1, 72, 11, 21, 31, 100, 2, 70, 74},
         {{72, "1"}, {11, "6.0"}, {74, "1"}}},
        {"points of a TEXT", r2000, "41",
         [](DxfFile &f) {
             f.setInsertionPoint("41", {0.5, -2, 0});
             f.setAlignmentPoint("41", {1e-3, 12345.678, 3});
         },
         {0, 5, 330, 100, 8, 100, 10, 20, 30, 40, 1, 72, 11, 21, 31, 100, 73},
         {{10, "0.5"}, {20, "-2.0"}, {30, "0.0"}, {11, "0.001"}, {21, "12345.678"}, {31, "3.0"}}},
        {"insertion point of an INSERT", r2000, "42",
         [](DxfFile &f) { f.setInsertionPoint("42", {7, 8, 0}); },
         {0, 5, 102, 360, 102, 330, 100, 8, 100, 66, 2, 10, 20, 30}, {{10, "7.0"}, {20, "8.0"}}},
        {"R12 TEXT alignment", r12ShiftJis, shiftJisText,
         [=](DxfFile &f) { f.setAlignment(shiftJisText, DxfAlignment::TopRight); },
         {0, 5, 8, 10, 20, 30, 40, 1, 72, 11, 21, 31, 73}, {{72, "2"}, {73, "3"}}},
        {"R12 TEXT in Shift_JIS", r12ShiftJis, shiftJisText,
         [=](DxfFile &f) { f.setString(shiftJisText, QStringLiteral("表ﾓ①é")); },
         {0, 5, 8, 10, 20, 30, 40, 1}, {{1, "\x95\x5C\xD3\x87\x40\\U+00E9"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        DxfFile file = DxfFile::fromBytes(c.source());
        const QByteArray before = file.toBytes();
        const QByteArray objectBefore = objectBytes(*file.object(c.handle));
        c.edit(file);
        const DxfObject &object = *file.object(c.handle);
        EXPECT_EQ(codesOf(object), c.codes);
        for (const auto &[code, value] : c.values)
            EXPECT_EQ(valueOf(object, code), value) << "group " << code;
        expectOnlyObjectChanged(before, file.toBytes(), objectBefore, objectBytes(object));
        // Added groups follow the file's layout and line ends.
        for (const DxfGroup &group : object.groups) {
            EXPECT_EQ(group.codeLine.size(), before.contains("\r\n") ? 5 : 4);
            EXPECT_EQ(group.valueEnd, before.contains("\r\n") ? "\r\n" : "\n");
        }
    }
}

TEST(DxfFile, EditedValuesReadBackThroughTheTypedView)
{
    DxfFile file = DxfFile::fromBytes(r2000());
    file.setString("43", QStringLiteral("モーター１"));
    file.setAlignment("40", DxfAlignment::Fit);
    file.setAlignmentPoint("40", {20, 2, 0});
    const DxfDrawing drawing = DxfFile::fromBytes(file.toBytes()).drawing();
    const auto &insert = std::get<DxfInsert>(entityByHandle(drawing, "42")->data);
    EXPECT_EQ(insert.attributes.front().text.string, QStringLiteral("モーター１"));
    const auto &text = std::get<DxfText>(entityByHandle(drawing, "40")->data);
    EXPECT_EQ(text.alignment, DxfAlignment::Fit);
    EXPECT_EQ(text.insertionPoint, (DxfPoint{1, 2, 0}));
    EXPECT_EQ(text.alignmentPoint, (DxfPoint{20, 2, 0}));
}

TEST(DxfFile, CopiedInsertTakesItsAttributesWithFreshHandles)
{
    DxfFile file = DxfFile::fromBytes(r2000());
    const QString copy = file.copyEntity("42");
    EXPECT_EQ(copy, "100");
    // INSERT, two ATTRIBs and SEQEND each took one handle.
    EXPECT_EQ(file.headerValue("$HANDSEED"), "104");
    EXPECT_EQ(typesIn(file, "ENTITIES"),
              (QList<QByteArray>{"SECTION", "TEXT", "TEXT", "INSERT", "ATTRIB", "ATTRIB", "SEQEND",
                                 "INSERT", "ATTRIB", "ATTRIB", "SEQEND", "ENDSEC"}));
    const DxfObject *insert = file.object("100");
    ASSERT_TRUE(insert);
    // The extension dictionary stays with the original.
    EXPECT_EQ(insert->find(102), nullptr);
    EXPECT_NE(file.object("42")->find(102), nullptr);
    for (const char *part : {"101", "102", "103"}) {
        ASSERT_TRUE(file.object(part)) << part;
        EXPECT_EQ(valueOf(*file.object(part), 330), "100") << part;
    }

    // The copy as the typed view shows it, without reading the whole drawing.
    const DxfEntity copiedEntity = file.entity(copy);
    EXPECT_EQ(copiedEntity.type, "INSERT");
    EXPECT_EQ(copiedEntity.handle, "100");
    EXPECT_EQ(copiedEntity.space, DxfSpace::Model);
    ASSERT_EQ(std::get<DxfInsert>(copiedEntity.data).attributes.size(), 2);
    EXPECT_EQ(std::get<DxfInsert>(copiedEntity.data).attributes.at(1).handle, "102");

    const QString textCopy = file.copyEntity("41");
    EXPECT_EQ(textCopy, "104");
    EXPECT_EQ(file.headerValue("$HANDSEED"), "105");
    EXPECT_EQ(file.entity(textCopy).space, DxfSpace::Paper);

    const DxfDrawing drawing = DxfFile::fromBytes(file.toBytes()).drawing();
    const auto &copied = std::get<DxfInsert>(entityByHandle(drawing, "100")->data);
    ASSERT_EQ(copied.attributes.size(), 2);
    EXPECT_EQ(copied.attributes.at(0).handle, "101");
    EXPECT_EQ(copied.attributes.at(1).text.string, "P-01");
    const DxfEntity *text = entityByHandle(drawing, "104");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->space, DxfSpace::Paper);
    EXPECT_EQ(std::get<DxfText>(text->data).string, "right");
}

TEST(DxfFile, RemovedEntityTakesItsAttributesOrVertices)
{
    DxfFile file = DxfFile::fromBytes(r2000());
    file.removeEntity("42");
    EXPECT_EQ(typesIn(file, "ENTITIES"),
              (QList<QByteArray>{"SECTION", "TEXT", "TEXT", "ENDSEC"}));
    EXPECT_EQ(file.object("43"), nullptr);
    EXPECT_EQ(file.object("45"), nullptr);
    EXPECT_NE(file.object("41"), nullptr);

    DxfFile r12 = DxfFile::fromBytes(r12ShiftJis());
    r12.removeEntity("31");   // the POLYLINE
    EXPECT_EQ(typesIn(r12, "ENTITIES"),
              (QList<QByteArray>{"SECTION", "TEXT", "INSERT", "ATTRIB", "SEQEND", "CIRCLE", "ENDSEC"}));

    // A part alone, or a handle that is not there, is refused.
    EXPECT_THROW(file.removeEntity("43"), DxfError);
    EXPECT_THROW(file.removeEntity("FFFF"), DxfError);
    EXPECT_THROW(file.setString("FFFF", "x"), DxfError);
    EXPECT_THROW(file.setString("1F", "x"), DxfError);   // a block record has no string
}

TEST(DxfFile, SaveReplacesTheFileAndWritesNothingElse)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("図面.dxf"));
    {
        QFile original(path);
        ASSERT_TRUE(original.open(QIODevice::WriteOnly));
        original.write(r2000());
    }
    DxfFile file = DxfFile::read(path);
    file.setString("40", "saved");
    file.save(path);

    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), file.toBytes());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("図面.dxf")});

    EXPECT_THROW(file.save(dir.filePath("missing/sub/x.dxf")), DxfError);
    EXPECT_THROW(DxfFile::read(dir.filePath("absent.dxf")), DxfError);
}

TEST(DxfFile, BadInputGivesAnErrorNamingTheLine)
{
    const QByteArray good = r2000();
    QByteArray noEndsec = good;
    noEndsec.replace("  0\r\nENDSEC\r\n  0\r\nEOF", "  0\r\nEOF");
    QByteArray garbageBytes;
    for (int i = 0; i < 512; ++i)
        garbageBytes += char((i * 37 + 11) % 256);

    struct Case { const char *name; QByteArray bytes; const char *message; };
    const Case cases[] = {
        {"empty", "", "empty"},
        {"text", "hello\nworld\n", "line 1: group code expected, found \"hello\""},
        {"binary garbage", garbageBytes, "line 1: group code expected"},
        {"binary DXF", "AutoCAD Binary DXF\r\n\x1a", "binary DXF"},
        {"code without value", good.left(good.indexOf("plain") - 2), "has no value line"},
        {"cut at a group", good.left(good.indexOf("  0\r\nINSERT")), "no EOF"},
        {"section not closed", noEndsec, "line 211: section ENTITIES (line 55) is not closed by ENDSEC"},
        {"stray ENDSEC", "  0\nENDSEC\n  0\nEOF\n", "line 1: ENDSEC outside a section"},
        {"section without name", "  0\nSECTION\n  0\nEOF\n", "line 1: SECTION without a name"},
        {"letters as a code", "  0\nSECTION\n  2\nENTITIES\n  x1\nTEXT\n", "line 5: group code expected"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        try {
            DxfFile::fromBytes(c.bytes);
            ADD_FAILURE() << "no error";
        } catch (const DxfError &error) {
            EXPECT_TRUE(error.message().contains(QLatin1String(c.message)))
                    << error.message().toStdString();
        }
    }
}

TEST(DxfFile, EveryTruncationIsAnError)
{
    const QByteArray good = r2000();
    // The last "EOF\r\n" may lose its line end and still be a whole file.
    for (qsizetype size = 0; size < good.size() - 2; ++size)
        EXPECT_THROW(DxfFile::fromBytes(good.left(size)), DxfError) << "cut at " << size;
}

TEST(DxfFile, BadNumberInAnEntityNamesItsLine)
{
    QByteArray bytes = r2000();
    bytes.replace(" 40\r\n2.5\r\n  1\r\nplain", " 40\r\n2,5x\r\n  1\r\nplain");
    const DxfFile file = DxfFile::fromBytes(bytes);
    try {
        file.drawing();
        ADD_FAILURE() << "no error";
    } catch (const DxfError &error) {
        EXPECT_EQ(error.line(), 78);
        EXPECT_EQ(error.message(),
                  QStringLiteral("line 78: number expected for group code 40, found \"2,5x\""));
    }
}
