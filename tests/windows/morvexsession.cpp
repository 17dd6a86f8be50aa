// The tool itself in a session with a CAD in another process, over COM:
// this program starts exactly as morvex.exe does (the same program entry,
// the same platform layer: COM, Win32 windows, the message filter, the
// TMorvMainForm marker), and once its window is shown the session below
// drives it as a user would, while a second COM connection steers the test
// CAD (its scripted picks, its undo) and checks the drawing.
//
// The message boxes of the real program are modal: a timer answers each as
// it appears (inside its own event loop) and keeps its text for the checks.
#include "support/serverprocess.h"
#include "support/sessiondrawing.h"

#include "app/morvexprogram.h"
#include "app/tmorvmainform.h"
#include "attrtab/tattrtab.h"
#include "cad/com/comapartment.h"
#include "cad/com/comrunningobjecttable.h"
#include "cad/com/tmessagefilter.h"
#include "cad/connection.h"
#include "cad/memory/memoryentity.h"
#include "editor/lineeditor.h"
#include "form/sidefiles.h"
#include "form/textfile.h"
#include "grid/stringgrid.h"
#include "searchtab/tsearchtab.h"
#include "texttab/ttexttab.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace cad;
using namespace cad::com;
using namespace cad::com::test;

namespace {

struct Session
{
    TMorvMainForm *form = nullptr;
    std::u16string progId;
    SessionDrawing ids = makeSessionDrawing(); // the server builds the same drawing
    ComRunningObjectTable rot;
    QStringList messages; // every message box the tool showed, in order

    Application cad() { return AttachCad(rot, progId); }
    std::u16string textOf(Handle h) { return cad().activeDocument().handleToObject(handleToString(h)).textString(); }
    std::u16string attributeOf(Handle insert, const std::u16string &tag)
    {
        const BlockReference block(cad().activeDocument().handleToObject(handleToString(insert)));
        for (const Attribute &a : block.getAttributes()) {
            if (a.tagString() == tag)
                return a.textString();
        }
        return u"(no attribute)";
    }
    void scriptPick(const std::vector<Handle> &handles)
    {
        std::vector<Variant> list;
        for (Handle h : handles)
            list.emplace_back(handleToString(h));
        cad().object()->callWith(u"MorvexTest.ScriptPick", {Variant(std::move(list))});
    }
    void control(const char16_t *member, std::vector<Variant> args = {})
    {
        cad().object()->callWith(std::u16string(u"MorvexTest.") + member, std::move(args));
    }
};

Session session;

// Answers every message box of the tool as soon as it is up.
void answerMessageBoxes()
{
    auto *timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (box && box->isVisible()) {
                session.messages << box->text();
                box->accept();
            }
        }
    });
    timer->start(20);
}

QString text(const std::u16string &s)
{
    return QString::fromStdU16String(s);
}

// The steps of the session depend on each other and run in this order.

TEST(MorvexSession, StartsAttachedThroughItsPlatform)
{
    EXPECT_NE(TMessageFilter::registeredFilter(), nullptr) << "the form registers the COM message filter at start";
    EXPECT_TRUE(session.form->isVisible());
    session.form->TargetProgID = QString::fromStdU16String(session.progId);
}

TEST(MorvexSession, TextPickEditWriteBackAndOneUndoInTheCad)
{
    TMorvMainForm &form = *session.form;
    form.PageControl1->setCurrentIndex(0);
    TTextTab &tab = *form.TabSheet1;
    session.scriptPick({session.ids.motorText, session.ids.pumpText});
    tab.SpeedButton1->click();
    QStringList lines = tab.SynEdit1->lines();
    ASSERT_EQ(lines.size(), 2) << session.messages.join("|").toStdString();
    EXPECT_FALSE(form.isMinimized()) << "the main window is back after the pick";

    const QString first = lines[0];
    lines[0] = "モーター１（改）";
    tab.SynEdit1->setLines(lines);
    QTest::keyClick(tab.SynEdit1, Qt::Key_Return, Qt::ControlModifier); // "更新(Ctrl+Enter)"
    const Handle edited = handleFromString(tab.EditTexts[0].sHnd.toStdU16String());
    EXPECT_EQ(text(session.textOf(edited)), "モーター１（改）");

    Variant undone = session.cad().object()->call(u"MorvexTest.Undo");
    EXPECT_TRUE(undone.toBool());
    EXPECT_EQ(text(session.textOf(edited)), first) << "one undo in the CAD takes back the whole write-back";
}

TEST(MorvexSession, GridAcquisitionCellEditAndUpdateWithTheCadBusyOnce)
{
    TMorvMainForm &form = *session.form;
    form.PageControl1->setCurrentIndex(1);
    TAttrTab &tab = *form.TabSheet2;
    session.scriptPick({session.ids.motorBlock, session.ids.pumpBlock});
    // The CAD turns the first call away as busy: the message filter has it
    // repeated a second later, and the command goes on.
    session.control(u"RejectNextCalls", {Variant(int32_t(1))});
    tab.SpeedButton10->click(); // "取得"
    ASSERT_EQ(tab.StringGrid1->rowCount(), 3) << session.messages.join("|").toStdString();
    EXPECT_EQ(tab.StringGrid1->cellText(1, 1), "M-1");
    tab.StringGrid1->setCellText(1, 1, "M-99");
    tab.SpeedButton11->click(); // "更新"
    EXPECT_EQ(text(session.attributeOf(session.ids.motorBlock, u"NAME")), "M-99");
}

TEST(MorvexSession, CopyAndPasteInTheGridOwnTextAndAnotherProgramsText)
{
    TAttrTab &tab = *session.form->TabSheet2;
    StringGrid *grid = tab.StringGrid1;
    grid->setFocus();
    grid->setGridSelection(GridRect{1, 1, 2, 1});
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    grid->setCurrentCell(1, 2);
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid->cellText(1, 2), "M-99");
    EXPECT_EQ(grid->cellText(2, 2), "3.7kW");

    // A block copied in another program: its rows end in CR LF on the
    // clipboard, and the paste splits them there.
    session.control(u"SetClipboard", {Variant(u"P-7\t5.5kW\r\nP-8\t7.5kW\r\n")});
    grid->setCurrentCell(1, 1);
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid->cellText(1, 1), "P-7");
    EXPECT_EQ(grid->cellText(2, 1), "5.5kW");
    EXPECT_EQ(grid->cellText(1, 2), "P-8");
    EXPECT_EQ(grid->cellText(2, 2), "7.5kW");
    tab.SpeedButton11->click();
    EXPECT_EQ(text(session.attributeOf(session.ids.pumpBlock, u"SPEC")), "7.5kW");
}

TEST(MorvexSession, SearchEditAndUpdate)
{
    TMorvMainForm &form = *session.form;
    form.PageControl1->setCurrentIndex(2);
    TSearchTab &tab = *form.TEST;
    tab.Edit3->setText("*-0#");
    tab.SpeedButton14->click(); // "検索"
    ASSERT_EQ(tab.SearchTexts.size(), 1u) << session.messages.join("|").toStdString();
    tab.StringGrid2->setCellText(0, 0, "ポンプ-02");
    tab.StringGrid2->viewport()->repaint();
    session.messages.clear();
    tab.SpeedButton15->click(); // "更新"
    EXPECT_EQ(text(session.textOf(session.ids.pumpText)), "ポンプ-02");
    EXPECT_EQ(session.messages, QStringList{"1 / 1 個の TEXT を更新しました．"});
}

TEST(MorvexSession, TheCadsOwnDescriptionOfAFailureReachesTheUser)
{
    TMorvMainForm &form = *session.form;
    form.PageControl1->setCurrentIndex(0);
    session.messages.clear();
    // The locked layers are read before the pick; a failure there is no
    // cancelled pick and ends the command with the CAD's own words.
    session.control(u"FailMember", {Variant(u"Layers"), Variant(u"図面はほかのコマンドで使用中です")});
    form.TabSheet1->SpeedButton1->click();
    session.control(u"ClearFaults");
    EXPECT_TRUE(session.messages.join("\n").contains("図面はほかのコマンドで使用中です"))
        << session.messages.join("|").toStdString();
    EXPECT_FALSE(form.isMinimized());
    // The pick never started: the first tab is at rest.
    EXPECT_FALSE(form.TabSheet1->SpeedButton5->isEnabled());
    EXPECT_TRUE(form.TabSheet1->SpeedButton1->isEnabled());
}

} // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ComApartment apartment;
    ServerProcess server(ServerProcess::uniqueProgId(u"ToolSession"));
    if (!server.isReady()) {
        std::fprintf(stderr, "the test CAD did not start\n");
        return 2;
    }
    session.progId = server.progId();

    // The side files of this run in a folder of its own, with the tag set
    // the grid acquires.
    QTemporaryDir sideFiles;
    SideFiles::setFolderOverride(sideFiles.path());
    TextFile::writeLines(SideFiles::tagSetListPath(), {"機器,NAME,SPEC"});

    int testResult = 1;
    const int programResult = runMorvex(argc, argv, [&testResult](TMorvMainForm &form) {
        session.form = &form;
        answerMessageBoxes();
        testResult = RUN_ALL_TESTS();
        form.close();
    });
    session.form = nullptr;
    const bool filterRevoked = TMessageFilter::registeredFilter() == nullptr;
    if (!filterRevoked)
        std::fprintf(stderr, "the message filter was not revoked at the end\n");
    try {
        session.control(u"Quit");
    } catch (...) {
    }
    return testResult == 0 && programResult == 0 && filterRevoked ? 0 : 1;
}
