#pragma once
// "整列": re-spaces the texts behind the editor lines on the grid
// P0 + i·(dX, dY), writing each line's string in the same pass.

#include "morv.h"

#include "cad/document.h"

#include <QStringList>

#include <functional>

struct AlignmentRun
{
    cad::Document doc;
    MorvList &records;
    QStringList lines;
    double dX = 0, dY = 0;
    std::function<void(int recordIndex)> progress;
    // Texts that could not be reached (erased in the CAD meanwhile): the
    // user is told how many.
    int unplacedTexts = 0;
};

// Runs inside the caller's undo group; throws CadError for a failure
// outside the per-record guard.
void alignTexts(AlignmentRun &run);
