#include "gridcells.h"

#include "grid/stringgrid.h"

void ClearGridCells(StringGrid *grid)
{
    grid->clearCells();
}

void FitGridColumns(StringGrid *grid, int margin)
{
    grid->fitColumnWidths(margin);
}

const nAtt *attributeOfCell(const StringGrid *grid, int col, int row, const GridAttributeList &attributes)
{
    if (attributes.empty())
        return nullptr;
    const int ref = grid->cellObject(col, row);
    // A reference beyond the records cannot come from an acquisition; it is
    // treated as no attribute rather than read past the list.
    if (ref < 1 || ref > int(attributes.size()))
        return nullptr;
    return &attributes[size_t(ref - 1)];
}

nAtt *attributeOfCell(const StringGrid *grid, int col, int row, GridAttributeList &attributes)
{
    return const_cast<nAtt *>(attributeOfCell(grid, col, row, std::as_const(attributes)));
}

bool isChangedCell(const StringGrid *grid, int col, int row, const GridAttributeList &attributes)
{
    const nAtt *rec = attributeOfCell(grid, col, row, attributes);
    return rec && grid->cellText(col, row) != rec->text;
}
