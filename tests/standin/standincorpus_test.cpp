// The stand-in CAD on real drawings (every DXF under $MORVEX_SHARED_DRAWINGS
// and the folders of $MORVEX_DRAWINGS): read into the in-memory drawing and
// saved through it, changed through the automation model, and searched with
// Select, each checked against ezdxf as the independent reader.

#include "ezdxfreader.h"

#include "app/caddocument.h"

#include "dxf/dxffile.h"

#include "cad/caderror.h"
#include "cad/remote/variantcodec.h"
#include "transform/zenhanutil.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace cad;
using namespace standintest;
using cad::remote::toQString;

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string nameOf(const QString &path)
{
    return QFileInfo(path).fileName().toStdString();
}

// ezdxf gives the entities of an R12 file handles of its own on reading.
bool ezdxfKeepsHandles(const QJsonObject &dump)
{
    return dump.value(QStringLiteral("acadver")).toString() != QLatin1String("AC1009");
}

// Entities by handle as ezdxf sees them (each handle once); for R12 by
// their place in the dump ("#0", "#1" …), without ezdxf's own handles.
QHash<QString, QJsonObject> entitiesByKey(const QJsonObject &dump)
{
    if (ezdxfKeepsHandles(dump))
        return ezdxfEntitiesByHandle(dump);
    QHash<QString, QJsonObject> entities;
    int index = 0;
    for (const QJsonValue &value : dump.value(QStringLiteral("entities")).toArray()) {
        QJsonObject entity = value.toObject();
        entity.remove(QStringLiteral("handle"));
        entity.remove(QStringLiteral("owner"));
        entity.remove(QStringLiteral("in_file"));
        QJsonObject attribs = entity.value(QStringLiteral("attribs")).toObject();
        attribs.remove(QStringLiteral("handle"));
        attribs.remove(QStringLiteral("owner"));
        entity.insert(QStringLiteral("attribs"), attribs);
        entities.insert(QStringLiteral("#%1").arg(index++), entity);
    }
    return entities;
}

QString textOf(const QJsonObject &entity)
{
    return entity.value(QStringLiteral("attribs")).toObject().value(QStringLiteral("text")).toString();
}

QJsonObject withoutText(QJsonObject entity)
{
    QJsonObject attribs = entity.value(QStringLiteral("attribs")).toObject();
    attribs.remove(QStringLiteral("text"));
    entity.insert(QStringLiteral("attribs"), attribs);
    return entity;
}

// The drawing saved unchanged, as ezdxf reads it: the reference every later
// save is compared with (files without handles get them on reading).
const QJsonObject &unchangedDump(const QString &path, const QTemporaryDir &folder)
{
    static QHash<QString, QJsonObject> dumps;
    if (!dumps.contains(path)) {
        const QString saved = folder.filePath(QStringLiteral("unchanged-") + QFileInfo(path).fileName());
        standin::CadDocument::open(path)->saveTo(saved);
        dumps.insert(path, ezdxfDump(saved));
    }
    return dumps[path];
}

class StandInCorpus : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QString skipReason;
        m_drawings = corpusDrawings(&skipReason);
        if (!skipReason.isEmpty())
            std::printf("Note: %s\n", qPrintable(skipReason));
        if (m_drawings.isEmpty())
            GTEST_SKIP() << "no drawings to test: " << skipReason.toStdString();
        ASSERT_TRUE(m_folder.isValid());
    }

    bool needEzdxf()
    {
        if (ezdxfAvailable())
            return true;
        std::printf("Note: ezdxf is missing (/usr/bin/python3 with python3-ezdxf)\n");
        return false;
    }

    QStringList m_drawings;
    QTemporaryDir m_folder;
};

TEST_F(StandInCorpus, UnchangedDrawingsSaveByteIdentical)
{
    for (const QString &path : std::as_const(m_drawings)) {
        SCOPED_TRACE(nameOf(path));
        const auto document = standin::CadDocument::open(path);
        const DxfFile asRead = DxfFile::read(path);
        const QString saved = m_folder.filePath(QFileInfo(path).fileName());
        document->saveTo(saved);
        // Handles given or changed on reading (R12 without handles, repeated
        // handles) are the only change.
        const QByteArray expected = asRead.isModified() ? asRead.toBytes() : fileBytes(path);
        EXPECT_TRUE(fileBytes(saved) == expected);
        EXPECT_GT(document->drawing()->entities().size(), 0u);
    }
}

TEST_F(StandInCorpus, StringsChangedThroughTheModelAreExactlyWhatEzdxfSeesChanged)
{
    if (!needEzdxf())
        GTEST_SKIP() << "ezdxf is missing";
    for (const QString &path : std::as_const(m_drawings)) {
        SCOPED_TRACE(nameOf(path));
        const auto document = standin::CadDocument::open(path);
        MemoryDrawing &drawing = *document->drawing();
        const ObjectRef cadDocument = drawing.application()->get(u"ActiveDocument").toObject();

        // Every TEXT string and ATTRIB value to full width, one undo group;
        // entities on locked layers refuse, as in a CAD.
        std::map<Handle, std::u16string> changed;
        int refused = 0;
        std::vector<Handle> targets;
        for (const auto &[handle, entity] : drawing.entities()) {
            const MemoryEntity *owner = entity.kind == EntityKind::Attribute ? drawing.entity(entity.owner) : nullptr;
            if ((entity.kind == EntityKind::Text && entity.isSelectable()) || (owner && owner->isSelectable()))
                targets.push_back(handle);
        }
        cadDocument->call(u"StartUndoMark");
        for (Handle handle : targets) {
            const ObjectRef entity = cadDocument->callWith(u"HandleToObject", {handleToString(handle)}).toObject();
            const std::u16string before = entity->get(u"TextString").toString();
            std::u16string after = before;
            AllHanToZen(after);
            if (after == before)
                continue;
            try {
                entity->put(u"TextString", after);
                changed[handle] = after;
            } catch (const CadError &) {
                ++refused;
            }
        }
        cadDocument->call(u"EndUndoMark");

        const QString saved = m_folder.filePath(QStringLiteral("edited-") + QFileInfo(path).fileName());
        document->saveTo(saved);
        const QJsonObject &unchanged = unchangedDump(path, m_folder);
        const bool byHandle = ezdxfKeepsHandles(unchanged);
        const QHash<QString, QJsonObject> before = entitiesByKey(unchanged);
        const QHash<QString, QJsonObject> after = entitiesByKey(ezdxfDump(saved));
        ASSERT_EQ(after.size(), before.size());
        int seenChanged = 0;
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            SCOPED_TRACE(it.key().toStdString());
            ASSERT_TRUE(after.contains(it.key()));
            const QJsonObject &now = after[it.key()];
            if (byHandle) {
                const auto change = changed.find(handleFromString(remote::fromQString(it.key())));
                if (change == changed.end()) {
                    EXPECT_EQ(now, it.value());
                    continue;
                }
                EXPECT_EQ(textOf(now), toQString(change->second));
            } else {
                // Without handles to match by: what changed is the string's
                // full-width form.
                if (now == it.value())
                    continue;
                std::u16string expected = remote::fromQString(textOf(it.value()));
                AllHanToZen(expected);
                EXPECT_EQ(textOf(now), toQString(expected));
            }
            ++seenChanged;
            EXPECT_EQ(withoutText(now), withoutText(it.value()));
        }
        EXPECT_EQ(seenChanged, int(changed.size()));
        std::printf("%s: %zu strings changed, %d refused on locked layers\n", nameOf(path).c_str(),
                    changed.size(), refused);
    }
}

TEST_F(StandInCorpus, SelectAllTextFindsTheModelAndPaperSpaceTextEzdxfFinds)
{
    if (!needEzdxf())
        GTEST_SKIP() << "ezdxf is missing";
    for (const QString &path : std::as_const(m_drawings)) {
        SCOPED_TRACE(nameOf(path));
        const QJsonObject &unchanged = unchangedDump(path, m_folder);
        const bool byHandle = ezdxfKeepsHandles(unchanged);
        QSet<QString> expected;
        QStringList expectedStrings;
        for (const QJsonValue &value : unchanged.value(QStringLiteral("entities")).toArray()) {
            const QJsonObject entity = value.toObject();
            const QString space = entity.value(QStringLiteral("space")).toString();
            if (entity.value(QStringLiteral("type")).toString() == QLatin1String("TEXT")
                && (space == QLatin1String("model") || space == QLatin1String("paper"))) {
                expected.insert(entity.value(QStringLiteral("handle")).toString());
                expectedStrings << textOf(entity);
            }
        }
        expectedStrings.sort();

        const auto document = standin::CadDocument::open(path);
        const ObjectRef cadDocument = document->drawing()->application()->get(u"ActiveDocument").toObject();
        const ObjectRef sets = cadDocument->get(u"SelectionSets").toObject();
        const struct
        {
            std::u16string name;
            std::vector<int16_t> codes;
            std::vector<Variant> values;
        } filters[] = {
            {u"TYPE_ONLY", {0}, {Variant(u"TEXT")}},
            {u"TYPE_AND_ANY_STRING", {0, 1}, {Variant(u"TEXT"), Variant(u"*")}},
        };
        for (const auto &filter : filters) {
            SCOPED_TRACE(toQString(filter.name).toStdString());
            const ObjectRef set = sets->callWith(u"Add", {filter.name}).toObject();
            set->callWith(u"Select", {int32_t(5), Variant(), Variant(), filter.codes, filter.values});
            QSet<QString> found;
            QStringList foundStrings;
            const int count = set->get(u"Count").toInt32();
            for (int i = 0; i < count; ++i) {
                const ObjectRef entity = set->get(u"Item", {int32_t(i)}).toObject();
                found.insert(toQString(entity->get(u"Handle").toString()));
                foundStrings << toQString(entity->get(u"TextString").toString());
            }
            foundStrings.sort();
            EXPECT_EQ(count, found.size());
            EXPECT_EQ(foundStrings, expectedStrings);
            if (byHandle) {
                EXPECT_EQ(found, expected);
            }
        }
    }
}

} // namespace
