#pragma once

// The two ways in which the editor's text commands walk over lines.
//
// All lines: the undo point is taken, the lines are copied into a working
// list, each line is transformed, and the working list goes back into the
// editor in one update (one load of the text, far cheaper for a long text
// than changing its lines one by one).
//
// Selection: the selected text (which may begin and end inside lines) is
// split at its line breaks, each line transformed, and the lines joined with
// CR LF, trimmed of blank characters at both ends, put in place of the
// selection. A selection that ends with a line break thus loses it, and the
// line after the selection joins the last transformed line.
//
// After each line the GUI processes pending messages and the command stops
// when "中止" has cleared runFlag; the lines done so far, the one during
// which "中止" was clicked included, are kept, the rest stay as they were.

#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

class EditorCommandHost;
struct SerialRun;

// Transforms one line in place; gives false when the line stayed as it was.
using LineTransform = std::function<bool(std::u16string &line)>;

// A transform from a routine that rewrites a string in place.
LineTransform changingLines(std::function<void(std::u16string &)> routine);

// Which lines let messages through and test for a stop: every line, or only
// the lines that changed (the add command passes over lines without a
// number at full speed).
enum class StopTest { EveryLine, ChangedLines };

// Whether the selection pattern does nothing without a selection.
enum class EmptySelection { DoNothing, RunAnyway };

void runOnAllLines(EditorCommandHost &host, const LineTransform &transform,
                   StopTest stopTest = StopTest::EveryLine);

void runOnSelection(EditorCommandHost &host, const LineTransform &transform,
                    StopTest stopTest = StopTest::EveryLine,
                    EmptySelection emptySelection = EmptySelection::DoNothing);

// "連番作成" into the editor: the texts of the run made one at a time, each
// inserted as a new line at the selection start's line (insert) or added
// as a new last line, after the undo point is taken. A long command like
// the others: after each line the GUI processes messages and "中止" stops
// the run, so that a count of any size neither freezes the tool nor holds
// more texts than the lines filled.
void runSerialIntoEditor(EditorCommandHost &host, const SerialRun &run, bool insert);

// A text split at its line breaks (CR LF, CR, LF). A text that ends with a
// line break gives no empty last line; an empty text gives no lines.
QStringList splitTextLines(const QString &text);

// The lines joined, each followed by CR LF, without blank characters (up to
// U+0020) at both ends of the result.
QString joinTrimmedLines(const std::vector<std::u16string> &lines);
