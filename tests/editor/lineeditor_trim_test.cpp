// Trailing blanks: a line the user changed loses its trailing spaces and tabs
// when the caret leaves it, and is read without them while the caret is on it.

#include "lineeditorfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QTextBlock>
#include <QTextDocument>

namespace {

class EditorTrim : public LineEditorFixture
{
protected:
    void SetUp() override
    {
        LineEditorFixture::SetUp();
        editor.setLines({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("kept  ")});
        editor.setCaret(1, 2);
    }

    // The line as the user sees it, blanks included.
    QString shownLine(int index) const
    {
        return editor.document()->findBlockByNumber(index).text();
    }
};

TEST_F(EditorTrim, typedBlanksStayWhileTheCaretIsOnTheLine)
{
    type(QStringLiteral("  x  "));
    EXPECT_EQ(shownLine(0), QStringLiteral("A  x  "));
    EXPECT_EQ(editor.caretColumn(), 7);
    type(QStringLiteral("y"));
    EXPECT_EQ(shownLine(0), QStringLiteral("A  x  y")); // inner blanks untouched
}

TEST_F(EditorTrim, theLineBeingEditedIsReadWithoutTrailingBlanks)
{
    type(QStringLiteral(" \t "));
    EXPECT_EQ(editor.line(0), QStringLiteral("A"));
    EXPECT_EQ(editor.lines(), QStringList({"A", "B", "kept  "}));
    EXPECT_EQ(editor.text(), QStringLiteral("A\nB\nkept  "));
    EXPECT_EQ(shownLine(0), QStringLiteral("A \t ")); // reading does not change it
}

// Every way of leaving the line trims it.
struct LeaveCase
{
    const char *name;
    void (*leave)(LineEditorFixture &, LineEditor &);
};

void PrintTo(const LeaveCase &c, std::ostream *os)
{
    *os << c.name;
}

class EditorTrimLeaving : public EditorTrim, public ::testing::WithParamInterface<LeaveCase>
{
public:
    void pressKey(Qt::Key key) { press(key); }
};

TEST_P(EditorTrimLeaving, trimsTheLineLeft)
{
    type(QStringLiteral("1  "));
    GetParam().leave(*this, editor);
    EXPECT_NE(editor.caretLine(), 1);
    EXPECT_EQ(shownLine(0), QStringLiteral("A1"));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, EditorTrimLeaving,
    ::testing::Values(
        LeaveCase{"DownKey", [](LineEditorFixture &f, LineEditor &) {
                      static_cast<EditorTrimLeaving &>(f).pressKey(Qt::Key_Down); }},
        LeaveCase{"SetCaret", [](LineEditorFixture &, LineEditor &e) { e.setCaret(3, 1); }},
        LeaveCase{"Click", [](LineEditorFixture &, LineEditor &e) {
                      e.setCaret(2, 1);
                      const QPoint target = e.cursorRect().center();
                      e.setCaret(1, 5);
                      QTest::mouseClick(e.viewport(), Qt::LeftButton, {}, target); }}),
    [](const ::testing::TestParamInfo<LeaveCase> &info) { return std::string(info.param.name); });

TEST_F(EditorTrim, enterInTheMiddleTrimsTheFirstHalf)
{
    editor.setLine(0, QStringLiteral("AB CD"));
    editor.setCaret(1, 4);
    press(Qt::Key_Return);
    EXPECT_EQ(editor.lines(), QStringList({"AB", "CD", "B", "kept  "}));
    EXPECT_EQ(shownLine(0), QStringLiteral("AB"));
}

TEST_F(EditorTrim, theIdeographicSpaceIsContent)
{
    type(QStringLiteral(u"　"));
    EXPECT_EQ(editor.line(0), QStringLiteral(u"A　"));
    press(Qt::Key_Down);
    EXPECT_EQ(shownLine(0), QStringLiteral(u"A　"));
}

TEST_F(EditorTrim, linesSetByTheProgramKeepTheirBlanks)
{
    editor.setLine(1, QStringLiteral("B  "));
    editor.appendLine(QStringLiteral("new\t"));
    editor.setCaret(2, 4);
    editor.replaceSelection(QStringLiteral(" "));
    editor.setCaret(1, 1);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(editor.lines(), QStringList({"A", "B   ", "kept  ", "new\t"}));
}

TEST_F(EditorTrim, movingTheCaretOverALineWithoutEditingKeepsItsBlanks)
{
    editor.setCaret(3, 7);
    press(Qt::Key_Up);
    EXPECT_EQ(editor.line(2), QStringLiteral("kept  "));
}

TEST_F(EditorTrim, editingALineWithBlanksFromTheDrawingTrimsItOnLeaving)
{
    editor.setCaret(3, 1);
    type(QStringLiteral("*"));
    EXPECT_EQ(editor.line(2), QStringLiteral("*kept"));
    press(Qt::Key_Up);
    EXPECT_EQ(shownLine(2), QStringLiteral("*kept"));
}

TEST_F(EditorTrim, oneUndoTakesBackTheTypingAndTheTrim)
{
    type(QStringLiteral("z "));
    press(Qt::Key_Down);
    ASSERT_EQ(shownLine(0), QStringLiteral("Az"));
    editor.undo();
    EXPECT_EQ(shownLine(0), QStringLiteral("A"));
    editor.redo();
    EXPECT_EQ(shownLine(0), QStringLiteral("Az"));
    editor.undo();
    EXPECT_EQ(shownLine(0), QStringLiteral("A"));
    EXPECT_FALSE(editor.canUndo());
}

TEST_F(EditorTrim, undoingBackToBlanksFromTheDrawingKeepsThem)
{
    editor.setCaret(3, 7);
    type(QStringLiteral("x"));
    editor.undo();
    press(Qt::Key_Up);
    EXPECT_EQ(shownLine(2), QStringLiteral("kept  "));
}

TEST_F(EditorTrim, aPastedLineIsTrimmedOnLeaving)
{
    editor.setCaret(2, 2);
    QApplication::clipboard()->setText(QStringLiteral("1 \r\n2 "));
    editor.paste();
    ASSERT_EQ(editor.caretLine(), 3);
    EXPECT_EQ(shownLine(1), QStringLiteral("B1")); // left by the caret during the paste
    EXPECT_EQ(shownLine(2), QStringLiteral("2 "));  // still the caret's line
    press(Qt::Key_Up);
    EXPECT_EQ(editor.lines(), QStringList({"A", "B1", "2", "kept  "}));
}

} // namespace
