#include "grid/gridundokey.h"

#include "grid/tundocells.h"

void GridUndoKey(StringGrid *grid, TUndoCells &undoCells, int &undoCount)
{
    if (undoCount > 0) {
        undoCells.Undo(grid, undoCount);
        undoCount = 0;
    } else {
        undoCells.Undo(grid);
    }
}
