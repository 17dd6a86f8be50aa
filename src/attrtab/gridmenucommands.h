#pragma once
// The text tools of the grid's pop-up menu on the selected cells. Each
// saves every cell it changes in the grid's undo stack first and returns
// how many it saved, so that the caller sets the grid's undo-group counter
// and one undo takes back the whole command.

#include "grid/gridrect.h"

#include <QString>

#include <string>
#include <vector>

class StringGrid;
class TUndoCells;
struct IncrementSettings;

// "選択範囲のスペース以外を全角に": full width, spaces (ideographic ones too)
// half width. Every cell of the selection is saved.
int convertSelectionToFullWidth(StringGrid *grid, const GridRect &selection, TUndoCells &undo);

// "選択範囲を半角に": half width. Every cell of the selection is saved.
int convertSelectionToHalfWidth(StringGrid *grid, const GridRect &selection, TUndoCells &undo);

// "選択範囲を置換": every occurrence of find replaced, case-sensitive.
// Every cell of the selection is saved.
int replaceInSelection(StringGrid *grid, const GridRect &selection, const std::u16string &find,
                       const std::u16string &repl, TUndoCells &undo);

// "選択範囲の半角数字を加算": the amount added to the number of each cell;
// only the cells that change are saved.
int incrementSelection(StringGrid *grid, const GridRect &selection, const IncrementSettings &settings,
                       TUndoCells &undo);

// "連番作成" in the grid: the texts down the current column, from the
// current row to the last row when the selection is one row high, else over
// the selection's rows; a run longer than the rows available stops there.
int writeSerialTexts(StringGrid *grid, const GridRect &selection, int currentCol, int currentRow,
                     const std::vector<std::u16string> &texts, TUndoCells &undo);

// The counter a command leaves: the saved cells, or 1 when none.
inline int undoGroupSize(int saved) { return saved > 0 ? saved : 1; }
