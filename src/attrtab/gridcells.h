#pragma once
// The cells of the attribute grid and the attributes behind them.

#include "gridrecords.h"

class StringGrid;

// Every cell of the grid's current rows and columns empty, every object
// slot 0.
void ClearGridCells(StringGrid *grid);

// Each column as wide as its widest text (fixed row included) in the grid's
// font plus margin pixels; a column whose cells are all empty keeps its width.
void FitGridColumns(StringGrid *grid, int margin);

// The record a cell's reference points to, or none: a reference is valid
// when it is at least 1, names a record and the list is not empty.
nAtt *attributeOfCell(const StringGrid *grid, int col, int row, GridAttributeList &attributes);
const nAtt *attributeOfCell(const StringGrid *grid, int col, int row, const GridAttributeList &attributes);

// A cell whose text differs from what its attribute holds in the drawing.
bool isChangedCell(const StringGrid *grid, int col, int row, const GridAttributeList &attributes);
