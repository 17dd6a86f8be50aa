#include "editor/lineeditor.h"

#include "editor/linenumberarea.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// Block state of a line the user has changed since the caret last left it.
constexpr int UserChangedLine = 1;
constexpr int NoState = -1;

constexpr int EditorFontPixels = 15;
constexpr int GutterFontPixels = 12;
constexpr int TabWidthInSpaces = 8;

QString withUnixLineBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

// Length of the line without its trailing spaces and tabs. Other blanks,
// such as the ideographic space, are content of a drawing text.
qsizetype lengthWithoutTrailingBlanks(const QString &line)
{
    qsizetype length = line.size();
    while (length > 0 && (line.at(length - 1) == QLatin1Char(' ')
                          || line.at(length - 1) == QLatin1Char('\t')))
        --length;
    return length;
}

// A line as the editor gives it: a line the user changed loses its
// trailing blanks.
QString lineOfBlock(const QTextBlock &block)
{
    QString text = block.text();
    if (block.userState() == UserChangedLine)
        text.truncate(lengthWithoutTrailingBlanks(text));
    return text;
}

QFont fixedPitchFont(int pixelSize)
{
    QFont font(LineEditor::editorFontFamily());
    font.setPixelSize(pixelSize);
    font.setFixedPitch(true);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

} // namespace

LineEditor::LineEditor(QWidget *parent)
    : QPlainTextEdit(parent), m_lineNumberArea(new LineNumberArea(this))
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(false); // Tab types a tab character
    setFont(fixedPitchFont(EditorFontPixels));
    m_lineNumberArea->setFont(fixedPitchFont(GutterFontPixels));
    setTabStopDistance(fontMetrics().horizontalAdvance(QLatin1Char(' ')) * TabWidthInSpaces);

    connect(this, &QPlainTextEdit::blockCountChanged, this, &LineEditor::updateLineNumberAreaWidth);
    connect(this, &QPlainTextEdit::updateRequest, this, &LineEditor::updateLineNumberArea);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &LineEditor::handleCaretMove);
    connect(document(), &QTextDocument::contentsChange, this, &LineEditor::noteDocumentChange);

    updateLineNumberAreaWidth();
}

QString LineEditor::editorFontFamily()
{
    // The fixed-pitch Japanese font of Windows first, then those of Linux
    // desktops.
    const QString candidates[] = {QStringLiteral(u"ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                                  QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("IPAGothic")};
    for (const QString &family : candidates) {
        if (QFontDatabase::hasFamily(family))
            return family;
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

// --- Lines -----------------------------------------------------------------

int LineEditor::lineCount() const
{
    const QTextDocument *doc = document();
    // A document always holds one block; an empty one is a line only when
    // it was given or left as one.
    if (doc->blockCount() == 1 && doc->firstBlock().text().isEmpty() && !m_emptyTextIsOneLine)
        return 0;
    return doc->blockCount();
}

QString LineEditor::line(int index) const
{
    const QTextBlock block = document()->findBlockByNumber(index);
    if (!block.isValid())
        return QString();
    return lineOfBlock(block);
}

QStringList LineEditor::lines() const
{
    QStringList result;
    const int count = lineCount();
    result.reserve(count);
    // Block after block: finding each line by its number searches the
    // document once per line.
    QTextBlock block = document()->firstBlock();
    for (int i = 0; i < count && block.isValid(); ++i, block = block.next())
        result.append(lineOfBlock(block));
    return result;
}

void LineEditor::setLine(int index, const QString &text)
{
    if (index < 0 || index >= lineCount())
        return;
    runProgramEdit([&] {
        QTextBlock block = document()->findBlockByNumber(index);
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(withUnixLineBreaks(text));
        block.setUserState(NoState);
    });
}

void LineEditor::insertLine(int index, const QString &text)
{
    if (index >= lineCount()) {
        appendLine(text);
        return;
    }
    index = qMax(index, 0);
    const QString inserted = withUnixLineBreaks(text);
    const int insertedLines = int(inserted.count(QLatin1Char('\n'))) + 1;
    runProgramEdit([&] {
        QTextBlock block = document()->findBlockByNumber(index);
        const int movedLineState = block.userState();
        QTextCursor(block).insertText(inserted + QLatin1Char('\n'));
        // The split leaves the old line's state on the first block; the new
        // lines are the program's, the moved line keeps its own state.
        for (int i = 0; i < insertedLines; ++i)
            document()->findBlockByNumber(index + i).setUserState(NoState);
        document()->findBlockByNumber(index + insertedLines).setUserState(movedLineState);
    });
}

void LineEditor::appendLine(const QString &text)
{
    runProgramEdit([&] {
        const bool empty = lineCount() == 0;
        const int firstNewLine = empty ? 0 : document()->blockCount();
        QTextCursor cursor(document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(empty ? withUnixLineBreaks(text)
                                : QLatin1Char('\n') + withUnixLineBreaks(text));
        m_emptyTextIsOneLine = true; // also when an empty line went into an empty editor
        for (QTextBlock block = document()->findBlockByNumber(firstNewLine); block.isValid();
             block = block.next())
            block.setUserState(NoState);
    });
}

void LineEditor::setLines(const QStringList &lines)
{
    setText(lines.join(QLatin1Char('\n')));
    m_emptyTextIsOneLine = !lines.isEmpty();
}

QString LineEditor::text() const
{
    return lines().join(QLatin1Char('\n'));
}

void LineEditor::setText(const QString &text)
{
    // setPlainText() builds fresh blocks (no changed lines) and resets the
    // undo history: a loaded text is the new starting point.
    // The caret and the view stay where they were as far as the new text
    // reaches: the text tools load their results over the old lines.
    const int line = caretLine();
    const int column = caretColumn();
    const int scrolledX = horizontalScrollBar()->value();
    const int scrolledY = verticalScrollBar()->value();
    ++m_programEditDepth;
    m_loading = true;
    setPlainText(withUnixLineBreaks(text));
    m_loading = false;
    m_emptyTextIsOneLine = false;
    setCaret(line, column);
    horizontalScrollBar()->setValue(scrolledX);
    verticalScrollBar()->setValue(scrolledY);
    --m_programEditDepth;
    handleCaretMove();
}

void LineEditor::clear()
{
    setText(QString());
}

void LineEditor::beginUpdate()
{
    if (m_updateDepth++ == 0) {
        m_updateHasEdits = false;
        setUpdatesEnabled(false);
    }
}

void LineEditor::endUpdate()
{
    if (m_updateDepth == 0 || --m_updateDepth > 0)
        return;
    setUpdatesEnabled(true);
    updateLineNumberAreaWidth();
    handleCaretMove();
}

// --- Caret and selection -----------------------------------------------------

int LineEditor::caretLine() const
{
    return textCursor().blockNumber() + 1;
}

int LineEditor::caretColumn() const
{
    return textCursor().positionInBlock() + 1;
}

void LineEditor::setCaret(int line, int column)
{
    const QTextDocument *doc = document();
    const QTextBlock block = doc->findBlockByNumber(qBound(1, line, doc->blockCount()) - 1);
    const int offset = qBound(1, column, block.length()) - 1; // length() counts the break
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + offset);
    setTextCursor(cursor);
}

int LineEditor::selectionStart() const
{
    return textCursor().selectionStart();
}

int LineEditor::selectionEnd() const
{
    return textCursor().selectionEnd();
}

int LineEditor::selectionLength() const
{
    return selectionEnd() - selectionStart();
}

int LineEditor::selectionStartLineIndex() const
{
    return document()->findBlock(selectionStart()).blockNumber();
}

QString LineEditor::selectedText() const
{
    // QTextCursor marks line breaks inside a selection with U+2029.
    return withUnixLineBreaks(textCursor().selectedText());
}

void LineEditor::replaceSelection(const QString &text)
{
    runProgramEdit([&] {
        QTextCursor cursor = textCursor();
        const int start = cursor.selectionStart();
        cursor.insertText(withUnixLineBreaks(text));
        setTextCursor(cursor);
        const QTextBlock last = document()->findBlock(cursor.position());
        for (QTextBlock block = document()->findBlock(start); block.isValid(); block = block.next()) {
            block.setUserState(NoState);
            if (block == last)
                break;
        }
    });
}

// --- Undo ------------------------------------------------------------------

bool LineEditor::canUndo() const
{
    return document()->isUndoAvailable();
}

void LineEditor::undo()
{
    const QTextDocument *doc = document();
    // A trim of trailing blanks on top of the history goes with the edit that
    // left the blanks: the user sees one step.
    const bool withTrim = doc->revision() == m_revisionAfterTrim
            && doc->availableUndoSteps() == m_undoStepsAfterTrim;
    ++m_programEditDepth;
    QPlainTextEdit::undo();
    if (withTrim) {
        QPlainTextEdit::undo();
        m_revisionAfterPairedUndo = doc->revision();
        m_undoStepsAfterPairedUndo = doc->availableUndoSteps();
    }
    --m_programEditDepth;
    forgetUserChangedLines();
    handleCaretMove();
}

void LineEditor::redo()
{
    const QTextDocument *doc = document();
    const bool withTrim = doc->revision() == m_revisionAfterPairedUndo
            && doc->availableUndoSteps() == m_undoStepsAfterPairedUndo;
    ++m_programEditDepth;
    QPlainTextEdit::redo();
    if (withTrim && doc->isRedoAvailable()) {
        QPlainTextEdit::redo();
        m_revisionAfterTrim = doc->revision();
        m_undoStepsAfterTrim = doc->availableUndoSteps();
    }
    --m_programEditDepth;
    forgetUserChangedLines();
    handleCaretMove();
}

// --- Colour ------------------------------------------------------------------

QColor LineEditor::backgroundColor() const
{
    return palette().color(QPalette::Base);
}

void LineEditor::setBackgroundColor(const QColor &color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, color);
    setPalette(colours);
}

// --- Events ------------------------------------------------------------------

void LineEditor::keyPressEvent(QKeyEvent *event)
{
    event->ignore();
    emit keyPressed(event);
    if (event->isAccepted())
        return; // consumed by a handler
    event->accept();

    if (event->matches(QKeySequence::Undo)) {
        undo();
        return;
    }
    if (event->matches(QKeySequence::Redo)) {
        redo();
        return;
    }
    runUserEdit([&] { QPlainTextEdit::keyPressEvent(event); });
}

void LineEditor::keyReleaseEvent(QKeyEvent *event)
{
    QPlainTextEdit::keyReleaseEvent(event);
    emit keyReleased(event);
}

void LineEditor::inputMethodEvent(QInputMethodEvent *event)
{
    runUserEdit([&] { QPlainTextEdit::inputMethodEvent(event); });
}

// Moving the caret with the mouse may leave a changed line; it is trimmed
// once the editor has handled the event, not while it places the caret.
void LineEditor::mousePressEvent(QMouseEvent *event)
{
    runUserEdit([&] { QPlainTextEdit::mousePressEvent(event); });
}

void LineEditor::mouseMoveEvent(QMouseEvent *event)
{
    runUserEdit([&] { QPlainTextEdit::mouseMoveEvent(event); });
}

void LineEditor::mouseReleaseEvent(QMouseEvent *event)
{
    runUserEdit([&] { QPlainTextEdit::mouseReleaseEvent(event); });
    if (event->button() == Qt::LeftButton)
        emit clicked();
}

void LineEditor::dropEvent(QDropEvent *event)
{
    // Moving text inside the editor removes it at its old place here too.
    runUserEdit([&] { QPlainTextEdit::dropEvent(event); });
}

QMimeData *LineEditor::createMimeDataFromSelection() const
{
    auto *data = new QMimeData;
    data->setText(selectedText());
    return data;
}

bool LineEditor::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText();
}

void LineEditor::insertFromMimeData(const QMimeData *source)
{
    if (!source->hasText())
        return;
    runUserEdit([&] {
        QTextCursor cursor = textCursor();
        cursor.beginEditBlock(); // a paste or drop is one undo step of its own
        cursor.insertText(withUnixLineBreaks(source->text()));
        cursor.endEditBlock();
        setTextCursor(cursor);
    });
    ensureCursorVisible();
}

void LineEditor::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    m_lineNumberArea->setGeometry(QRect(area.left(), area.top(), lineNumberAreaWidth(), area.height()));
}

// --- Changed lines and trailing blanks -----------------------------------------

// The user's own input: lines it changes are marked, and once it is handled
// the marked lines the caret has left are trimmed.
template <typename Edit>
void LineEditor::runUserEdit(Edit edit)
{
    ++m_userEditDepth;
    edit();
    if (--m_userEditDepth == 0)
        trimLinesLeftByCaret();
}

// An edit by the program: its lines are kept as given. Inside a bulk update
// all such edits join one undo step.
template <typename Edit>
void LineEditor::runProgramEdit(Edit edit)
{
    ++m_programEditDepth;
    QTextCursor group(document());
    if (m_updateDepth > 0 && m_updateHasEdits)
        group.joinPreviousEditBlock();
    else
        group.beginEditBlock();
    edit();
    group.endEditBlock();
    if (m_updateDepth > 0)
        m_updateHasEdits = true;
    --m_programEditDepth;
    handleCaretMove();
}

void LineEditor::noteDocumentChange(int position, int charsRemoved, int charsAdded)
{
    Q_UNUSED(charsRemoved);
    // Once edited, an editor emptied by deleting its text keeps one empty line.
    if (!m_loading)
        m_emptyTextIsOneLine = true;
    if (m_userEditDepth == 0 || m_programEditDepth > 0 || m_trimming)
        return;
    const QTextBlock last = document()->findBlock(position + charsAdded);
    for (QTextBlock block = document()->findBlock(position); block.isValid(); block = block.next()) {
        block.setUserState(UserChangedLine);
        if (block == last)
            break;
    }
}

void LineEditor::trimLinesLeftByCaret()
{
    if (m_trimming || m_updateDepth > 0 || m_programEditDepth > 0)
        return;
    m_trimming = true;
    const QTextBlock caretBlock = textCursor().block();
    QTextCursor cursor(document());
    bool trimmed = false;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.userState() != UserChangedLine || block == caretBlock)
            continue;
        block.setUserState(NoState);
        const QString text = block.text();
        const qsizetype keep = lengthWithoutTrailingBlanks(text);
        if (keep == text.size())
            continue;
        if (!trimmed)
            cursor.beginEditBlock();
        trimmed = true;
        cursor.setPosition(block.position() + int(keep));
        cursor.setPosition(block.position() + int(text.size()), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    if (trimmed) {
        cursor.endEditBlock();
        m_revisionAfterTrim = document()->revision();
        m_undoStepsAfterTrim = document()->availableUndoSteps();
    }
    m_trimming = false;
}

void LineEditor::forgetUserChangedLines()
{
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        block.setUserState(NoState);
}

void LineEditor::handleCaretMove()
{
    if (m_userEditDepth == 0)
        trimLinesLeftByCaret();
    if (m_updateDepth > 0)
        return;
    const int line = caretLine();
    if (line != m_reportedCaretLine) {
        m_reportedCaretLine = line;
        emit caretLineChanged(line);
    }
}

// --- Line number gutter ----------------------------------------------------------

int LineEditor::lineNumberAreaWidth() const
{
    int digits = 1;
    for (int max = qMax(1, document()->blockCount()); max >= 10; max /= 10)
        ++digits;
    const QFontMetrics metrics(m_lineNumberArea->font());
    return 8 + metrics.horizontalAdvance(QLatin1Char('9')) * qMax(digits, 2);
}

void LineEditor::updateLineNumberAreaWidth()
{
    setViewportMargins(lineNumberAreaWidth(), 0, 0, 0);
}

void LineEditor::updateLineNumberArea(const QRect &rect, int dy)
{
    if (dy != 0)
        m_lineNumberArea->scroll(0, dy);
    else
        m_lineNumberArea->update(0, rect.y(), m_lineNumberArea->width(), rect.height());
    if (rect.contains(viewport()->rect()))
        updateLineNumberAreaWidth();
}

void LineEditor::paintLineNumbers(QPaintEvent *event)
{
    QPainter painter(m_lineNumberArea);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::PlaceholderText));

    const int textWidth = m_lineNumberArea->width() - 4;
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event->rect().bottom()) {
        const int height = qRound(blockBoundingRect(block).height());
        if (block.isVisible() && top + height >= event->rect().top()) {
            painter.drawText(0, top, textWidth, height, Qt::AlignRight | Qt::AlignVCenter,
                             QString::number(block.blockNumber() + 1));
        }
        top += height;
        block = block.next();
    }
}
