#include "textplacement.h"

#include "form/qstrings.h"
#include "textlines.h"

#include "cad/caderror.h"

#include <algorithm>

void placeText(const cad::Entity &text, const cad::Point &position)
{
    placeText(text, position, text.alignment());
}

void placeText(const cad::Entity &text, const cad::Point &position, int alignment)
{
    if (alignment == 0) {
        text.setInsertionPoint(position);
        return;
    }
    if (alignment == 3 || alignment == 5) {
        const cad::Point from = text.textAlignmentPoint();
        const cad::Point insertion = text.insertionPoint();
        text.setInsertionPoint({insertion.x + position.x - from.x, insertion.y + position.y - from.y,
                                insertion.z + position.z - from.z});
    }
    text.setTextAlignmentPoint(position);
}

bool LastTextObject(const cad::Document &doc, const MorvList &records, cad::Entity &object)
{
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        if (it->sHnd.isEmpty())
            continue;
        try {
            object = doc.handleToObject(us(it->sHnd));
            return true;
        } catch (const cad::CadError &e) {
            if (e.linkLost())
                throw;
            // Erased in the CAD meanwhile: an earlier text serves instead.
        }
    }
    return false;
}

Morv recordFromText(const cad::Entity &text)
{
    Morv r;
    r.text = qs(text.textString());
    r.sHnd = qs(text.handle());
    r.txtAli = text.alignment();
    r.lay = qs(text.layer());
    r.insPt = r.txtAli != 0 ? text.textAlignmentPoint() : text.insertionPoint();
    return r;
}

std::optional<cad::Point> placeOfLine(const MorvList &records, int line, double dX, double dY)
{
    const int n = int(records.size());
    if (line < 1 || n == 0)
        return std::nullopt;
    for (int j = std::min(line, n) - 1; j >= 0; --j) {
        const Morv &rec = records[size_t(j)];
        if (!rec.hasPoint)
            continue;
        const int steps = line - 1 - j;
        return cad::Point{rec.insPt.x + dX * steps, rec.insPt.y + dY * steps, rec.insPt.z};
    }
    return std::nullopt;
}

void fillMissingPoints(MorvList &records, double dX, double dY)
{
    for (size_t i = 0; i < records.size(); ++i) {
        if (records[i].hasPoint)
            continue;
        cad::Point p;
        if (i > 0)
            p = cad::Point{records[i - 1].insPt.x + dX, records[i - 1].insPt.y + dY, records[i - 1].insPt.z};
        records[i].insPt = p;
        records[i].hasPoint = true;
    }
}
