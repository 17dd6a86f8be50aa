#include "editorlinepatterns.h"

#include "commandrun.h"
#include "editorcommandhost.h"

#include "editor/lineeditor.h"
#include "transform/serialrun.h"
#include "transform/texttrim.h"

#include <QTextCursor>

namespace {

// Transforms one working line; tells whether the line takes part in the
// stop test.
bool transformLine(std::u16string &line, const LineTransform &transform, StopTest stopTest)
{
    const bool changed = transform(line);
    return changed || stopTest == StopTest::EveryLine;
}

} // namespace

LineTransform changingLines(std::function<void(std::u16string &)> routine)
{
    return [routine = std::move(routine)](std::u16string &line) {
        const std::u16string before = line;
        routine(line);
        return line != before;
    };
}

void runOnAllLines(EditorCommandHost &host, const LineTransform &transform, StopTest stopTest)
{
    LineEditor &editor = host.editor();
    host.UndoMark(true);
    CommandRun run(host);

    const QStringList lines = editor.lines();
    std::vector<std::u16string> working;
    working.reserve(lines.size());
    for (const QString &line : lines)
        working.push_back(line.toStdU16String());

    for (std::u16string &line : working) {
        if (transformLine(line, transform, stopTest) && !run.keepRunning())
            break;
    }

    QStringList result;
    result.reserve(qsizetype(working.size()));
    for (const std::u16string &line : working)
        result.append(QString::fromStdU16String(line));
    editor.beginUpdate();
    editor.setLines(result);
    editor.endUpdate();
}

void runOnSelection(EditorCommandHost &host, const LineTransform &transform, StopTest stopTest,
                    EmptySelection emptySelection)
{
    LineEditor &editor = host.editor();
    CommandRun run(host);
    if (emptySelection == EmptySelection::DoNothing && editor.selectionLength() == 0)
        return;
    host.UndoMark(true);

    // The selection as it stands now: messages processed during the run may
    // move the caret, but the result belongs in place of this text.
    const QTextCursor selection = editor.textCursor();
    const QStringList lines = splitTextLines(editor.selectedText());
    std::vector<std::u16string> working;
    working.reserve(lines.size());
    for (const QString &line : lines)
        working.push_back(line.toStdU16String());

    for (std::u16string &line : working) {
        if (transformLine(line, transform, stopTest) && !run.keepRunning())
            break;
    }

    editor.beginUpdate();
    editor.setTextCursor(selection);
    editor.replaceSelection(joinTrimmedLines(working));
    editor.endUpdate();
}

void runSerialIntoEditor(EditorCommandHost &host, const SerialRun &run, bool insert)
{
    LineEditor &editor = host.editor();
    int line = editor.selectionStartLineIndex();
    host.UndoMark(true);
    CommandRun command(host);
    editor.beginUpdate();
    for (std::int32_t k = 0; k < run.count; ++k) {
        const QString text = QString::fromStdU16String(SerialText(run, k));
        if (insert)
            editor.insertLine(line++, text);
        else
            editor.appendLine(text);
        if (!command.keepRunning())
            break;
    }
    editor.endUpdate();
}

QStringList splitTextLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < length && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < length)
        lines.append(text.mid(start));
    return lines;
}

QString joinTrimmedLines(const std::vector<std::u16string> &lines)
{
    std::u16string joined;
    for (const std::u16string &line : lines) {
        joined += line;
        joined += u"\r\n";
    }
    return QString::fromStdU16String(std::u16string(trimBlanks(joined)));
}
