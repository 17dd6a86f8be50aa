// morvex-cad as the tool meets it: started on a copy of the sample drawing,
// found and attached by its ProgID over the socket link, picks answered by
// the test hook or cancelled by Escape from the tool, and the drawing saved
// by MorvexCad.Save.

#include "app/caddocument.h"

#include "cad/caderror.h"
#include "cad/remote/remoteprotocol.h"
#include "cad/remote/socketrunningobjecttable.h"
#include "cad/remote/variantcodec.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

using namespace cad;
using namespace cad::remote;

class StandInProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_path = m_folder.filePath(QStringLiteral("panel.dxf"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(MORVEX_SAMPLE_DRAWING), m_path));
        m_progId = u"MorvexTest.Program" + fromQString(QString::number(QCoreApplication::applicationPid()));
        m_program.setProcessChannelMode(QProcess::ForwardedChannels);
        m_program.start(QStringLiteral(MORVEX_CAD_PROGRAM), {QStringLiteral("--progid"), toQString(m_progId), m_path});
        ASSERT_TRUE(m_program.waitForStarted());
        // Until the program listens (it reads the drawing first).
        const QDeadlineTimer deadline(30000);
        while (!m_table.isRunning(m_progId) && !deadline.hasExpired() && m_program.state() == QProcess::Running)
            QThread::msleep(50);
        ASSERT_TRUE(m_table.isRunning(m_progId)) << "morvex-cad does not answer";
        m_app = m_table.getActiveObject(m_progId);
        m_document = m_app->get(u"ActiveDocument").toObject();
    }

    void TearDown() override
    {
        m_document.reset();
        m_app.reset();
        m_program.terminate();
        if (!m_program.waitForFinished(10000))
            m_program.kill();
    }

    // The handle of the TEXT with this string, as the drawing was read.
    Handle textHandle(std::u16string_view text)
    {
        const auto drawing = standin::CadDocument::open(QStringLiteral(MORVEX_SAMPLE_DRAWING));
        for (const auto &[handle, entity] : drawing->drawing()->entities()) {
            if (entity.kind == EntityKind::Text && entity.text == text)
                return handle;
        }
        ADD_FAILURE() << "no TEXT " << toQString(text).toStdString();
        return 0;
    }

    QTemporaryDir m_folder;
    QString m_path;
    std::u16string m_progId;
    QProcess m_program;
    SocketRunningObjectTable m_table;
    ObjectRef m_app;
    ObjectRef m_document;
};

TEST_F(StandInProgram, ScriptedPickAndSaveOverTheLink)
{
    const Handle fan = textHandle(u"送風機");
    const ObjectRef set = m_document->get(u"SelectionSets").toObject()->callWith(u"Add", {u"MORVEX"}).toObject();
    m_app->callWith(member::TestScriptPick, {std::vector<Variant>{handleToString(fan)}});
    set->callWith(u"SelectOnScreen", {std::vector<int16_t>{0}, std::vector<Variant>{Variant(u"TEXT")}});
    ASSERT_EQ(set->get(u"Count").toInt32(), 1);
    const ObjectRef text = set->get(u"Item", {int32_t(0)}).toObject();
    EXPECT_EQ(text->get(u"TextString").toString(), u"送風機");

    m_document->call(u"StartUndoMark");
    text->put(u"TextString", u"排風機");
    m_document->call(u"EndUndoMark");
    QFile before(QStringLiteral(MORVEX_SAMPLE_DRAWING));
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    QFile unsaved(m_path);
    ASSERT_TRUE(unsaved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(unsaved.readAll() == before.readAll()) << "written before Save";

    m_app->call(u"MorvexCad.Save");
    const auto saved = standin::CadDocument::open(m_path);
    EXPECT_EQ(saved->drawing()->entity(fan)->text, u"排風機");

    // The test hook's undo takes the command back; the file keeps what was saved.
    EXPECT_TRUE(m_app->call(member::TestUndo).toBool());
    EXPECT_EQ(text->get(u"TextString").toString(), u"送風機");
    EXPECT_EQ(standin::CadDocument::open(m_path)->drawing()->entity(fan)->text, u"排風機");
}

TEST_F(StandInProgram, EscapeFromTheToolCancelsAPickOfTheViewer)
{
    // A second connection, as the tool's window operations use, presses
    // Escape while the first waits for the user's pick in the viewer.
    SocketRunningObjectTable escapeTable;
    const ObjectRef escapeApp = escapeTable.getActiveObject(m_progId);
    const ObjectRef set = m_document->get(u"SelectionSets").toObject()->callWith(u"Add", {u"MORVEX"}).toObject();

    ConnectionOptions options;
    bool pressed = false;
    options.whileWaiting = [&] {
        if (!pressed && escapeApp->call(member::TestIsPickPending).toBool()) {
            pressed = true;
            escapeApp->call(member::WindowPressEscape);
        }
    };
    SocketRunningObjectTable pickTable(options);
    const ObjectRef pickApp = pickTable.getActiveObject(m_progId);
    const ObjectRef pickSet = pickApp->get(u"ActiveDocument").toObject()->get(u"SelectionSets").toObject()
                                  ->get(u"Item", {Variant(u"MORVEX")}).toObject();
    EXPECT_THROW(pickSet->call(u"SelectOnScreen"), CadError);
    EXPECT_TRUE(pressed);
    EXPECT_EQ(set->get(u"Count").toInt32(), 0);
    EXPECT_FALSE(escapeApp->call(member::TestIsPickPending).toBool());
}

} // namespace
