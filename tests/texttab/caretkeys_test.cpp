// Caret tracking, the editor's keys, the snapshot undo and the dX/dY boxes.
#include "texttabfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QTest>

using cad::Handle;
using cad::Point;

namespace {

class CaretTest : public TextTabTest
{
protected:
    void SetUp() override
    {
        a = drawing().addText(u"A", {0, 100});
        b = drawing().addText(u"B", {0, 90});
        pickTexts({a, b});
        tab().CheckBox9->setChecked(true);
        drawing().zoomCenterCount = 0;
    }
    void clickLine(int line)
    {
        tab().SynEdit1->setCaret(line, 1);
        tab().SynEdit1Click();
    }
    Handle a = 0, b = 0;
};

TEST_F(CaretTest, TheViewFollowsTheCaretLineOncePerLine)
{
    clickLine(2);
    EXPECT_EQ(drawing().zoomCenterCount, 2); // ZoomCenter twice per move
    EXPECT_EQ(drawing().lastZoomCenter, (Point{0, 90, 0}));
    ASSERT_EQ(ui.windows.markers.size(), 1u);
    clickLine(2);
    EXPECT_EQ(drawing().zoomCenterCount, 2);
    clickLine(1);
    EXPECT_EQ(drawing().lastZoomCenter, (Point{0, 100, 0}));
    EXPECT_EQ(ui.form().state().CaretY_Old, 1);
}

TEST_F(CaretTest, BeyondTheRecordsTheViewGoesWhereTheWriteBackPutsTheLine)
{
    ui.setEditorLines({"A", "B", "C", "D"});
    setOffsets("10", "0");
    clickLine(4); // two lines below the last record
    EXPECT_EQ(drawing().lastZoomCenter, (Point{20, 90, 0}));
}

TEST_F(CaretTest, AnOffsetThatIsNotANumberIsReportedAndTheLineNotTaken)
{
    ui.setEditorLines({"A", "B", "C"});
    setOffsets("x", "0");
    clickLine(3);
    ASSERT_EQ(ui.messages.shown.size(), 1u);
    EXPECT_EQ(ui.messages.shown[0].kind, CapturingMessageBoxes::Error);
    EXPECT_NE(ui.form().state().CaretY_Old, 3);
}

TEST_F(CaretTest, UncheckedPanOnlyRemembersTheLine)
{
    tab().CheckBox9->setChecked(false);
    clickLine(2);
    EXPECT_EQ(drawing().zoomCenterCount, 0);
    EXPECT_EQ(ui.form().state().CaretY_Old, 2);
}

TEST_F(CaretTest, CtrlEnterWritesBackWithoutTypingAndActivatesTheWindow)
{
    ui.setEditorLines({"A!", "B"});
    tab().SynEdit1->setCaret(1, 3);
    ui.windows.log.clear();
    QTest::keyClick(tab().SynEdit1, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(textOf(a), u"A!");
    EXPECT_EQ(ui.editorLines(), (QStringList{"A!", "B"}));
    const auto &log = ui.windows.log;
    EXPECT_NE(std::find(log.begin(), log.end(), "SetForeground " + std::to_string(ui.form().mainWindowHandle())),
              log.end());
}

TEST_F(CaretTest, CtrlCCopiesThroughTheMenuCommand)
{
    tab().SynEdit1->setCaret(1, 1);
    QApplication::clipboard()->setText("old");
    QTest::keyClick(tab().SynEdit1, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), ""); // nothing selected: an empty text
    tab().SynEdit1->selectAll();
    QTest::keyClick(tab().SynEdit1, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "A\nB");
    EXPECT_TRUE(ui.editorLines().join("").isEmpty());
}

TEST_F(CaretTest, UndoButtonUndoesTheEditorFirstThenTheSnapshot)
{
    QApplication::clipboard()->setText("X");
    tab().SynEdit1->setCaret(1, 2);
    tab().N12Click(); // paste, with its undo point
    EXPECT_EQ(ui.editorLines(), (QStringList{"AX", "B"}));
    ui.form().Timer1Timer();
    EXPECT_TRUE(tab().SpeedButton4->isEnabled());
    tab().SpeedButton4->click();
    EXPECT_EQ(ui.editorLines(), (QStringList{"A", "B"}));
    ASSERT_FALSE(tab().SynEdit1->canUndo());
    tab().N20Click(); // clear, with its undo point
    EXPECT_TRUE(ui.editorLines().isEmpty());
    tab().SpeedButton4->click(); // the editor has nothing to undo: the snapshot comes back
    EXPECT_EQ(ui.editorLines(), (QStringList{"A", "B"}));
    EXPECT_FALSE(tab().SpeedButton4->isEnabled());
    EXPECT_FALSE(ui.form().state().undoFlag);
}

TEST_F(CaretTest, EnterInTheOffsetBoxes)
{
    setOffsets("10", "0");
    tab().Edit1->setFocus();
    QTest::keyClick(tab().Edit1, Qt::Key_Return);
    EXPECT_TRUE(tab().Edit2->hasFocus() || QApplication::focusWidget() == tab().Edit2);

    tab().SpeedButton6->setEnabled(false);
    QTest::keyClick(tab().Edit2, Qt::Key_Return);
    EXPECT_EQ(entity(b).insertionPoint, (Point{0, 90, 0})); // "整列" disabled: nothing

    tab().SpeedButton6->setEnabled(true);
    QTest::keyClick(tab().Edit2, Qt::Key_Return);
    EXPECT_EQ(entity(b).insertionPoint, (Point{10, 100, 0}));
}

TEST_F(CaretTest, StatusTimerCountsTheLinesUpToTheLastText)
{
    const struct
    {
        QStringList lines;
        QString label;
    } cases[] = {
        {{"one", "", "three", " ", "\t", ""}, "取得データ数 = 3"},
        {{"", " "}, "取得データ数 = 0"},
        {{"one", "　"}, "取得データ数 = 2"}, // the ideographic space is text
    };
    for (const auto &c : cases) {
        ui.setEditorLines(c.lines);
        ui.form().Timer1Timer();
        EXPECT_EQ(tab().Label1->text(), c.label) << c.lines.join(u'|').toStdString();
    }
}

TEST_F(CaretTest, StatusTimerShowsRowColumnAndSelectedRows)
{
    ui.setEditorLines({"one", "two", "three", "", "five"});
    tab().SynEdit1->setCaret(3, 5);
    ui.form().Timer1Timer();
    EXPECT_EQ(ui.form().statusPanelText(0), "Row = 3 / 5 Col= 5");
    EXPECT_EQ(tab().Label1->text(), "取得データ数 = 5");
    EXPECT_EQ(ui.form().statusPanelText(1), "selRows = 0");
    // Beyond the records the editor turns pale cyan (yellow for attributes).
    EXPECT_EQ(tab().SynEdit1->backgroundColor(), QColor(221, 255, 253));

    QTextCursor c = tab().SynEdit1->textCursor();
    c.setPosition(0);
    c.setPosition(3, QTextCursor::KeepAnchor);
    tab().SynEdit1->setTextCursor(c);
    ui.form().Timer1Timer();
    EXPECT_EQ(ui.form().statusPanelText(1), "selRows = 1");
    c.setPosition(0);
    c.setPosition(8, QTextCursor::KeepAnchor); // "one\ntwo\n"
    tab().SynEdit1->setTextCursor(c);
    ui.form().Timer1Timer();
    EXPECT_EQ(ui.form().statusPanelText(1), "selRows = 2");

    ui.form().PageControl1->setCurrentIndex(1);
    EXPECT_EQ(ui.form().statusPanelText(0), "");
    ui.form().Timer1Timer();
    EXPECT_EQ(ui.form().statusPanelText(0), "");
}

} // namespace
