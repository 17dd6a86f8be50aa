#include "textalignment.h"

#include "textlines.h"
#include "textplacement.h"

#include "form/qstrings.h"

#include "cad/caderror.h"

#include <cmath>
#include <optional>

namespace {

// The text new entities are copied from: the last placed entity whose line
// was not blank, else the last record's entity. Copies made here never are.
class Template
{
public:
    Template(const cad::Document &doc, const MorvList &records) : m_doc(doc), m_records(records) {}

    void set(const cad::Entity &entity) { m_entity = entity; }
    // Makes sure there is one; false when the drawing has none to offer.
    bool ensure()
    {
        if (m_entity)
            return true;
        cad::Entity found;
        if (!LastTextObject(m_doc, m_records, found))
            return false;
        m_entity = found;
        return true;
    }
    const cad::Entity &entity() const { return *m_entity; }

private:
    const cad::Document &m_doc;
    const MorvList &m_records;
    std::optional<cad::Entity> m_entity;
};

// A copy of the template at the grid position with the line's string. With
// `ownZ` the copy keeps the z of its own position (read once, by the
// alignment just read from it).
// The record takes the copy only once the copy holds its line.
void fillFromTemplate(Morv &rec, const cad::Entity &copy, cad::Point gridPoint, bool ownZ, const QString &line)
{
    Morv filled = rec;
    fillCopyOrDeleteIt(copy, [&] {
        filled.sHnd = qs(copy.handle());
        filled.txtAli = copy.alignment();
        filled.lay = qs(copy.layer());
        if (ownZ)
            gridPoint.z = (filled.txtAli != 0 ? copy.textAlignmentPoint() : copy.insertionPoint()).z;
        filled.insPt = gridPoint;
        filled.hasPoint = true;
        filled.text = line;
        copy.setTextString(us(line));
        placeText(copy, filled.insPt, filled.txtAli);
        copy.update();
    });
    rec = filled;
}

} // namespace

void alignTexts(AlignmentRun &run)
{
    MorvList &records = run.records;
    const int n = int(records.size());
    if (n < 2)
        return;
    const int lastTextLine = LastTextLine(run.lines);
    auto lineAt = [&](int i) { return i < int(run.lines.size()) ? run.lines[i] : QString(); };

    if (std::fabs(run.dX) > 0.01 || std::fabs(run.dY) > 0.01) {
        const double x0 = records[0].insPt.x;
        const double y0 = records[0].insPt.y;
        auto gridPoint = [&](int i, double z) { return cad::Point{x0 + i * run.dX, y0 + i * run.dY, z}; };
        Template model(run.doc, records);

        for (int i = 0; i < n; ++i) {
            run.progress(i);
            Morv &rec = records[size_t(i)];
            const QString line = lineAt(i);
            if (!rec.sHnd.isEmpty()) {
                if (i >= lastTextLine)
                    continue; // its entity goes with the trailing records
                rec.insPt = gridPoint(i, rec.insPt.z);
                rec.hasPoint = true;
                cad::Entity entity;
                try {
                    entity = run.doc.handleToObject(us(rec.sHnd));
                } catch (const cad::CadError &) {
                    ++run.unplacedTexts; // erased in the CAD meanwhile
                    continue;
                }
                placeText(entity, rec.insPt);
                if (!isBlankText(line)) {
                    if (qs(entity.textString()) != line)
                        entity.setTextString(us(line));
                    model.set(entity);
                    entity.update();
                } else {
                    entity.erase();
                    rec.sHnd.clear();
                }
            } else if (!isBlankText(line)) {
                if (!model.ensure())
                    continue;
                fillFromTemplate(rec, model.entity().copy(), gridPoint(i, 0), true, line);
            }
        }

        if (lastTextLine > n && model.ensure()) {
            for (int i = n; i < lastTextLine; ++i) {
                Morv rec;
                rec.index = i;
                rec.insPt = gridPoint(i, 0);
                const QString line = lineAt(i);
                if (!isBlankText(line))
                    fillFromTemplate(rec, model.entity().copy(), rec.insPt, false, line);
                records.push_back(rec);
            }
        }
    }

    // Entities below the last data line are deleted; their records stay.
    const int m = int(records.size());
    for (int i = lastTextLine; i < m; ++i) {
        Morv &rec = records[size_t(i)];
        if (rec.sHnd.isEmpty())
            continue;
        cad::Entity entity;
        try {
            entity = run.doc.handleToObject(us(rec.sHnd));
        } catch (const cad::CadError &) {
            rec.sHnd.clear(); // already gone from the drawing
            continue;
        }
        entity.erase();
        rec.sHnd.clear();
    }
    run.doc.regen();
}
