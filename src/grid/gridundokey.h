#pragma once

class StringGrid;
class TUndoCells;

// Ctrl+Z in a grid: undoes as many saved cells as the grid's last command
// saved (undoCount) and sets undoCount to 0; with undoCount 0 or less, one
// saved cell.
void GridUndoKey(StringGrid *grid, TUndoCells &undoCells, int &undoCount);
