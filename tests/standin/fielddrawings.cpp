#include "fielddrawings.h"

#include "dxf/dxffile.h"

#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

namespace standintest {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

void expectHandlesUnique(const DxfFile &file)
{
    QSet<quint64> seen;
    quint64 largest = 0;
    for (const DxfSection &section : file.sections()) {
        for (const DxfObject &object : section.objects) {
            if (const quint64 handle = object.handle()) {
                EXPECT_FALSE(seen.contains(handle)) << "handle " << std::hex << handle << " twice";
                seen.insert(handle);
                largest = std::max(largest, handle);
            }
        }
    }
    EXPECT_GT(file.handleSeed(), largest);
}

QByteArray makeDxf(const DxfGroups &groups, const QByteArray &lineEnd)
{
    QByteArray bytes;
    for (const auto &[code, value] : groups)
        bytes += QByteArray::number(code).rightJustified(3, ' ') + lineEnd + value + lineEnd;
    return bytes;
}

namespace {

void append(DxfGroups &to, const DxfGroups &groups)
{
    to.insert(to.end(), groups.begin(), groups.end());
}

// --- R12 ---

DxfGroups r12Header(const QByteArray &handleSeed)
{
    DxfGroups groups{{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1009"}};
    if (!handleSeed.isEmpty())
        append(groups, {{9, "$HANDLING"}, {70, "1"}, {9, "$HANDSEED"}, {5, handleSeed}});
    append(groups, {{0, "ENDSEC"}});
    return groups;
}

DxfGroups r12Layer(const QByteArray &handle, const QByteArray &name)
{
    return {{0, "LAYER"}, {5, handle}, {2, name}, {70, "0"}, {62, "7"}, {6, "CONTINUOUS"}};
}

DxfGroups r12Text(const QByteArray &handle, const QByteArray &layer, double y, const QByteArray &string,
                  const QByteArray &style = QByteArray())
{
    DxfGroups groups{{0, "TEXT"}};
    if (!handle.isEmpty())
        groups.push_back({5, handle});
    append(groups, {{8, layer}, {10, "10.0"}, {20, QByteArray::number(y, 'f', 1)}, {30, "0.0"}, {40, "2.5"},
                    {1, string}});
    if (!style.isEmpty())
        groups.push_back({7, style});
    return groups;
}

// --- R2000 ---

DxfGroups r2000Header(const QByteArray &handleSeed)
{
    return {{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1015"},
            {9, "$DWGCODEPAGE"}, {3, "ANSI_1252"}, {9, "$HANDSEED"}, {5, handleSeed}, {0, "ENDSEC"}};
}

DxfGroups r2000Layer(const QByteArray &handle, const QByteArray &name)
{
    return {{0, "LAYER"}, {5, handle}, {330, "2"}, {100, "AcDbSymbolTableRecord"}, {100, "AcDbLayerTableRecord"},
            {2, name}, {70, "0"}, {62, "7"}, {6, "CONTINUOUS"}};
}

DxfGroups r2000BlockRecord(const QByteArray &handle, const QByteArray &name)
{
    return {{0, "BLOCK_RECORD"}, {5, handle}, {330, "1"}, {100, "AcDbSymbolTableRecord"},
            {100, "AcDbBlockTableRecord"}, {2, name}};
}

// The tables of an R2000 drawing: the layers given, and block records for
// model space (1F), paper space (1B) and block DEV (1E).
DxfGroups r2000Tables(const DxfGroups &layers)
{
    DxfGroups groups{{0, "SECTION"}, {2, "TABLES"},
                     {0, "TABLE"}, {2, "LAYER"}, {5, "2"}, {330, "0"}, {100, "AcDbSymbolTable"}, {70, "2"}};
    append(groups, layers);
    append(groups, {{0, "ENDTAB"}, {0, "TABLE"}, {2, "BLOCK_RECORD"}, {5, "1"}, {330, "0"},
                    {100, "AcDbSymbolTable"}, {70, "3"}});
    append(groups, r2000BlockRecord("1F", "*Model_Space"));
    append(groups, r2000BlockRecord("1B", "*Paper_Space"));
    append(groups, r2000BlockRecord("1E", "DEV"));
    append(groups, {{0, "ENDTAB"}, {0, "ENDSEC"}});
    return groups;
}

DxfGroups r2000Block(const QByteArray &begin, const QByteArray &end, const QByteArray &owner,
                     const QByteArray &name, const DxfGroups &entities = {})
{
    DxfGroups groups{{0, "BLOCK"}, {5, begin}, {330, owner}, {100, "AcDbEntity"}, {8, "0"},
                     {100, "AcDbBlockBegin"}, {2, name}, {70, "0"}, {10, "0.0"}, {20, "0.0"}, {30, "0.0"},
                     {3, name}, {1, ""}};
    append(groups, entities);
    append(groups, {{0, "ENDBLK"}, {5, end}, {330, owner}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbBlockEnd"}});
    return groups;
}

// The blocks of an R2000 drawing: model and paper space, and DEV with two
// ATTDEFs (NAME, SPEC).
DxfGroups r2000Blocks()
{
    const DxfGroups definitions{
        {0, "ATTDEF"}, {5, "2A"}, {330, "1E"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbText"},
        {10, "0.0"}, {20, "2.0"}, {30, "0.0"}, {40, "2.5"}, {1, "M"}, {100, "AcDbAttributeDefinition"},
        {3, "Name"}, {2, "NAME"}, {70, "0"},
        {0, "ATTDEF"}, {5, "2B"}, {330, "1E"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbText"},
        {10, "0.0"}, {20, "-2.0"}, {30, "0.0"}, {40, "2.5"}, {1, "S"}, {100, "AcDbAttributeDefinition"},
        {3, "Spec"}, {2, "SPEC"}, {70, "0"},
    };
    DxfGroups groups{{0, "SECTION"}, {2, "BLOCKS"}};
    append(groups, r2000Block("20", "21", "1F", "*Model_Space"));
    append(groups, r2000Block("22", "23", "1B", "*Paper_Space"));
    append(groups, r2000Block("24", "25", "1E", "DEV", definitions));
    append(groups, {{0, "ENDSEC"}});
    return groups;
}

DxfGroups r2000Text(const QByteArray &handle, const QByteArray &owner, double y, const QByteArray &string)
{
    DxfGroups groups{{0, "TEXT"}};
    if (!handle.isEmpty())
        groups.push_back({5, handle});
    append(groups, {{330, owner}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbText"}, {10, "1.0"},
                    {20, QByteArray::number(y, 'f', 1)}, {30, "0.0"}, {40, "2.5"}, {1, string},
                    {100, "AcDbText"}});
    return groups;
}

// An INSERT of DEV with ATTRIBs NAME and SPEC and its SEQEND; `handles` are
// those of the INSERT, the ATTRIBs and the SEQEND, `owner` the one the
// ATTRIBs and SEQEND point to.
DxfGroups r2000Insert(const QList<QByteArray> &handles, const QByteArray &owner, double y,
                      const QByteArray &name, const QByteArray &rating)
{
    DxfGroups groups{{0, "INSERT"}, {5, handles[0]}, {330, "1F"}, {100, "AcDbEntity"}, {8, "0"},
                     {100, "AcDbBlockReference"}, {66, "1"}, {2, "DEV"}, {10, "20.0"},
                     {20, QByteArray::number(y, 'f', 1)}, {30, "0.0"}};
    const std::pair<QByteArray, QByteArray> attributes[] = {{"NAME", name}, {"SPEC", rating}};
    for (int i = 0; i < 2; ++i) {
        append(groups, {{0, "ATTRIB"}, {5, handles[1 + i]}, {330, owner}, {100, "AcDbEntity"}, {8, "0"},
                        {100, "AcDbText"}, {10, "20.0"}, {20, QByteArray::number(y - 2 * i, 'f', 1)},
                        {30, "0.0"}, {40, "2.5"}, {1, attributes[i].second}, {100, "AcDbAttribute"},
                        {2, attributes[i].first}, {70, "0"}});
    }
    append(groups, {{0, "SEQEND"}, {5, handles[3]}, {330, owner}, {100, "AcDbEntity"}, {8, "0"}});
    return groups;
}

// The root dictionary (C) with ACAD_GROUP (D), and with `record` the handle
// of an XRECORD it names FIELD_DATA.
DxfGroups r2000Objects(const QByteArray &record = QByteArray())
{
    DxfGroups groups{{0, "SECTION"}, {2, "OBJECTS"},
                     {0, "DICTIONARY"}, {5, "C"}, {330, "0"}, {100, "AcDbDictionary"}, {281, "1"},
                     {3, "ACAD_GROUP"}, {350, "D"}};
    if (!record.isEmpty())
        append(groups, {{3, "FIELD_DATA"}, {350, record}});
    append(groups, {{0, "DICTIONARY"}, {5, "D"}, {330, "C"}, {100, "AcDbDictionary"}, {281, "1"}});
    if (!record.isEmpty())
        append(groups, {{0, "XRECORD"}, {5, record}, {330, "C"}, {100, "AcDbXrecord"}, {280, "1"},
                        {1, "field data"}});
    append(groups, {{0, "ENDSEC"}});
    return groups;
}

} // namespace

QByteArray shiftJisR12()
{
    DxfGroups groups = r12Header("40");
    append(groups, {{0, "SECTION"}, {2, "TABLES"},
                    {0, "TABLE"}, {2, "STYLE"}, {70, "1"},
                    {0, "STYLE"}, {5, "A"}, {2, "\x95\x57\x8F\x80"}, {70, "0"}, {40, "0.0"}, {41, "1.0"},
                    {50, "0.0"}, {71, "0"}, {42, "2.5"}, {3, "txt"}, {4, ""},
                    {0, "ENDTAB"},
                    {0, "TABLE"}, {2, "LAYER"}, {70, "3"}});
    append(groups, r12Layer("B", "0"));
    append(groups, r12Layer("C", "\x90\x7D\x98\x67"));            // 図枠
    append(groups, r12Layer("D", "\x8B\x40\x8A\xED"));            // 機器
    append(groups, {{0, "ENDTAB"}, {0, "ENDSEC"},
                    {0, "SECTION"}, {2, "BLOCKS"},
                    {0, "BLOCK"}, {5, "10"}, {8, "0"}, {2, "\x8B\x40\x8A\xED"}, {70, "2"},
                    {10, "0.0"}, {20, "0.0"}, {30, "0.0"}, {3, "\x8B\x40\x8A\xED"},
                    {0, "ATTDEF"}, {5, "11"}, {8, "0"}, {10, "0.0"}, {20, "2.0"}, {30, "0.0"}, {40, "2.5"},
                    {1, ""}, {3, "\x8B\x40\x8A\xED\x96\xBC"}, {2, "NAME"}, {70, "0"},   // 機器名
                    {0, "ATTDEF"}, {5, "12"}, {8, "0"}, {10, "0.0"}, {20, "-2.0"}, {30, "0.0"}, {40, "2.5"},
                    {1, ""}, {3, "\x8E\x64\x97\x6C"}, {2, "SPEC"}, {70, "0"},            // 仕様
                    {0, "ENDBLK"}, {5, "13"}, {8, "0"},
                    {0, "ENDSEC"},
                    {0, "SECTION"}, {2, "ENTITIES"}});
    const QByteArray frame = "\x90\x7D\x98\x67";
    const QByteArray style = "\x95\x57\x8F\x80";
    append(groups, r12Text("20", frame, 100, "\x82\x50\x8A\x4B\x95\xBD\x96\xCA\x90\x7D", style));
    append(groups, r12Text("21", "0", 90, "\x95\x5C\x8E\xA6\x94\xD5\x83\x5C\x83\x74\x83\x67"));
    append(groups, r12Text("22", "0", 80, "\x87\x40\x90\xA7\x8C\xE4\x94\xD5\x81\x40\x87\x82\x31\x32"));
    append(groups, r12Text("23", "0", 70, "\x87\x8A\xFB\xFC\x8B\xB4\x93\x64\x8B\x40"));
    append(groups, r12Text("24", "0", 60, "\xFA\x40\xFA\x5C"));
    append(groups, r12Text("25", "0", 50, "\xD3\xB0\xC0\xB0\x31"));
    append(groups, r12Text("26", "0", 40, "\x94\x5C\x97\xCD\x97\x5C\x92\xE8\\U+00E9"));
    append(groups, {{0, "INSERT"}, {5, "27"}, {8, "\x8B\x40\x8A\xED"}, {66, "1"}, {2, "\x8B\x40\x8A\xED"},
                    {10, "30.0"}, {20, "30.0"}, {30, "0.0"},
                    {0, "ATTRIB"}, {5, "28"}, {8, "\x8B\x40\x8A\xED"}, {10, "30.0"}, {20, "32.0"}, {30, "0.0"},
                    {40, "2.5"}, {1, "\x8B\x8B\x90\x85\x83\x7C\x83\x93\x83\x76"}, {2, "NAME"}, {70, "0"},
                    {0, "ATTRIB"}, {5, "29"}, {8, "\x8B\x40\x8A\xED"}, {10, "30.0"}, {20, "28.0"}, {30, "0.0"},
                    {40, "2.5"}, {1, "\x82\x6C\x81\x7C\x82\x50"}, {2, "SPEC"}, {70, "0"},
                    {0, "SEQEND"}, {5, "2A"}, {8, "\x8B\x40\x8A\xED"},
                    {0, "ENDSEC"}, {0, "EOF"}});
    return makeDxf(groups, "\r\n");
}

std::vector<FieldText> shiftJisR12Texts()
{
    return {
        {"20", QStringLiteral("１階平面図")},
        {"21", QStringLiteral("表示盤ソフト")},
        {"22", QStringLiteral("①制御盤　№12")},
        {"23", QStringLiteral("㈱髙橋電機")},
        {"24", QStringLiteral("ⅰ纊")},
        {"25", QStringLiteral("ﾓｰﾀｰ1")},
        {"26", QStringLiteral("能力予定é")},
        {"28", QStringLiteral("給水ポンプ")},
        {"29", QStringLiteral("Ｍ－１")},
    };
}

QByteArray latinR12()
{
    DxfGroups groups = r12Header("30");
    append(groups, {{0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "LAYER"}, {70, "2"}});
    append(groups, r12Layer("B", "0"));
    append(groups, r12Layer("C", "Stra\xDF" "e"));
    append(groups, {{0, "ENDTAB"}, {0, "ENDSEC"}, {0, "SECTION"}, {2, "ENTITIES"}});
    append(groups, r12Text("20", "Stra\xDF" "e", 100, "Gr\xF6\xDF" "e"));
    append(groups, r12Text("21", "0", 90, "Ma\xDFstab 1:100"));
    append(groups, r12Text("22", "0", 80, "\x84\xC4nderung\x93"));
    append(groups, r12Text("23", "0", 70, "Ch\xE2teau d\x92" "eau"));
    append(groups, r12Text("24", "0", 60, "\x8Cil-de-b\x9Cuf"));
    append(groups, r12Text("25", "0", 50, "caf\xE9 \x96 cr\xE8me \x8BPlan\x9B"));
    append(groups, r12Text("26", "0", 40, "f\xFCr \xD8 12 \xB1" "0,5"));
    append(groups, {{0, "ENDSEC"}, {0, "EOF"}});
    return makeDxf(groups);
}

std::vector<FieldText> latinR12Texts()
{
    return {
        {"20", QStringLiteral("Größe")},
        {"21", QStringLiteral("Maßstab 1:100")},
        {"22", QStringLiteral("„Änderung“")},
        {"23", QStringLiteral("Château d’eau")},
        {"24", QStringLiteral("Œil-de-bœuf")},
        {"25", QStringLiteral("café – crème ‹Plan›")},
        {"26", QStringLiteral("für Ø 12 ±0,5")},
    };
}

QByteArray asciiR12()
{
    DxfGroups groups = r12Header(QByteArray());
    append(groups, {{0, "SECTION"}, {2, "ENTITIES"}});
    append(groups, r12Text(QByteArray(), "0", 100, "PLAN 1:50"));
    append(groups, r12Text(QByteArray(), "0", 90, "A-1"));
    append(groups, {{0, "ENDSEC"}, {0, "EOF"}});
    return makeDxf(groups);
}

QByteArray repeatedHandles()
{
    DxfGroups groups = r2000Header("60");
    DxfGroups layers = r2000Layer("10", "0");
    append(layers, r2000Layer("11", "A"));
    append(groups, r2000Tables(layers));
    append(groups, r2000Blocks());
    append(groups, {{0, "SECTION"}, {2, "ENTITIES"}});
    append(groups, r2000Text("40", "1F", 100, "first"));
    append(groups, r2000Text("40", "1F", 90, "second"));
    append(groups, r2000Text("11", "1F", 80, "over a layer"));
    append(groups, r2000Insert({"42", "42", "43", "44"}, "42", 70, "insert and attrib", "P-1"));
    append(groups, r2000Insert({"40", "46", "47", "48"}, "40", 50, "insert over a text", "P-2"));
    append(groups, r2000Text("50", "1F", 30, "over an xrecord"));
    append(groups, {{0, "ENDSEC"}});
    append(groups, r2000Objects("50"));
    append(groups, {{0, "EOF"}});
    return makeDxf(groups);
}

QByteArray staleHandleSeed()
{
    DxfGroups groups = r2000Header("20");
    append(groups, r2000Tables(r2000Layer("10", "0")));
    append(groups, r2000Blocks());
    append(groups, {{0, "SECTION"}, {2, "ENTITIES"},
                    {0, "TEXT"}, {5, "40"}, {102, "{ACAD_REACTORS"}, {330, "50"}, {102, "}"}, {330, "1F"},
                    {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbText"}, {10, "1.0"}, {20, "100.0"}, {30, "0.0"},
                    {40, "2.5"}, {1, "copied text"}, {100, "AcDbText"}});
    append(groups, r2000Insert({"60", "61", "62", "63"}, "60", 80, "copied insert", "P-7"));
    append(groups, r2000Text("7F", "1F", 60, "highest"));
    append(groups, r2000Text(QByteArray(), "1F", 50, "without a handle"));
    append(groups, {{0, "ENDSEC"}});
    append(groups, r2000Objects());
    append(groups, {{0, "EOF"}});
    return makeDxf(groups);
}

QByteArray damagedTables()
{
    DxfGroups groups = r2000Header("70");
    append(groups, {{0, "SECTION"}, {2, "TABLES"},
                    {0, "TABLE"}, {2, "LTYPE"}, {5, "5"}, {330, "0"}, {100, "AcDbSymbolTable"}, {70, "1"},
                    {0, "LTYPE"}, {5, "14"}, {330, "5"}, {100, "AcDbSymbolTableRecord"},
                    {100, "AcDbLinetypeTableRecord"}, {2, "CONTINUOUS"}, {70, "0"}, {3, "Solid line"},
                    {72, "65"}, {73, "0"}, {40, "0.0"},
                    {0, "ENDTAB"}});
    // The LAYER table's head is missing: its entries follow the ENDTAB above.
    append(groups, r2000Layer("10", "0"));
    append(groups, r2000Layer("11", "Frame"));
    append(groups, {{0, "ENDTAB"}, {0, "ENDSEC"}, {0, "SECTION"}, {2, "ENTITIES"}});
    append(groups, r2000Text("40", "1F", 100, "owner missing"));
    append(groups, r2000Text("41", "99", 90, "owner 99 missing"));
    append(groups, {{0, "ENDSEC"}, {0, "EOF"}});
    return makeDxf(groups);
}

} // namespace standintest
