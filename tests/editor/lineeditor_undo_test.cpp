// The editor's own undo: the user's edits, the program's edits, bulk updates.

#include "lineeditorfixture.h"

#include <QApplication>
#include <QClipboard>

namespace {

class EditorUndo : public LineEditorFixture
{
protected:
    void SetUp() override
    {
        LineEditorFixture::SetUp();
        editor.setLines({"a", "b", "c"});
    }
};

TEST_F(EditorUndo, aLoadedTextCannotBeUndone)
{
    EXPECT_FALSE(editor.canUndo());
    editor.undo();
    EXPECT_EQ(editor.lines(), QStringList({"a", "b", "c"}));
}

TEST_F(EditorUndo, loadingDropsTheHistory)
{
    editor.setLine(0, "x");
    ASSERT_TRUE(editor.canUndo());
    editor.setText("new");
    EXPECT_FALSE(editor.canUndo());
    editor.setLine(0, "y");
    editor.clear();
    EXPECT_FALSE(editor.canUndo());
}

TEST_F(EditorUndo, eachProgramEditOutsideABulkUpdateIsOneStep)
{
    editor.setLine(0, "A");
    editor.appendLine("d");
    editor.undo();
    EXPECT_EQ(editor.lines(), QStringList({"A", "b", "c"}));
    editor.undo();
    EXPECT_EQ(editor.lines(), QStringList({"a", "b", "c"}));
    EXPECT_FALSE(editor.canUndo());
}

TEST_F(EditorUndo, aBulkUpdateIsOneStep)
{
    editor.beginUpdate();
    editor.setLine(0, "A");
    editor.setLine(1, "B");
    editor.insertLine(1, "inserted");
    editor.appendLine("d");
    editor.setCaret(1, 1);
    editor.replaceSelection("#");
    editor.endUpdate();
    ASSERT_EQ(editor.lines(), QStringList({"#A", "inserted", "B", "c", "d"}));

    editor.undo();
    EXPECT_EQ(editor.lines(), QStringList({"a", "b", "c"}));
    EXPECT_FALSE(editor.canUndo());
}

TEST_F(EditorUndo, nestedBulkUpdatesAreOneStep)
{
    editor.beginUpdate();
    editor.setLine(0, "A");
    editor.beginUpdate();
    editor.setLine(1, "B");
    editor.endUpdate();
    editor.setLine(2, "C");
    editor.endUpdate();
    editor.undo();
    EXPECT_EQ(editor.lines(), QStringList({"a", "b", "c"}));
}

TEST_F(EditorUndo, bulkUpdatesAfterOneAnotherAreStepsOfTheirOwn)
{
    editor.beginUpdate();
    editor.setLine(0, "A");
    editor.endUpdate();
    editor.beginUpdate();
    editor.setLine(1, "B");
    editor.endUpdate();
    editor.undo();
    EXPECT_EQ(editor.lines(), QStringList({"A", "b", "c"}));
}

TEST_F(EditorUndo, aBulkUpdateSuspendsRepaintingUntilItsEnd)
{
    editor.beginUpdate();
    EXPECT_FALSE(editor.updatesEnabled());
    editor.endUpdate();
    EXPECT_TRUE(editor.updatesEnabled());
    editor.endUpdate(); // unbalanced: ignored
    EXPECT_TRUE(editor.updatesEnabled());
}

TEST_F(EditorUndo, typingIsUndoneAndRedone)
{
    editor.setCaret(2, 2);
    type(QStringLiteral(u"一二"));
    ASSERT_EQ(editor.line(1), QStringLiteral(u"b一二"));
    ASSERT_TRUE(editor.canUndo());
    editor.undo();
    EXPECT_EQ(editor.line(1), QStringLiteral("b"));
    editor.redo();
    EXPECT_EQ(editor.line(1), QStringLiteral(u"b一二"));
}

TEST_F(EditorUndo, ctrlZUndoesTheLastStep)
{
    editor.setCaret(1, 2);
    type("xy");
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.line(0), QStringLiteral("a"));
}

TEST_F(EditorUndo, aPasteIsAStepOfItsOwnAfterTyping)
{
    QApplication::clipboard()->setText(QStringLiteral("P"));
    editor.setCaret(1, 2);
    type("t");
    editor.paste();
    ASSERT_EQ(editor.line(0), QStringLiteral("atP"));
    editor.undo();
    EXPECT_EQ(editor.line(0), QStringLiteral("at"));
}

} // namespace
