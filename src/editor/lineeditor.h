#pragma once

// The line editor of the first tab: one drawing text per line, with line
// numbers in a gutter, no line wrap and a fixed-pitch Japanese font.

#include <QColor>
#include <QPlainTextEdit>
#include <QStringList>

class LineNumberArea;
class QKeyEvent;

// Lines are counted from 0 when they are addressed by index, and from 1 when
// they describe the caret (caretLine, setCaret). A freshly loaded empty text
// (clear, setText with an empty text, setLines with no lines) is no line; an
// empty line that was added, or that an edit left, is one line. Line breaks
// in texts given to the editor may be CR LF, CR or LF; texts read from it
// use LF.
//
// Trailing blanks: a line the user has changed (typing, pasting, dropping)
// loses its trailing spaces and tabs when the caret leaves it; until then it
// is read without them (line, lines, text) while it still shows them, so the
// user's typing is never disturbed. The ideographic space counts as content.
// Lines set by the program are kept exactly as given: they carry the
// drawing's strings.
//
// Undo: the user's edits and the program's edits (setLine, insertLine,
// appendLine, replaceSelection) can be undone; all edits between
// beginUpdate() and endUpdate() form one undo step. Loading a text
// (setLines, setText, clear) starts a fresh undo history. clear(), undo()
// and redo() stand in for QPlainTextEdit's slots of the same names: call
// them on the LineEditor.
//
// A key handler that takes Ctrl+Enter for itself:
//     connect(editor, &LineEditor::keyPressed, this, [this](QKeyEvent *event) {
//         if (event->key() == Qt::Key_Return && event->modifiers() & Qt::ControlModifier) {
//             event->accept(); // the editor inserts no line break
//             writeLinesBack();
//         }
//     });
class LineEditor : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit LineEditor(QWidget *parent = nullptr);

    // The font family the editor and its gutter use on this machine.
    static QString editorFontFamily();

    // Lines.
    int lineCount() const;
    QString line(int index) const;
    QStringList lines() const;
    void setLine(int index, const QString &text);
    void insertLine(int index, const QString &text); // index == lineCount() appends
    void appendLine(const QString &text);

    // Loading the whole text. The caret keeps its line and column as far as
    // the new text reaches.
    void setLines(const QStringList &lines);
    QString text() const;
    void setText(const QString &text);
    void clear();

    // Several edits as one: repainting is suspended and the edits form one
    // undo step. Calls nest; the outermost endUpdate() repaints.
    void beginUpdate();
    void endUpdate();

    // Caret, line and column counted from 1 (the column counts characters).
    int caretLine() const;
    int caretColumn() const;
    void setCaret(int line, int column);

    // Selection as character positions of the text as shown, from 0 (a line
    // break counts as one character). Without a selection start and end are
    // the caret's position.
    int selectionStart() const;
    int selectionEnd() const;
    int selectionLength() const;
    int selectionStartLineIndex() const; // index of the line holding the selection start
    QString selectedText() const;
    void replaceSelection(const QString &text);
    // selectAll(), cut(), copy() and paste() are QPlainTextEdit's own.

    bool canUndo() const;
    void undo();
    void redo();

    QColor backgroundColor() const;
    void setBackgroundColor(const QColor &color);

signals:
    // A click of the left mouse button; the caret is already placed.
    void clicked();
    // Before the editor handles a key. The event is handed over ignored; a
    // handler that accepts it consumes the key and the editor does not
    // process it (connect directly). event->text() is the typed character.
    void keyPressed(QKeyEvent *event);
    void keyReleased(QKeyEvent *event);
    // The caret moved to another line (from 1); reported once after a bulk update.
    void caretLineChanged(int line);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    QMimeData *createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    friend class LineNumberArea;

    int lineNumberAreaWidth() const;
    void paintLineNumbers(QPaintEvent *event);
    void updateLineNumberAreaWidth();
    void updateLineNumberArea(const QRect &rect, int dy);

    template <typename Edit> void runUserEdit(Edit edit);
    template <typename Edit> void runProgramEdit(Edit edit);
    void noteDocumentChange(int position, int charsRemoved, int charsAdded);
    void trimLinesLeftByCaret();
    void forgetUserChangedLines();
    void handleCaretMove();

    LineNumberArea *m_lineNumberArea;
    // Whether an empty document holds one empty line rather than none.
    bool m_emptyTextIsOneLine = false;
    bool m_loading = false;
    int m_updateDepth = 0;
    bool m_updateHasEdits = false;
    int m_userEditDepth = 0;
    int m_programEditDepth = 0;
    bool m_trimming = false;
    int m_reportedCaretLine = 1;
    // Revisions that tie a trim of trailing blanks to the edit before it, so
    // that one undo (or redo) takes both.
    int m_revisionAfterTrim = -1;
    int m_undoStepsAfterTrim = -1;
    int m_revisionAfterPairedUndo = -1;
    int m_undoStepsAfterPairedUndo = -1;
};
