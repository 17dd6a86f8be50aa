#pragma once

#include "grid/tundocell.h"

#include <memory>
#include <vector>

class StringGrid;

// The cell undo stack of the grids: saved cells of any number of grids, in
// the order they were saved, each grid's records numbered by level from its
// oldest (0) to its newest. The stack knows nothing of commands; the owner
// keeps per grid how many records its last command saved.
class TUndoCells
{
public:
    TUndoCells() = default;
    ~TUndoCells();
    TUndoCells(const TUndoCells &) = delete;
    TUndoCells &operator=(const TUndoCells &) = delete;

    // Saves the current text of cell (ACol, ARow) of aGrid as its grid's
    // newest record; call it before the cell changes. The stack keeps
    // ownership of the returned record.
    TUndoCell *Add(StringGrid *aGrid, int ACol, int ARow);
    // Puts back aGrid's newest saved cell, makes it the current cell and
    // drops the record; nothing when aGrid has no record.
    void Undo(StringGrid *aGrid);
    // Puts back aGrid's `count` newest saved cells, newest first, and makes
    // the last one put back the current cell.
    void Undo(StringGrid *aGrid, int count);
    // Drops every record of every grid.
    void Clear();

    TUndoCell *GetItem(int X) const { return FList.at(size_t(X)).get(); }
    int Count() const { return int(FList.size()); }
    // Most records kept per grid; 0 means no limit.
    int UndoLevels() const { return FUndoLevels; }
    void SetUndoLevels(int levels) { FUndoLevels = levels; }

    // The record of aGrid with the highest level, or none.
    TUndoCell *LastOf(StringGrid *aGrid) const;
    // The first record of aGrid in list order, or none.
    TUndoCell *FirstOf(StringGrid *aGrid) const;
    // Drops aGrid's oldest record, renumbers the rest from 0 and returns
    // how many records aGrid keeps (the next free level).
    int DropOldest(StringGrid *aGrid);

    // Rows of aGrid were put in a new order: the row that was at row r now
    // stands at newRowOf[r]. Each record follows its row, so undoing puts
    // the text back into the same row's cell. Rows outside newRowOf stay.
    void RemapRows(StringGrid *aGrid, const std::vector<int> &newRowOf);

private:
    std::vector<std::unique_ptr<TUndoCell>> FList;
    int FUndoLevels = 0;
};
