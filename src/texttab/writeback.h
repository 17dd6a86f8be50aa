#pragma once
// Writing the first tab's lines back into the drawing ("更新(Ctrl+Enter)"):
// changed lines into their entities, blank lines delete TEXT entities,
// lines beyond the records become copies of the last text stepped by
// (dX, dY).

#include "morv.h"

#include "cad/document.h"

#include <QStringList>

#include <functional>

class MessageBoxes;

struct WriteBackRun
{
    cad::Document doc;
    MorvList &records;
    QStringList lines;     // the editor lines
    bool attMode = false;  // the records are attributes: no deleting, no adding
    double dX = 0, dY = 0; // the offsets as the boxes read at the start
    std::function<void(int lineIndex)> progress;
    // Lets the GUI process pending messages; false once "中止" was clicked.
    std::function<bool()> keepRunning;
    MessageBoxes &messages;
    // Lines whose record's entity could not be reached or refused the
    // change: the user is told how many, the drawing keeps their old strings.
    int unwrittenLines = 0;
};

// The record pass and the adding pass in one undo group (the caller holds
// it). Throws CadError for a failure outside the per-record guard; a copy
// that failed half-way is deleted first, so that no new text holds another
// line's string.
void writeLinesBack(WriteBackRun &run);

// Matches the records to the data lines after a run: records beyond the
// last data line are dropped, places without point are added for more.
void fitRecordsToLines(MorvList &records, int lastTextLine);

// What the user is told after a run that could not write every line.
QString unwrittenLinesMessage(int lines);
