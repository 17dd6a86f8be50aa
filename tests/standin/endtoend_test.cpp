// The whole product end to end: the stand-in CAD runs as its own program on
// a copy of the sample drawing; the tool's real main window attaches to it
// over the socket, as on a desktop, and the user's commands are driven
// through the window. The saved drawing is read back with ezdxf.
#include "ezdxfreader.h"

#include "support/headlessform.h"
#include "support/qstringprinter.h"

#include "attrtab/tattrtab.h"
#include "editor/lineeditor.h"
#include "form/sidefiles.h"
#include "form/textfile.h"
#include "grid/stringgrid.h"
#include "searchtab/tsearchtab.h"
#include "texttab/ttexttab.h"

#include "cad/caderror.h"
#include "cad/document.h"
#include "cad/remote/remotecadwindowsystem.h"
#include "cad/remote/socketrunningobjecttable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using cad::Variant;

class EndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!standintest::ezdxfAvailable())
            GTEST_SKIP() << "python3-ezdxf is not installed";
        SideFiles::setFolderOverride(dir.path());
        drawingPath = dir.filePath("panel.dxf");
        ASSERT_TRUE(QFile::copy(MORVEX_SAMPLE_DRAWING, drawingPath));
        progId = QStringLiteral("Morvex.EndToEnd.%1").arg(QCoreApplication::applicationPid());

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        cadProcess.setProcessEnvironment(env);
        cadProcess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        cadProcess.start(MORVEX_CAD_PROGRAM, {"--progid", progId, drawingPath});
        ASSERT_TRUE(cadProcess.waitForStarted(10000));
        QElapsedTimer waited;
        waited.start();
        while (!rot.isRunning(progId.toStdU16String()) && waited.elapsed() < 20000)
            QThread::msleep(50);
        ASSERT_TRUE(rot.isRunning(progId.toStdU16String())) << "the stand-in CAD did not start";

        TextFile::writeLines(SideFiles::tagSetListPath(), {"機器,NAME,NAME1,SPEC,TYPE"});
        form = std::make_unique<TMorvMainForm>(MainFormServices{rot, windows, messages, pump, {}});
        form->TargetProgID = progId;
        form->show();
        QCoreApplication::processEvents();
    }

    void TearDown() override
    {
        form.reset();
        if (cadProcess.state() != QProcess::NotRunning) {
            cadProcess.kill();
            cadProcess.waitForFinished(5000);
        }
        SideFiles::setFolderOverride(QString());
    }

    // A direct line to the stand-in, as a test hook beside the tool.
    cad::Application cad() { return cad::Application(rot.getActiveObject(progId.toStdU16String())); }

    // The handles of the drawing's entities that pass a filter.
    std::vector<std::u16string> select(const cad::SelectionFilter &filter)
    {
        const cad::Document doc = cad().activeDocument();
        cad::TempSelectionSet set(doc);
        set->selectAll(filter);
        std::vector<std::u16string> handles;
        for (int i = 0; i < set->count(); ++i)
            handles.push_back(set->item(i).handle());
        return handles;
    }
    std::vector<std::u16string> textsMatching(const std::u16string &pattern)
    {
        cad::SelectionFilter filter;
        filter.add(0, u"TEXT");
        filter.add(1, pattern);
        return select(filter);
    }
    void scriptPick(const std::vector<std::u16string> &handles)
    {
        std::vector<Variant> list;
        for (const auto &h : handles)
            list.emplace_back(h);
        cad().object()->callWith(u"MorvexTest.ScriptPick", {Variant(std::move(list))});
    }
    void save() { cad().object()->call(u"MorvexCad.Save"); }
    bool undoInCad() { return cad().object()->call(u"MorvexTest.Undo").toBool(); }

    // The saved drawing as ezdxf reads it: handle → text or attribute value.
    std::map<QString, QString> savedStrings()
    {
        std::map<QString, QString> strings;
        const QJsonObject dump = standintest::ezdxfDump(drawingPath);
        for (const auto &value : dump.value("entities").toArray()) {
            const QJsonObject e = value.toObject();
            const QString type = e.value("type").toString();
            if (type == "TEXT" || type == "ATTRIB")
                strings[e.value("handle").toString()] = e.value("attribs").toObject().value("text").toString();
        }
        return strings;
    }

    QTemporaryDir dir;
    QString drawingPath;
    QString progId;
    QProcess cadProcess;
    // While a call waits (a pick), the test's timers still run.
    static cad::remote::ConnectionOptions pumping()
    {
        cad::remote::ConnectionOptions options;
        options.whileWaiting = [] { QCoreApplication::processEvents(); };
        return options;
    }
    cad::remote::SocketRunningObjectTable rot{pumping()};
    cad::RecordingWindowSystem ownWindows; // the tool's own window
    cad::remote::RemoteCadWindowSystem windows{rot, &ownWindows};
    CapturingMessageBoxes messages;
    TestPump pump;
    std::unique_ptr<TMorvMainForm> form;
};

TEST_F(EndToEnd, SearchPickEditWriteBackSaveAndUndoInTheStandIn)
{
    const cad::Document doc = cad().activeDocument();
    auto textOf = [&](const std::u16string &h) { return QString::fromStdU16String(doc.handleToObject(h).textString()); };

    // "検索" of every text, one row edited, "更新".
    form->PageControl1->setCurrentIndex(2);
    TSearchTab &search = *form->TEST;
    search.Edit3->clear();
    search.SpeedButton14->click();
    const size_t allTexts = textsMatching(u"*").size();
    ASSERT_EQ(search.SearchTexts.size(), allTexts);
    int row = 0;
    while (search.SearchTexts[size_t(search.StringGrid2->cellObject(0, row) - 1)].locked)
        ++row;
    const std::u16string searched = search.SearchTexts[size_t(search.StringGrid2->cellObject(0, row) - 1)].sHnd.toStdU16String();
    search.StringGrid2->setCellText(0, row, "検索で変更");
    search.StringGrid2->viewport()->repaint(); // the changed row shows red and enables "更新"
    search.SpeedButton15->click();
    EXPECT_EQ(textOf(searched), "検索で変更");
    EXPECT_EQ(messages.texts(), QStringList{"1 / 1 個の TEXT を更新しました．"});
    messages.clear();

    // "TEXT" with a pick in the stand-in, the lines edited, "更新(Ctrl+Enter)".
    form->PageControl1->setCurrentIndex(0);
    TTextTab &text = *form->TabSheet1;
    const auto picked = textsMatching(u"[~検]*");
    ASSERT_GE(picked.size(), 2u);
    scriptPick({picked[0], picked[1]});
    text.SpeedButton1->click();
    QStringList lines = text.SynEdit1->lines();
    ASSERT_EQ(lines.size(), 2) << messages.texts().join("|").toStdString();
    lines[0] += "（改）";
    text.SynEdit1->setLines(lines);
    text.SpeedButton2->click();
    const std::u16string edited = text.EditTexts[0].sHnd.toStdU16String();
    EXPECT_EQ(textOf(edited), lines[0]);

    // "取得" of the motors' attributes, one cell edited, "更新".
    form->PageControl1->setCurrentIndex(1);
    TAttrTab &attr = *form->TabSheet2;
    cad::SelectionFilter motors;
    motors.add(0, u"INSERT");
    motors.add(2, u"電動機");
    const auto inserts = select(motors);
    ASSERT_GE(inserts.size(), 2u);
    scriptPick(inserts);
    attr.SpeedButton10->click();
    ASSERT_EQ(attr.StringGrid1->rowCount(), int(inserts.size()) + 1);
    const QString before = attr.StringGrid1->cellText(1, 1);
    attr.StringGrid1->setCellText(1, 1, "M-99");
    attr.SpeedButton11->click();
    std::u16string nameHandle;
    for (const auto &h : inserts) {
        for (const auto &a : cad::BlockReference(doc.handleToObject(h)).getAttributes()) {
            if (a.tagString() == u"NAME" && a.textString() == u"M-99")
                nameHandle = a.handle();
        }
    }
    ASSERT_FALSE(nameHandle.empty()) << "the grid's cell did not reach its attribute";
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join("\n").toStdString();
    EXPECT_FALSE(cad().object()->call(u"MorvexTest.IsPickPending").toBool());

    // Saved, the drawing holds exactly what the tool wrote.
    save();
    auto strings = savedStrings();
    EXPECT_EQ(strings[QString::fromStdU16String(searched)], "検索で変更");
    EXPECT_EQ(strings[QString::fromStdU16String(edited)], lines[0]);
    EXPECT_EQ(strings[QString::fromStdU16String(nameHandle)], "M-99");

    // One undo in the stand-in takes back the last command, the grid's "更新".
    ASSERT_TRUE(undoInCad());
    EXPECT_EQ(textOf(nameHandle), before);
    EXPECT_EQ(textOf(edited), lines[0]);
    save();
    strings = savedStrings();
    EXPECT_EQ(strings[QString::fromStdU16String(nameHandle)], before);
    EXPECT_EQ(strings[QString::fromStdU16String(searched)], "検索で変更");
}

TEST_F(EndToEnd, SearchWithWidthsAlikeAndAttributesInTheSampleDrawing)
{
    const cad::Document doc = cad().activeDocument();
    auto textOf = [&](const std::u16string &h) { return QString::fromStdU16String(doc.handleToObject(h).textString()); };
    form->PageControl1->setCurrentIndex(2);
    TSearchTab &search = *form->TEST;
    auto rows = [&] {
        QStringList texts;
        for (int r = 0; r < search.StringGrid2->rowCount(); ++r)
            texts << search.StringGrid2->cellText(0, r);
        return texts;
    };

    // "モーター" finds the device list's "ﾓｰﾀｰ1" only with "全半角同一".
    search.Edit3->setText("モーター");
    search.SpeedButton14->click();
    EXPECT_EQ(rows(), QStringList{""});
    search.CheckBox10->click();
    EXPECT_EQ(rows(), QStringList{"ﾓｰﾀｰ1"});
    EXPECT_EQ(search.Label7->text(), "[*モーター*] (部分一致・全半角)");

    // "M-*" with "属性": the motors' device names, from their attributes.
    search.CheckBox10->setChecked(false);
    search.CheckBox3->setChecked(true);
    search.Edit3->setText("M-");
    search.CheckBox11->click();
    ASSERT_EQ(rows(), (QStringList{"M-1", "M-2", "M-3"}));
    EXPECT_EQ(search.Label7->text(), "[M-*] (部分一致・属性)");
    const Morv2 &m2 = search.SearchTexts[size_t(search.StringGrid2->cellObject(0, 1) - 1)];
    const std::u16string m2Handle = m2.sHnd.toStdU16String();
    EXPECT_EQ(doc.handleToObject(m2Handle).entityName(), u"AcDbAttribute");
    search.StringGrid2->setCurrentCell(0, 1);
    EXPECT_EQ(form->statusPanelText(0), m2.sHnd + " NAME");

    // One row edited, "更新", saved: the attribute holds it; one undo in
    // the stand-in takes it back.
    search.StringGrid2->setCellText(0, 1, "M-20");
    search.StringGrid2->viewport()->repaint();
    search.SpeedButton15->click();
    EXPECT_EQ(messages.texts(), QStringList{"1 / 1 個の TEXT を更新しました．"});
    EXPECT_EQ(textOf(m2Handle), "M-20");
    save();
    EXPECT_EQ(savedStrings()[QString::fromStdU16String(m2Handle)], "M-20");
    ASSERT_TRUE(undoInCad());
    EXPECT_EQ(textOf(m2Handle), "M-2");
}

TEST_F(EndToEnd, TheStandInEndingDuringAPickLeavesTheToolUsable)
{
    QTimer::singleShot(500, [this] { cadProcess.kill(); });
    form->TabSheet1->SpeedButton1->click(); // waits in the pick until the CAD dies
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().kind, CapturingMessageBoxes::Error);
    EXPECT_TRUE(messages.shown.back().text.contains("CAD")) << messages.shown.back().text.toStdString();
    messages.clear();
    cadProcess.waitForFinished(5000);
    // Usable: the next command finds no CAD and does nothing.
    form->TabSheet1->SpeedButton1->click();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(form->state().runFlag);
}

} // namespace
