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
                // The text is in the drawing: the cell no longer shows as
                // changed, whatever the redraw request below does.
                rec->text = text;
                ++written;
                attribute.update();
            } catch (const cad::CadError &) {
                // Erased or refused: the record keeps its text, the cell stays changed.
            }
        }
    }
    return written;
}

bool writeCellBack(const cad::Document &doc, StringGrid *grid, int col, int row, nAtt &rec)
{
    const QString text = grid->cellText(col, row);
    bool written = false;
    try {
        const cad::Entity attribute = doc.handleToObject(us(rec.sHnd));
        attribute.setTextString(us(text));
        rec.text = text;
        written = true;
        attribute.update();
        rec.insPt = attribute.insertionPoint();
        rec.text = qs(attribute.textString());
    } catch (const cad::CadError &) {
        // Not written: the cell keeps what the user typed and stays changed
        // (red), for "更新" or the next Enter to write.
    }
    return written;
}
