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
};

// The record pass and the adding pass in one undo group (the caller holds
// it). Throws CadError for a failure outside the per-record guard.
void writeLinesBack(WriteBackRun &run);

// Matches the records to the data lines after a run: records beyond the
// last data line are dropped, places without point are added for more.
void fitRecordsToLines(MorvList &records, int lastTextLine);
