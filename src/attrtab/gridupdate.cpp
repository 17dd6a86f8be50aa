#include "gridupdate.h"

#include "gridcells.h"

#include "form/qstrings.h"
#include "grid/stringgrid.h"

#include "cad/caderror.h"

int writeGridBack(const cad::Document &doc, const StringGrid *grid, GridAttributeList &attributes)
{
    int written = 0;
    for (int row = 1; row < grid->rowCount(); ++row) {
        for (int col = 1; col < grid->colCount(); ++col) {
            nAtt *rec = attributeOfCell(grid, col, row, attributes);
            if (!rec)
                continue;
            const QString text = grid->cellText(col, row);
            try {
                const cad::Entity attribute = doc.handleToObject(us(rec->sHnd));
                attribute.setTextString(us(text));
                attribute.update();
                rec->text = text;
                ++written;
            } catch (const cad::CadError &) {
                // Erased or refused: the record keeps its text, the cell stays changed.
            }
        }
    }
    return written;
}

bool writeCellBack(const cad::Document &doc, StringGrid *grid, int col, int row, nAtt &rec)
{
    try {
        const cad::Entity attribute = doc.handleToObject(us(rec.sHnd));
        attribute.setTextString(us(grid->cellText(col, row)));
        attribute.update();
        rec.insPt = attribute.insertionPoint();
        rec.text = qs(attribute.textString());
        return true;
    } catch (const cad::CadError &) {
        grid->setCellText(col, row, rec.text);
        return false;
    }
}
