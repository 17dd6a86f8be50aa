// Cut, copy, paste and dropping text: plain text only.

#include "lineeditorfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

class EditorClipboard : public LineEditorFixture
{
protected:
    void SetUp() override
    {
        LineEditorFixture::SetUp();
        editor.setLines({QStringLiteral(u"配線 A"), QStringLiteral("B-2"), QStringLiteral("C")});
    }

    void selectLines(int first, int last)
    {
        editor.setCaret(first, 1);
        for (int i = first; i < last; ++i)
            press(Qt::Key_Down, Qt::ShiftModifier);
        press(Qt::Key_End, Qt::ShiftModifier);
    }
};

TEST_F(EditorClipboard, copyPutsPlainTextOnly)
{
    selectLines(1, 2);
    editor.copy();
    const QMimeData *data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), QStringLiteral(u"配線 A\nB-2"));
    EXPECT_FALSE(data->hasHtml());
    EXPECT_EQ(editor.lineCount(), 3);
}

TEST_F(EditorClipboard, cutRemovesTheSelection)
{
    selectLines(2, 2);
    editor.cut();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("B-2"));
    EXPECT_EQ(editor.lines(), QStringList({QStringLiteral(u"配線 A"), "", "C"}));
}

TEST_F(EditorClipboard, pasteReplacesTheSelectionAndMakesLines)
{
    QApplication::clipboard()->setText(QStringLiteral(u"ｱ\r\nイ\r\n"));
    selectLines(2, 2);
    editor.paste();
    EXPECT_EQ(editor.lines(), QStringList({QStringLiteral(u"配線 A"), QStringLiteral(u"ｱ"), QStringLiteral(u"イ"), "", "C"}));
}

TEST_F(EditorClipboard, pasteTakesTheTextOfRichData)
{
    auto *data = new QMimeData;
    data->setHtml(QStringLiteral("<b>bold</b>"));
    data->setText(QStringLiteral("bold"));
    QApplication::clipboard()->setMimeData(data);
    editor.setCaret(3, 2);
    editor.paste();
    EXPECT_EQ(editor.line(2), QStringLiteral("Cbold"));
    QTextCursor pasted(editor.document());
    pasted.setPosition(editor.document()->findBlockByNumber(2).position() + 3);
    EXPECT_NE(pasted.charFormat().fontWeight(), QFont::Bold);
}

TEST_F(EditorClipboard, pasteWithoutTextChangesNothing)
{
    auto *data = new QMimeData;
    data->setData(QStringLiteral("application/x-morvex-test"), "123");
    QApplication::clipboard()->setMimeData(data);
    editor.setCaret(3, 2);
    editor.paste();
    EXPECT_EQ(editor.lines(), QStringList({QStringLiteral(u"配線 A"), "B-2", "C"}));
    EXPECT_FALSE(editor.canUndo());
}

TEST_F(EditorClipboard, droppedTextGoesWhereItIsDroppedAsOneUndoStep)
{
    editor.setCaret(2, 1);
    const QPointF target = editor.cursorRect().topLeft() + QPointF(1, 2);
    editor.setCaret(1, 1);

    QMimeData data;
    data.setText(QStringLiteral(u"盤"));
    QDragEnterEvent enter(target.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor.viewport(), &enter);
    QDragMoveEvent move(target.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor.viewport(), &move);
    QDropEvent drop(target, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor.viewport(), &drop);

    EXPECT_EQ(editor.line(1), QStringLiteral(u"盤B-2"));
    editor.undo();
    EXPECT_EQ(editor.line(1), QStringLiteral("B-2"));
}

} // namespace
