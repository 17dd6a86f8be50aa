// The stand-in's document on the project's sample drawing: copies, deletions
// and undo saved as the drawing holds them, saving only when asked (Ctrl+S's
// path and MorvexCad.Save over the link), and bad files refused clearly by
// the document and by the program.

#include "ezdxfreader.h"
#include "fielddrawings.h"

#include "app/caddocument.h"
#include "server/cadserver.h"

#include "dxf/dxferror.h"
#include "dxf/dxffile.h"

#include "cad/caderror.h"
#include "cad/remote/variantcodec.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace cad;
using namespace standintest;
using cad::remote::fromQString;
using cad::remote::toQString;

// The entity of the drawing with this string (TEXT, or an INSERT whose
// attribute has it).
Handle findByText(const MemoryDrawing &drawing, std::u16string_view text, EntityKind kind)
{
    for (const auto &[handle, entity] : drawing.entities()) {
        if (kind == EntityKind::Text && entity.kind == EntityKind::Text && entity.text == text)
            return handle;
        if (kind == EntityKind::BlockReference && entity.kind == EntityKind::Attribute && entity.text == text)
            return entity.owner;
    }
    ADD_FAILURE() << "no entity with " << toQString(text).toStdString();
    return 0;
}

QJsonObject attribsOf(const QJsonObject &entity)
{
    return entity.value(QStringLiteral("attribs")).toObject();
}

// The attribs of an entity without the keys a copy or an edit changes.
QJsonObject attribsWithout(const QJsonObject &entity, const QStringList &keys)
{
    QJsonObject attribs = attribsOf(entity);
    for (const QString &key : keys)
        attribs.remove(key);
    return attribs;
}

class StandInDocument : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_path = m_folder.filePath(QStringLiteral("panel.dxf"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(MORVEX_SAMPLE_DRAWING), m_path));
        m_document = standin::CadDocument::open(m_path);
        m_cadDocument = m_document->drawing()->application()->get(u"ActiveDocument").toObject();
    }

    ObjectRef object(Handle handle)
    {
        return m_cadDocument->callWith(u"HandleToObject", {handleToString(handle)}).toObject();
    }

    QTemporaryDir m_folder;
    QString m_path;
    std::unique_ptr<standin::CadDocument> m_document;
    ObjectRef m_cadDocument;
};

TEST_F(StandInDocument, CopiesDeletionsAndUndoAreSavedAsTheDrawingHoldsThem)
{
    if (!ezdxfAvailable())
        GTEST_SKIP() << "ezdxf is missing (/usr/bin/python3 with python3-ezdxf)";
    MemoryDrawing &drawing = *m_document->drawing();
    const Handle fan = findByText(drawing, u"送風機", EntityKind::Text);
    const Handle outdoor = findByText(drawing, u"屋外", EntityKind::Text);
    const Handle lighting = findByText(drawing, u"照明盤", EntityKind::Text);
    const Handle motor = findByText(drawing, u"給水ポンプ", EntityKind::BlockReference);
    const Handle wireR1 = findByText(drawing, u"R1", EntityKind::BlockReference);

    // One command: a text copied, changed and moved, a block reference
    // copied with a new attribute value, a text erased.
    m_cadDocument->call(u"StartUndoMark");
    const ObjectRef fanCopy = object(fan)->call(u"Copy").toObject();
    fanCopy->put(u"TextString", u"送風機（予備）");
    fanCopy->put(u"InsertionPoint", toVariant(Point{40, 50, 0}));
    const ObjectRef motorCopy = object(motor)->call(u"Copy").toObject();
    const std::vector<Variant> copiedAttributes = motorCopy->call(u"GetAttributes").toVariantArray();
    ASSERT_EQ(copiedAttributes.size(), 4u);
    copiedAttributes[0].toObject()->put(u"TextString", u"M-9");
    object(outdoor)->call(u"Delete");
    m_cadDocument->call(u"EndUndoMark");

    // A second command, taken back.
    m_cadDocument->call(u"StartUndoMark");
    const Handle lightingCopy = handleFromString(object(lighting)->call(u"Copy").toObject()->get(u"Handle").toString());
    object(wireR1)->call(u"Delete");
    m_cadDocument->call(u"EndUndoMark");
    ASSERT_TRUE(drawing.undo());

    EXPECT_EQ(fileBytes(m_path), fileBytes(QStringLiteral(MORVEX_SAMPLE_DRAWING))) << "written before Save";
    m_document->save();
    expectHandlesUnique(DxfFile::read(m_path));

    const QHash<QString, QJsonObject> before = ezdxfEntitiesByHandle(ezdxfDump(QStringLiteral(MORVEX_SAMPLE_DRAWING)));
    const QHash<QString, QJsonObject> after = ezdxfEntitiesByHandle(ezdxfDump(m_path));
    const QString fanCopyHandle = toQString(fanCopy->get(u"Handle").toString());
    const QString motorCopyHandle = toQString(motorCopy->get(u"Handle").toString());

    // The copies, with the drawing's handles.
    ASSERT_TRUE(after.contains(fanCopyHandle));
    const QJsonObject savedFan = attribsOf(after[fanCopyHandle]);
    EXPECT_EQ(savedFan.value(QStringLiteral("text")).toString(), QStringLiteral("送風機（予備）"));
    EXPECT_EQ(savedFan.value(QStringLiteral("insert")).toArray(), QJsonArray({40.0, 50.0, 0.0}));
    const QStringList copyKeys{QStringLiteral("handle"), QStringLiteral("owner"), QStringLiteral("text"),
                               QStringLiteral("insert")};
    EXPECT_EQ(attribsWithout(after[fanCopyHandle], copyKeys),
              attribsWithout(before[toQString(handleToString(fan))], copyKeys));

    ASSERT_TRUE(after.contains(motorCopyHandle));
    const MemoryEntity &motorEntity = *drawing.entity(motor);
    for (size_t i = 0; i < copiedAttributes.size(); ++i) {
        const QString copied = toQString(copiedAttributes[i].toObject()->get(u"Handle").toString());
        const QString original = toQString(handleToString(motorEntity.attributes[i]));
        SCOPED_TRACE(copied.toStdString());
        ASSERT_TRUE(after.contains(copied));
        EXPECT_EQ(after[copied].value(QStringLiteral("owner")).toString(), motorCopyHandle);
        EXPECT_EQ(attribsOf(after[copied]).value(QStringLiteral("text")).toString(),
                  i == 0 ? QStringLiteral("M-9") : attribsOf(before[original]).value(QStringLiteral("text")).toString());
        EXPECT_EQ(attribsWithout(after[copied], copyKeys), attribsWithout(before[original], copyKeys));
    }

    // The erased text is gone; the undone command left nothing behind.
    EXPECT_FALSE(after.contains(toQString(handleToString(outdoor))));
    EXPECT_FALSE(after.contains(toQString(handleToString(lightingCopy))));
    EXPECT_TRUE(after.contains(toQString(handleToString(wireR1))));
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (it.key() != toQString(handleToString(outdoor))) {
            SCOPED_TRACE(it.key().toStdString());
            EXPECT_EQ(after.value(it.key()), it.value());
        }
    }
    EXPECT_EQ(after.size(), before.size() - 1 + 1 + 1 + 4);

    // A copy of the copy after the save, saved again: fresh handles, the
    // first copies kept.
    const ObjectRef secondCopy = motorCopy->call(u"Copy").toObject();
    m_document->save();
    expectHandlesUnique(DxfFile::read(m_path));
    const QHash<QString, QJsonObject> again = ezdxfEntitiesByHandle(ezdxfDump(m_path));
    EXPECT_TRUE(again.contains(toQString(secondCopy->get(u"Handle").toString())));
    EXPECT_TRUE(again.contains(motorCopyHandle));
    EXPECT_EQ(again.size(), after.size() + 1 + 4);
}

TEST_F(StandInDocument, SavesThroughTheLinkOnlyWhenAsked)
{
    standin::CadServer server(m_document->drawing());
    EXPECT_THROW(server.callReserved(u"MorvexCad.Save", {}), CadError) << "no file to save to yet";

    int saves = 0;
    server.setSaveHandler([&] {
        ++saves;
        m_document->save();
    });
    EXPECT_TRUE(standin::CadServer::isReservedMember(u"morvexcad.save"));
    const Handle fan = findByText(*m_document->drawing(), u"送風機", EntityKind::Text);
    object(fan)->put(u"TextString", u"排風機");
    EXPECT_EQ(fileBytes(m_path), fileBytes(QStringLiteral(MORVEX_SAMPLE_DRAWING)));

    server.callReserved(u"morvexcad.SAVE", {});
    EXPECT_EQ(saves, 1);
    const auto reread = standin::CadDocument::open(m_path);
    EXPECT_EQ(reread->drawing()->entity(fan)->text, u"排風機");

    // A save that fails reaches the caller as the CAD's error.
    server.setSaveHandler([] { throw CadError(u"disk full"); });
    try {
        server.callReserved(u"MorvexCad.Save", {});
        ADD_FAILURE() << "no error";
    } catch (const CadError &e) {
        EXPECT_EQ(e.message(), u"disk full");
    }
}

TEST(StandInBadInput, TruncatedOrGarbageFilesAreRefusedClearlyAndNothingIsWritten)
{
    const QByteArray sample = fileBytes(QStringLiteral(MORVEX_SAMPLE_DRAWING));
    ASSERT_FALSE(sample.isEmpty());
    const struct
    {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"truncated.dxf", sample.left(sample.size() / 2)},
        {"cut-in-a-group.dxf", sample.left(sample.indexOf("ENTITIES") + 12)},
        {"garbage.dxf", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR garbage \xff\xfe", 28)},
        {"empty.dxf", QByteArray()},
        {"words.dxf", QByteArray("this is not a drawing\n")},
    };
    for (const auto &badCase : cases) {
        SCOPED_TRACE(badCase.name);
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        const QString path = folder.filePath(QString::fromLatin1(badCase.name));
        writeFile(path, badCase.bytes);

        try {
            standin::CadDocument::open(path);
            ADD_FAILURE() << "read without an error";
        } catch (const DxfError &e) {
            EXPECT_FALSE(e.message().isEmpty());
        }

        QProcess program;
        program.start(QStringLiteral(MORVEX_CAD_PROGRAM), {QStringLiteral("--progid"),
                                                           QStringLiteral("MorvexTest.BadInput"), path});
        ASSERT_TRUE(program.waitForFinished(30000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << "crashed";
        EXPECT_NE(program.exitCode(), 0);
        const QString message = QString::fromUtf8(program.readAllStandardError());
        EXPECT_TRUE(message.contains(QStringLiteral("cannot open")) && message.contains(path))
            << message.toStdString();
        EXPECT_EQ(fileBytes(path), badCase.bytes);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList(QString::fromLatin1(badCase.name)));
    }
}

TEST(StandInBadInput, AMissingFileOrNoFileIsRefused)
{
    QProcess program;
    program.start(QStringLiteral(MORVEX_CAD_PROGRAM), {QStringLiteral("/nonexistent/drawing.dxf")});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_NE(program.exitCode(), 0);
    EXPECT_TRUE(program.readAllStandardError().contains("/nonexistent/drawing.dxf"));

    program.start(QStringLiteral(MORVEX_CAD_PROGRAM), {});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_NE(program.exitCode(), 0);
    EXPECT_TRUE(program.readAllStandardError().contains("morvex-cad [--progid ID] [--codepage NAME] drawing.dxf"));
}

} // namespace
