#pragma once

class StringGrid;
class TUndoCells;

// Sorts the rows below the fixed row by the text of column keyCol: as text
// (UTF-16 code units, a prefix before the longer text) or, with numeric, as
// numbers in the user's locale (a text that is no number counts as 0).
// Whole rows move, the fixed column and the object slots with them; rows
// with equal keys end in the order of the grid's exchange sort (see
// exchangesortorder.h). With undoCells, the grid's saved cells follow their
// rows, so an undo after the sort still restores the cell it saved.
void SortGridRows(StringGrid *grid, int keyCol, bool numeric, TUndoCells *undoCells = nullptr);
