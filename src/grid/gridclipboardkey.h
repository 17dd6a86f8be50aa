#pragma once

#include <Qt>

class StringGrid;
class TUndoCells;

// The clipboard keys shared by the grids, on the grid's selection:
// Delete empties a selection of more than one cell, Ctrl+C copies it,
// Ctrl+X cuts it and Ctrl+V pastes the clipboard over it. Each changed cell
// is saved in undoCells first, and undoCount becomes the number of saved
// cells (1 when none), so that one undo takes back the whole key.
// Returns true when the key was consumed; other keys are left to the grid.
//
// Clipboard text: a row's cells joined by TAB, every row ended by CR LF.
// A pasted block of L lines is repeated downwards over a taller selection;
// fields beyond the grid's last row or column are dropped.
bool GridClipboardKey(StringGrid *grid, int key, Qt::KeyboardModifiers shift,
                      TUndoCells &undoCells, int &undoCount);

// Whether GridClipboardKey or the grid's Ctrl+Z would act on this key:
// Ctrl+Z, Ctrl+C, Ctrl+X, Ctrl+V, or Delete over more than one cell. While
// another command runs, these keys are taken and do nothing.
bool IsGridCommandKey(const StringGrid *grid, int key, Qt::KeyboardModifiers shift);
