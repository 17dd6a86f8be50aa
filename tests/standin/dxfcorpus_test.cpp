// The DXF file layer on real drawings: every DXF under $MORVEX_SHARED_DRAWINGS
// and under each folder of $MORVEX_DRAWINGS (colon-separated).

#include "ezdxfreader.h"

#include "dxf/dxferror.h"
#include "dxf/dxffile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace {

struct Drawing
{
    QString path;
    bool shared = false;    // from the shared corpus, described in its SOURCES.md
};

QString sharedFolder()
{
    return qEnvironmentVariable("MORVEX_SHARED_DRAWINGS");
}

// The drawings to test, or an empty list and the reason in `skipReason`.
QList<Drawing> corpus(QString *skipReason)
{
    QList<Drawing> drawings;
    const QString shared = sharedFolder();
    for (const QString &path : standintest::corpusDrawings(skipReason))
        drawings.append({path, !shared.isEmpty() && path.startsWith(shared + QLatin1Char('/'))});
    return drawings;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string name(const Drawing &drawing)
{
    return QFileInfo(drawing.path).fileName().toStdString();
}

// The statistics table of SOURCES.md: file name -> column -> value.
QHash<QString, QHash<QString, QString>> sharedStatistics()
{
    QHash<QString, QHash<QString, QString>> table;
    QFile file(QDir(sharedFolder()).filePath(QStringLiteral("SOURCES.md")));
    if (!file.open(QIODevice::ReadOnly))
        return table;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    const qsizetype start = lines.indexOf(QStringLiteral("## Statistics"));
    QStringList columns;
    for (qsizetype i = start + 1; start >= 0 && i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (!line.startsWith(u'|'))
            continue;
        QStringList cells = line.split(u'|');
        cells = cells.mid(1, cells.size() - 2);
        for (QString &cell : cells)
            cell = cell.trimmed();
        if (columns.isEmpty()) {
            columns = cells;
        } else if (!cells.isEmpty() && !cells.front().startsWith(QLatin1String("---"))) {
            QHash<QString, QString> row;
            for (qsizetype c = 0; c < cells.size() && c < columns.size(); ++c)
                row.insert(columns.at(c), cells.at(c));
            table.insert(cells.front(), row);
        }
    }
    return table;
}

struct Counts
{
    int text = 0;
    int insert = 0;
    int attrib = 0;
    int mtext = 0;
    int attdef = 0;
};

Counts countsOf(const DxfDrawing &drawing, DxfSpace space)
{
    Counts counts;
    for (const DxfEntity &entity : drawing.entities) {
        if (entity.space != space)
            continue;
        if (entity.type == "TEXT")
            ++counts.text;
        else if (entity.type == "MTEXT")
            ++counts.mtext;
        else if (entity.type == "ATTDEF")
            ++counts.attdef;
        else if (const auto *insert = std::get_if<DxfInsert>(&entity.data)) {
            ++counts.insert;
            counts.attrib += insert->attributes.size();
        }
    }
    return counts;
}

// --- ezdxf as the independent reader --------------------------------------

using standintest::ezdxfAvailable;

// What ezdxf reads from a file (see dxfdump.py). The drawings of the corpus
// are read once for all tests.
QJsonObject ezdxfDump(const QString &path)
{
    static QHash<QString, QJsonObject> corpusDumps;
    const bool inCorpus = !path.startsWith(QDir::tempPath());
    if (inCorpus && corpusDumps.contains(path))
        return corpusDumps.value(path);

    const QJsonObject dump = standintest::ezdxfDump(path);
    if (inCorpus)
        corpusDumps.insert(path, dump);
    return dump;
}

DxfPoint toPoint(const QJsonValue &value)
{
    const QJsonArray array = value.toArray();
    return {array.at(0).toDouble(), array.at(1).toDouble(), array.at(2).toDouble()};
}

QString spaceName(DxfSpace space)
{
    return space == DxfSpace::Paper ? QStringLiteral("paper") : QStringLiteral("model");
}

// One entity of our typed view, in ezdxf's terms, for comparison.
struct Seen
{
    QString type;
    QString layer;
    QString space;
    const DxfText *text = nullptr;
    QString tag;
    const DxfEntity *entity = nullptr;
};

QHash<QString, Seen> ourEntities(const DxfDrawing &drawing)
{
    QHash<QString, Seen> seen;
    for (const DxfEntity &entity : drawing.entities) {
        Seen s{entity.type, entity.layer, spaceName(entity.space), nullptr, QString(), &entity};
        if (const auto *text = std::get_if<DxfText>(&entity.data))
            s.text = text;
        if (const auto *definition = std::get_if<DxfAttributeDefinition>(&entity.data)) {
            s.text = &definition->text;
            s.tag = definition->tag;
        }
        seen.insert(entity.handle, s);
        if (const auto *insert = std::get_if<DxfInsert>(&entity.data)) {
            for (const DxfAttribute &attribute : insert->attributes)
                seen.insert(attribute.handle, {QStringLiteral("ATTRIB"), attribute.layer, s.space,
                                               &attribute.text, attribute.tag, nullptr});
        }
    }
    return seen;
}

// Our handles of model and paper space in file order, ATTRIBs after their INSERT.
QStringList ourOrder(const DxfDrawing &drawing)
{
    QStringList handles;
    for (const DxfEntity &entity : drawing.entities) {
        handles.append(entity.handle);
        if (const auto *insert = std::get_if<DxfInsert>(&entity.data)) {
            for (const DxfAttribute &attribute : insert->attributes)
                handles.append(attribute.handle);
        }
    }
    return handles;
}

void expectSamePoint(const DxfPoint &ours, const QJsonValue &theirs, const char *what)
{
    if (theirs.isUndefined())
        return;
    const DxfPoint point = toPoint(theirs);
    EXPECT_EQ(ours, point) << what << ": (" << ours.x << ", " << ours.y << ", " << ours.z
                           << ") vs (" << point.x << ", " << point.y << ", " << point.z << ")";
}

// Compares one entity ezdxf found in a layout with ours.
void expectSameEntity(const Seen &ours, const QJsonObject &theirs)
{
    const QJsonObject attribs = theirs.value("attribs").toObject();
    EXPECT_EQ(ours.type, theirs.value("type").toString());
    EXPECT_EQ(ours.space, theirs.value("space").toString());
    EXPECT_EQ(ours.layer, attribs.value("layer").toString(QStringLiteral("0")));
    if (ours.text) {
        EXPECT_EQ(ours.text->string, attribs.value("text").toString());
        EXPECT_EQ(ours.text->height, attribs.value("height").toDouble(0));
        EXPECT_EQ(ours.text->rotation, attribs.value("rotation").toDouble(0));
        expectSamePoint(ours.text->insertionPoint, attribs.value("insert"), "insert");
        expectSamePoint(ours.text->alignmentPoint, attribs.value("align_point"), "align_point");
        const DxfAlignment alignment = alignmentFromJustification(
                {attribs.value("halign").toInt(0), attribs.value("valign").toInt(0)});
        EXPECT_EQ(ours.text->alignment, alignment);
        if (ours.type != "TEXT") {
            EXPECT_EQ(ours.tag, attribs.value("tag").toString());
        }
    }
    if (!ours.entity)
        return;
    const DxfEntityData &data = ours.entity->data;
    if (const auto *insert = std::get_if<DxfInsert>(&data)) {
        EXPECT_EQ(insert->blockName, attribs.value("name").toString());
        expectSamePoint(insert->insertionPoint, attribs.value("insert"), "insert");
    } else if (const auto *line = std::get_if<DxfLine>(&data)) {
        expectSamePoint(line->start, attribs.value("start"), "start");
        expectSamePoint(line->end, attribs.value("end"), "end");
    } else if (const auto *circle = std::get_if<DxfCircle>(&data)) {
        expectSamePoint(circle->center, attribs.value("center"), "center");
        EXPECT_EQ(circle->radius, attribs.value("radius").toDouble());
    } else if (const auto *arc = std::get_if<DxfArc>(&data)) {
        expectSamePoint(arc->center, attribs.value("center"), "center");
        EXPECT_EQ(arc->startAngle, attribs.value("start_angle").toDouble());
        EXPECT_EQ(arc->endAngle, attribs.value("end_angle").toDouble());
    } else if (const auto *mtext = std::get_if<DxfMText>(&data)) {
        EXPECT_EQ(mtext->text, theirs.value("text").toString());
        expectSamePoint(mtext->insertionPoint, attribs.value("insert"), "insert");
    } else if (const auto *polyline = std::get_if<DxfPolyline>(&data);
               polyline && ours.type == "LWPOLYLINE") {
        const QJsonArray points = theirs.value("points").toArray();
        ASSERT_EQ(polyline->vertices.size(), points.size());
        for (qsizetype i = 0; i < points.size(); ++i) {
            EXPECT_EQ(polyline->vertices.at(i).point.x, points.at(i).toArray().at(0).toDouble());
            EXPECT_EQ(polyline->vertices.at(i).point.y, points.at(i).toArray().at(1).toDouble());
        }
    }
}

// The file ezdxf reads as the original: the drawing itself, or for a file
// whose handles reading gave or changed (none, or repeated) its copy saved
// with them, so that ezdxf and the typed view know the entities by the same
// handles.
QString ezdxfBaseline(const DxfFile &file, const Drawing &drawing, const QTemporaryDir &dir)
{
    if (!file.isModified())
        return drawing.path;
    const QString baseline = dir.filePath(QStringLiteral("baseline.dxf"));
    file.save(baseline);
    return baseline;
}

const QString editSuffix = QStringLiteral("＊日本Ωé");

} // namespace

TEST(DxfCorpus, UnchangedDrawingsSaveByteIdentical)
{
    QString skipReason;
    const QList<Drawing> drawings = corpus(&skipReason);
    if (drawings.isEmpty())
        GTEST_SKIP() << "no drawings: " << skipReason.toStdString();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const Drawing &drawing : drawings) {
        SCOPED_TRACE(name(drawing));
        const QByteArray original = fileBytes(drawing.path);
        try {
            const DxfFile file = DxfFile::read(drawing.path);
            const QString copy = dir.filePath(QStringLiteral("copy.dxf"));
            file.save(copy);
            if (!file.isModified()) {
                EXPECT_EQ(fileBytes(copy), original);
            } else {
                // A file without handles, or with repeated ones, is saved
                // with the handles given on reading: read again, it needs none.
                EXPECT_TRUE(file.assignedHandleCount() > 0 || !file.renumberedHandles().isEmpty());
                const DxfFile reread = DxfFile::read(copy);
                EXPECT_FALSE(reread.isModified());
                EXPECT_EQ(reread.drawing().entities.size(), file.drawing().entities.size());
            }
        } catch (const DxfError &error) {
            ADD_FAILURE() << error.what();
        }
    }
}

TEST(DxfCorpus, CountsMatchTheSharedStatistics)
{
    if (sharedFolder().isEmpty() || !QFileInfo(sharedFolder()).isDir())
        GTEST_SKIP() << "the shared drawings (MORVEX_SHARED_DRAWINGS) are absent";
    const auto statistics = sharedStatistics();
    QString skipReason;
    int compared = 0;
    for (const Drawing &drawing : corpus(&skipReason)) {
        if (!drawing.shared)
            continue;
        SCOPED_TRACE(name(drawing));
        const auto row = statistics.value(QFileInfo(drawing.path).fileName());
        ASSERT_FALSE(row.isEmpty()) << "not in the statistics of SOURCES.md";
        const DxfFile file = DxfFile::read(drawing.path);
        const DxfDrawing typed = file.drawing();
        const Counts model = countsOf(typed, DxfSpace::Model);
        EXPECT_EQ(typed.header.acadVersion, row.value("version"));
        const QString codePage = row.value("$DWGCODEPAGE");
        EXPECT_EQ(typed.header.codePage, codePage == "(none)" ? QString() : codePage);
        EXPECT_EQ(QString::number(model.text), row.value("TEXT"));
        EXPECT_EQ(QString::number(model.insert), row.value("INSERT"));
        EXPECT_EQ(QString::number(model.attrib), row.value("ATTRIB"));
        EXPECT_EQ(QString::number(model.mtext), row.value("MTEXT"));
        EXPECT_EQ(QString::number(model.attdef), row.value("ATTDEF in msp"));
        int attdefsInBlocks = 0;
        for (const DxfBlock &block : typed.blocks) {
            for (const DxfEntity &entity : block.entities)
                attdefsInBlocks += entity.type == "ATTDEF";
        }
        EXPECT_EQ(QString::number(attdefsInBlocks), row.value("ATTDEF in blocks"));
        QStringList locked;
        for (const DxfLayer &layer : typed.layers) {
            if (layer.locked)
                locked.append(layer.name);
        }
        QStringList expectedLocked = row.value("locked layers").split(QStringLiteral(", "));
        expectedLocked.removeAll(QStringLiteral("-"));
        locked.sort();
        expectedLocked.sort();
        EXPECT_EQ(locked, expectedLocked);
        ++compared;
    }
    EXPECT_EQ(compared, statistics.size()) << "every drawing of the statistics is in the folder";
}

TEST(DxfCorpus, EzdxfReadsWhatTheTypedViewShows)
{
    QString skipReason;
    const QList<Drawing> drawings = corpus(&skipReason);
    if (drawings.isEmpty())
        GTEST_SKIP() << "no drawings: " << skipReason.toStdString();
    if (!ezdxfAvailable())
        GTEST_SKIP() << "/usr/bin/python3 cannot import ezdxf (Debian package python3-ezdxf)";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const Drawing &drawing : drawings) {
        SCOPED_TRACE(name(drawing));
        const DxfFile file = DxfFile::read(drawing.path);
        const DxfDrawing typed = file.drawing();
        const QHash<QString, Seen> ours = ourEntities(typed);
        const QStringList order = ourOrder(typed);
        EXPECT_EQ(QSet<QString>(order.cbegin(), order.cend()).size(), order.size())
                << "a handle twice in the typed view";
        const QJsonObject dump = ezdxfDump(ezdxfBaseline(file, drawing, dir));
        if (dump.value("loader").toString() != "readfile")
            std::printf("%s: ezdxf.readfile refused it; read with ezdxf.recover\n", name(drawing).c_str());
        QHash<QString, int> theirCounts;
        QHash<QString, int> ourCounts;
        // ezdxf makes up handles for entities whose group 5 it does not take
        // (R12 files with the handle after other groups); those are matched
        // in file order with ours that ezdxf did not name.
        QHash<QString, QStringList> unnamed;   // space -> our handles in file order
        QSet<QString> named;
        const QJsonArray theirs = dump.value("entities").toArray();
        for (const QJsonValue &value : theirs)
            named.insert(value["handle"].toString());
        for (const QString &handle : ourOrder(typed)) {
            if (!named.contains(handle))
                unnamed[ours.value(handle).space].append(handle);
        }
        static const QStringList viewed = {"TEXT", "ATTRIB", "INSERT", "ATTDEF", "LINE",
                                           "LWPOLYLINE", "POLYLINE", "CIRCLE", "ARC", "MTEXT"};
        for (const QJsonValue &value : theirs) {
            const QJsonObject entity = value.toObject();
            const QString space = entity.value("space").toString();
            if (space != "model" && space != "paper")
                continue;
            QString handle = entity.value("handle").toString();
            const QString type = entity.value("type").toString();
            if (!ours.contains(handle) && !file.object(handle) && viewed.contains(type)
                && !unnamed.value(space).isEmpty())
                handle = unnamed[space].takeFirst();
            const auto it = ours.constFind(handle);
            if (it == ours.cend()) {
                EXPECT_FALSE(viewed.contains(type)) << "missing " << type.toStdString() << " "
                                                    << handle.toStdString();
                continue;
            }
            SCOPED_TRACE(QStringLiteral("%1 %2").arg(type, handle).toStdString());
            expectSameEntity(*it, entity);
            ++theirCounts[space + type];
        }
        for (const Seen &seen : ours)
            ++ourCounts[seen.space + seen.type];
        EXPECT_EQ(ourCounts, theirCounts);

        // ezdxf adds the default layers a file leaves out ("0", "Defpoints").
        QHash<QString, bool> theirLayers;
        for (const QJsonValue &value : dump.value("layers").toArray())
            theirLayers.insert(value["name"].toString(), value["locked"].toBool());
        for (const DxfLayer &layer : typed.layers) {
            EXPECT_TRUE(theirLayers.contains(layer.name)) << layer.name.toStdString();
            EXPECT_EQ(layer.locked, theirLayers.value(layer.name)) << layer.name.toStdString();
            theirLayers.remove(layer.name);
        }
        for (auto it = theirLayers.cbegin(); it != theirLayers.cend(); ++it)
            EXPECT_FALSE(it.value()) << "locked layer not in the view: " << it.key().toStdString();
    }
}

TEST(DxfCorpus, EzdxfSeesExactlyTheEditedStrings)
{
    QString skipReason;
    const QList<Drawing> drawings = corpus(&skipReason);
    if (drawings.isEmpty())
        GTEST_SKIP() << "no drawings: " << skipReason.toStdString();
    if (!ezdxfAvailable())
        GTEST_SKIP() << "/usr/bin/python3 cannot import ezdxf (Debian package python3-ezdxf)";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const Drawing &drawing : drawings) {
        SCOPED_TRACE(name(drawing));
        DxfFile file = DxfFile::read(drawing.path);
        const DxfDrawing typed = file.drawing();
        const QString baseline = ezdxfBaseline(file, drawing, dir);

        // Every TEXT string and ATTRIB value of model and paper space.
        QHash<QString, QString> expected;
        for (const DxfEntity &entity : typed.entities) {
            if (const auto *text = std::get_if<DxfText>(&entity.data))
                expected.insert(entity.handle, text->string + editSuffix);
            if (const auto *insert = std::get_if<DxfInsert>(&entity.data)) {
                for (const DxfAttribute &attribute : insert->attributes)
                    expected.insert(attribute.handle, attribute.text.string + editSuffix);
            }
        }
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            file.setString(it.key(), it.value());
        const QString edited = dir.filePath(QFileInfo(drawing.path).fileName());
        file.save(edited);

        // Only the string lines changed.
        {
            const QList<QByteArray> before = fileBytes(baseline).split('\n');
            const QList<QByteArray> after = fileBytes(edited).split('\n');
            ASSERT_EQ(before.size(), after.size());
            int changed = 0;
            for (qsizetype i = 0; i < before.size(); ++i)
                changed += before.at(i) != after.at(i);
            EXPECT_EQ(changed, expected.size());
        }

        // Our own reader reads the new strings back.
        const DxfDrawing reread = DxfFile::read(edited).drawing();
        const QHash<QString, Seen> rereadEntities = ourEntities(reread);
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            ASSERT_TRUE(rereadEntities.contains(it.key()));
            ASSERT_TRUE(rereadEntities.value(it.key()).text);
            EXPECT_EQ(rereadEntities.value(it.key()).text->string, it.value());
        }

        // ezdxf sees the same entities with the same attributes, but for the strings.
        const QJsonArray original = ezdxfDump(baseline).value("entities").toArray();
        const QJsonArray changed = ezdxfDump(edited).value("entities").toArray();
        ASSERT_EQ(original.size(), changed.size());
        int seenEdits = 0;
        for (qsizetype i = 0; i < original.size(); ++i) {
            QJsonObject before = original.at(i).toObject();
            const QJsonObject after = changed.at(i).toObject();
            const QString handle = before.value("handle").toString();
            const QString space = before.value("space").toString();
            const QString type = before.value("type").toString();
            if ((space == "model" || space == "paper") && (type == "TEXT" || type == "ATTRIB")) {
                QJsonObject attribs = before.value("attribs").toObject();
                // (ezdxf may have made up the handle; then ours is not known here.)
                if (expected.contains(handle)) {
                    EXPECT_EQ(attribs.value("text").toString() + editSuffix, expected.value(handle))
                            << type.toStdString() << " " << handle.toStdString();
                }
                attribs.insert("text", attribs.value("text").toString() + editSuffix);
                before.insert("attribs", attribs);
                ++seenEdits;
            }
            EXPECT_EQ(before, after) << QJsonDocument(before).toJson(QJsonDocument::Compact).toStdString()
                                     << "\n" << QJsonDocument(after).toJson(QJsonDocument::Compact).toStdString();
        }
        EXPECT_EQ(seenEdits, expected.size());
    }
}
