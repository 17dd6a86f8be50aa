// Caret and selection of the editor.

#include "lineeditorfixture.h"

#include <QSignalSpy>

#include <ostream>

namespace {

class EditorCaret : public LineEditorFixture
{
protected:
    void SetUp() override
    {
        LineEditorFixture::SetUp();
        editor.setLines({QStringLiteral("ABC"), QStringLiteral(u"日本語"), QString(), QStringLiteral("xyz")});
    }
};

TEST_F(EditorCaret, startsAtLineOneColumnOne)
{
    EXPECT_EQ(editor.caretLine(), 1);
    EXPECT_EQ(editor.caretColumn(), 1);
}

TEST_F(EditorCaret, setCaretCountsFromOne)
{
    editor.setCaret(2, 3);
    EXPECT_EQ(editor.caretLine(), 2);
    EXPECT_EQ(editor.caretColumn(), 3);
    type(QStringLiteral("#"));
    EXPECT_EQ(editor.line(1), QStringLiteral(u"日本#語"));
    EXPECT_EQ(editor.caretColumn(), 4);
}

TEST_F(EditorCaret, loadingKeepsTheCaretWhereTheNewTextReaches)
{
    editor.setCaret(2, 3);
    editor.setLines({QStringLiteral(u"ＡＢＣ"), QStringLiteral(u"ニホンゴ"), QString(), QStringLiteral("XYZ")});
    EXPECT_EQ(editor.caretLine(), 2);
    EXPECT_EQ(editor.caretColumn(), 3);

    editor.setCaret(4, 4);
    editor.setLines({QStringLiteral("one"), QStringLiteral("t")});
    EXPECT_EQ(editor.caretLine(), 2);
    EXPECT_EQ(editor.caretColumn(), 2);

    editor.clear();
    EXPECT_EQ(editor.caretLine(), 1);
    EXPECT_EQ(editor.caretColumn(), 1);
}

TEST_F(EditorCaret, setCaretBeyondTheTextStopsAtItsEnds)
{
    editor.setCaret(9, 9);
    EXPECT_EQ(editor.caretLine(), 4);
    EXPECT_EQ(editor.caretColumn(), 4); // behind "xyz"
    editor.setCaret(0, 0);
    EXPECT_EQ(editor.caretLine(), 1);
    EXPECT_EQ(editor.caretColumn(), 1);
}

TEST_F(EditorCaret, followsTheKeys)
{
    editor.setCaret(1, 1);
    press(Qt::Key_Down);
    press(Qt::Key_End);
    EXPECT_EQ(editor.caretLine(), 2);
    EXPECT_EQ(editor.caretColumn(), 4);
    press(Qt::Key_Down);
    EXPECT_EQ(editor.caretLine(), 3);
    EXPECT_EQ(editor.caretColumn(), 1);
}

TEST_F(EditorCaret, reportsAMoveToAnotherLineOnce)
{
    QSignalSpy spy(&editor, &LineEditor::caretLineChanged);
    press(Qt::Key_Right); // same line
    EXPECT_EQ(spy.count(), 0);
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 2);
    editor.setCaret(4, 1);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(1).at(0).toInt(), 4);
}

TEST_F(EditorCaret, reportsTheLineOnceAfterABulkUpdate)
{
    QSignalSpy spy(&editor, &LineEditor::caretLineChanged);
    editor.beginUpdate();
    editor.setCaret(2, 1);
    editor.setCaret(3, 1);
    editor.setCaret(4, 1);
    EXPECT_EQ(spy.count(), 0);
    editor.endUpdate();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 4);
}

// Selections made with Shift and the arrow keys, from a caret position.
struct SelectionCase
{
    const char *name;
    int line;
    int column;
    QList<Qt::Key> keys;
    int start;
    int end;
    QString text;
    int startLineIndex;
};

void PrintTo(const SelectionCase &c, std::ostream *os)
{
    *os << c.name;
}

class EditorSelection : public EditorCaret, public ::testing::WithParamInterface<SelectionCase>
{
};

TEST_P(EditorSelection, givesPositionsAndText)
{
    const SelectionCase &c = GetParam();
    editor.setCaret(c.line, c.column);
    for (Qt::Key key : c.keys)
        press(key, Qt::ShiftModifier);
    EXPECT_EQ(editor.selectionStart(), c.start);
    EXPECT_EQ(editor.selectionEnd(), c.end);
    EXPECT_EQ(editor.selectionLength(), c.end - c.start);
    EXPECT_EQ(editor.selectedText(), c.text);
    EXPECT_EQ(editor.selectionStartLineIndex(), c.startLineIndex);
}

// Positions in "ABC\n日本語\n\nxyz": line 2 starts at 4, line 3 at 8, line 4 at 9.
INSTANTIATE_TEST_SUITE_P(
    Cases, EditorSelection,
    ::testing::Values(
        SelectionCase{"None", 2, 2, {}, 5, 5, QString(), 1},
        SelectionCase{"InsideALine", 2, 2, {Qt::Key_Right, Qt::Key_Right}, 5, 7, QStringLiteral(u"本語"), 1},
        SelectionCase{"Backwards", 1, 3, {Qt::Key_Left, Qt::Key_Left}, 0, 2, QStringLiteral("AB"), 0},
        SelectionCase{"AcrossLines", 1, 3, {Qt::Key_Down, Qt::Key_Down}, 2, 8, QStringLiteral(u"C\n日本語\n"), 0},
        SelectionCase{"EndingWithABreak", 2, 1, {Qt::Key_Down}, 4, 8, QStringLiteral(u"日本語\n"), 1},
        // Two half-width letters are as wide as one kanji: the caret keeps its place on the screen.
        SelectionCase{"UpwardsFromTheLastLine", 4, 3, {Qt::Key_Up, Qt::Key_Up}, 5, 11,
                      QStringLiteral(u"本語\n\nxy"), 1}),
    [](const ::testing::TestParamInfo<SelectionCase> &info) { return std::string(info.param.name); });

TEST_F(EditorCaret, selectAllSelectsTheWholeText)
{
    editor.selectAll();
    EXPECT_EQ(editor.selectionStart(), 0);
    EXPECT_EQ(editor.selectedText(), editor.text());
}

TEST_F(EditorCaret, replaceSelectionPutsTheTextInPlaceOfTheSelection)
{
    editor.setCaret(2, 2);
    press(Qt::Key_Right, Qt::ShiftModifier);
    editor.replaceSelection(QStringLiteral(u"ホン"));
    EXPECT_EQ(editor.line(1), QStringLiteral(u"日ホン語"));
    EXPECT_EQ(editor.selectionLength(), 0);
    EXPECT_EQ(editor.caretColumn(), 4); // behind the new text
}

TEST_F(EditorCaret, replaceSelectionWithLineBreaksMakesLines)
{
    // A selection from "C" to the end of line 2, replaced by a text with
    // breaks of every kind, as the text tools hand it back.
    editor.setCaret(1, 3);
    press(Qt::Key_Down, Qt::ShiftModifier);
    press(Qt::Key_End, Qt::ShiftModifier);
    editor.replaceSelection(QStringLiteral("c\r\nd\re\nf"));
    EXPECT_EQ(editor.lines(), QStringList({"ABc", "d", "e", "f", "", "xyz"}));
}

TEST_F(EditorCaret, replaceSelectionWithoutSelectionInsertsAtTheCaret)
{
    editor.setCaret(4, 4);
    editor.replaceSelection(QStringLiteral("!"));
    EXPECT_EQ(editor.line(3), QStringLiteral("xyz!"));
}

TEST_F(EditorCaret, replaceSelectionWithNothingDeletesIt)
{
    editor.selectAll();
    editor.replaceSelection(QString());
    EXPECT_EQ(editor.text(), QString());
}

} // namespace
