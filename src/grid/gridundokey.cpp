#include "grid/gridundokey.h"

#include "grid/tundocells.h"

void GridUndoKey(StringGrid *grid, TUndoCells &undoCells, int &undoCount)
{
    if (undoCount > 0) {
        for (int i = 0; i < undoCount; ++i)
            undoCells.Undo(grid);
        undoCount = 0;
    } else {
        undoCells.Undo(grid);
    }
}
