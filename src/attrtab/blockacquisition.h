#pragma once
// "取得": the user picks block references on the CAD screen; each one that
// carries an attribute of the tag set becomes a grid row, each tag a column.

#include "gridrecords.h"
#include "tagset.h"

#include "cad/document.h"
#include "cad/windowsystem.h"

#include <functional>

class QLabel;
class QProgressBar;
class StringGrid;

struct BlockAcquisitionRun
{
    const cad::Document &doc;
    const TagSet &tagSet;
    StringGrid *grid;          // StringGrid1
    QProgressBar *progressBar; // ProgressBar1
    QLabel *label;             // Label5: counts and progress
    GridBlockList &blocks;         // GridBlocks
    GridAttributeList &attributes; // GridAttributes
    cad::WindowSystem &windows;
    // The main window back in its normal state once the pick has ended.
    std::function<void()> showMainWindowNormal;
    // Lets the GUI process pending messages; false once "中止" was clicked.
    std::function<bool()> keepRunning;
};

struct BlockAcquisitionResult
{
    int picked = 0;       // entities in the selection set
    bool filled = false;  // the grid was laid out anew
    // Why the link to the CAD was lost during the passes, empty when it was
    // not: the passes ended there as on "中止".
    std::u16string lostLink;
};

// Picks, takes the qualifying block references (first pass), lays the grid
// out and fills it from their attributes (second pass). The temporary
// selection set is cleared and deleted however this ends. With nothing
// picked the grid and the records keep what they held. A link lost during
// the pick throws; one lost during the passes ends them as "中止" does and
// is told in the result.
BlockAcquisitionResult acquireBlocks(BlockAcquisitionRun &run);

// The selection filter of the pick: INSERT entities whose block name
// matches the tag set's filter.
cad::SelectionFilter blockSelectionFilter(const TagSet &tagSet);
