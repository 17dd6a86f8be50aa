// Key, click and input method notifications, and what the keys type.

#include "lineeditorfixture.h"

#include <QInputMethodEvent>
#include <QSignalSpy>

namespace {

class EditorKeys : public LineEditorFixture
{
protected:
    void SetUp() override
    {
        LineEditorFixture::SetUp();
        editor.setLines({"A-01", "A-02"});
        editor.setCaret(1, 5);
    }
};

// What a key-press handler saw.
struct SeenKey
{
    QString text;
    int key = 0;
    Qt::KeyboardModifiers modifiers;
};

TEST_F(EditorKeys, aConsumedKeyDoesNotReachTheText)
{
    int writeBacks = 0;
    QObject::connect(&editor, &LineEditor::keyPressed, [&](QKeyEvent *event) {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            && event->modifiers().testFlag(Qt::ControlModifier)) {
            ++writeBacks;
            event->accept();
        }
    });
    press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(writeBacks, 1);
    EXPECT_EQ(editor.lines(), QStringList({"A-01", "A-02"}));
    EXPECT_FALSE(editor.canUndo());

    press(Qt::Key_Return); // without Ctrl the handler lets it through
    EXPECT_EQ(writeBacks, 1);
    EXPECT_EQ(editor.lines(), QStringList({"A-01", "", "A-02"}));
}

TEST_F(EditorKeys, aConsumedCopyKeyLeavesTheSelectionToTheHandler)
{
    QString copied;
    QObject::connect(&editor, &LineEditor::keyPressed, [&](QKeyEvent *event) {
        if (event->matches(QKeySequence::Cut)) {
            copied = editor.selectedText();
            editor.replaceSelection(QString());
            event->accept();
        }
    });
    editor.setCaret(2, 1);
    press(Qt::Key_End, Qt::ShiftModifier);
    press(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(copied, QStringLiteral("A-02"));
    EXPECT_EQ(editor.lines(), QStringList({"A-01", ""}));
}

TEST_F(EditorKeys, keyPressCarriesTheCharacterTheKeyAndTheModifiers)
{
    QList<SeenKey> seen;
    QObject::connect(&editor, &LineEditor::keyPressed, [&](QKeyEvent *event) {
        EXPECT_FALSE(event->isAccepted()); // handed over ignored
        if (event->key() == Qt::Key_Shift || event->key() == Qt::Key_Control)
            return; // the modifier keys themselves
        seen.append({event->text(), event->key(), event->modifiers()});
    });
    QTest::keyClick(&editor, 'B', Qt::ShiftModifier);
    QTest::sendKeyEvent(QTest::Click, &editor, Qt::Key_unknown, QStringLiteral(u"図"), Qt::NoModifier);
    QTest::keyClick(&editor, Qt::Key_Return, Qt::ControlModifier);

    ASSERT_EQ(seen.size(), 3);
    EXPECT_EQ(seen[0].text, QStringLiteral("B"));
    EXPECT_EQ(seen[0].key, Qt::Key_B);
    EXPECT_EQ(seen[0].modifiers, Qt::ShiftModifier);
    EXPECT_EQ(seen[1].text, QStringLiteral(u"図"));
    EXPECT_EQ(seen[2].key, Qt::Key_Return);
    EXPECT_EQ(seen[2].modifiers, Qt::ControlModifier);
    EXPECT_EQ(editor.line(0), QStringLiteral(u"A-01B図"));
}

TEST_F(EditorKeys, keyReleaseIsReportedAfterTheCaretMoved)
{
    QList<int> caretLines;
    QObject::connect(&editor, &LineEditor::keyReleased, [&](QKeyEvent *event) {
        if (event->key() == Qt::Key_Down)
            caretLines.append(editor.caretLine());
    });
    press(Qt::Key_Down);
    EXPECT_EQ(caretLines, QList<int>({2}));
}

TEST_F(EditorKeys, aClickIsReportedWithTheCaretOnTheClickedLine)
{
    QList<int> caretLines;
    QObject::connect(&editor, &LineEditor::clicked, [&] { caretLines.append(editor.caretLine()); });
    editor.setCaret(2, 3);
    const QRect secondLine = editor.cursorRect();
    editor.setCaret(1, 1);
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, secondLine.center());
    EXPECT_EQ(caretLines, QList<int>({2}));
    QTest::mouseClick(editor.viewport(), Qt::RightButton, {}, secondLine.center());
    EXPECT_EQ(caretLines.size(), 1);
}

TEST_F(EditorKeys, tabInsertsATabCharacter)
{
    editor.setFocus();
    editor.setCaret(2, 1);
    press(Qt::Key_Tab);
    EXPECT_EQ(editor.line(1), QStringLiteral("\tA-02"));
    EXPECT_EQ(editor.caretColumn(), 2);
}

TEST_F(EditorKeys, japaneseTextFromKeysAndFromTheInputMethod)
{
    editor.setCaret(2, 1);
    QTest::sendKeyEvent(QTest::Click, &editor, Qt::Key_unknown, QStringLiteral(u"日本"), Qt::NoModifier);

    QInputMethodEvent composing(QStringLiteral(u"ぶ"), {});
    QApplication::sendEvent(&editor, &composing);
    QInputMethodEvent committed;
    committed.setCommitString(QStringLiteral(u"部品"));
    QApplication::sendEvent(&editor, &committed);

    EXPECT_EQ(editor.line(1), QStringLiteral(u"日本部品A-02"));
    EXPECT_EQ(editor.caretColumn(), 5);
}

} // namespace
