#pragma once
// Writing the attribute grid back into the drawing.

#include "gridrecords.h"

#include "cad/document.h"

class StringGrid;

// "更新": every cell with a valid reference sets its own attribute's text,
// changed or not, in grid order; the record then holds the cell's text. A
// cell whose attribute cannot be reached or refuses the text is skipped and
// stays changed. The caller opens the undo group around it. Returns the
// number of attributes written.
int writeGridBack(const cad::Document &doc, const StringGrid *grid, GridAttributeList &attributes);

// Enter with "Enter = 更新": writes one changed cell to its attribute and
// takes the attribute's point and text back into the record. On a failure
// the cell keeps the typed text and stays changed. Returns whether it was
// written.
bool writeCellBack(const cad::Document &doc, StringGrid *grid, int col, int row, nAtt &rec);
