#include "writeback.h"

#include "textlines.h"
#include "textplacement.h"

#include "form/messageboxes.h"
#include "form/qstrings.h"

#include "cad/caderror.h"

#include <cmath>

namespace {

// The record pass: returns false when "中止" stopped it.
bool writeRecords(WriteBackRun &run, int lastTextLine, int &r)
{
    MorvList &records = run.records;
    cad::Entity lastObject;
    bool lastValid = false;
    const int n = int(records.size());
    for (int s = 0; s < n; ++s) {
        Morv &rec = records[size_t(s)];
        run.progress(s);
        if (!rec.sHnd.isEmpty()) {
            // A record whose entity cannot be reached or refuses the change
            // still uses its line: no line is written into another
            // record's entity.
            try {
                const cad::Entity entity = run.doc.handleToObject(us(rec.sHnd));
                if (r >= lastTextLine) {
                    if (!rec.isAttribute()) {
                        entity.erase();
                        rec.sHnd.clear();
                    }
                } else {
                    const QString &line = run.lines[r];
                    if (!isBlankText(line) || rec.isAttribute()) {
                        if (qs(entity.textString()) != line)
                            entity.setTextString(us(line));
                        lastObject = entity;
                        lastValid = true;
                    } else {
                        entity.erase();
                        rec.sHnd.clear();
                    }
                    ++r;
                }
            } catch (const cad::CadError &e) {
                // Without the CAD no later record can be written: the
                // command stops and says so.
                if (e.linkLost())
                    throw;
                if (r < lastTextLine) {
                    ++r;
                    ++run.unwrittenLines;
                }
            }
        } else if (!rec.isAttribute()) {
            if (!lastValid)
                lastValid = LastTextObject(run.doc, records, lastObject);
            if (lastValid) {
                const cad::Entity copy = lastObject.copy();
                if (r >= lastTextLine) {
                    copy.erase();
                } else if (!isBlankText(run.lines[r])) {
                    const QString &line = run.lines[r];
                    fillCopyOrDeleteIt(copy, [&] {
                        if (qs(copy.textString()) != line)
                            copy.setTextString(us(line));
                        copy.setAlignment(records.back().txtAli);
                        placeText(copy, rec.insPt);
                        const QString layer = qs(copy.layer());
                        rec.sHnd = qs(copy.handle());
                        rec.lay = layer;
                    });
                    ++r;
                } else {
                    copy.erase();
                    ++r;
                }
            }
        }
        if (!run.keepRunning())
            return false;
    }
    return true;
}

void addLines(WriteBackRun &run, int lastTextLine, int r, int recordsBefore)
{
    cad::Entity lastObject;
    if (!LastTextObject(run.doc, run.records, lastObject) || r >= int(run.lines.size()))
        return;
    if (std::fabs(run.dX) < 0.001 && std::fabs(run.dY) < 0.001) {
        run.messages.plain(QStringLiteral("dX, dY が 0 のため、追加を中止しました．"));
        return;
    }
    cad::Point next = run.records[size_t(recordsBefore - 1)].insPt;
    for (int s = r; s < lastTextLine; ++s) {
        run.progress(s);
        next.x += run.dX;
        next.y += run.dY;
        if (!isBlankText(run.lines[s])) {
            const cad::Entity text = lastObject.copy();
            Morv added;
            fillCopyOrDeleteIt(text, [&] {
                placeText(text, next);
                text.setTextString(us(run.lines[s]));
                added = recordFromText(text);
            });
            added.index = int(run.records.size());
            run.records.push_back(added);
            lastObject = text;
        } else {
            // A place for the blank line: a later run puts a text here.
            Morv place;
            place.insPt = next;
            place.index = int(run.records.size());
            run.records.push_back(place);
        }
        if (!run.keepRunning())
            return;
    }
}

} // namespace

void writeLinesBack(WriteBackRun &run)
{
    const int n = int(run.records.size());
    if (n == 0)
        return;
    const int lastTextLine = LastTextLine(run.lines);
    fillMissingPoints(run.records, run.dX, run.dY);
    int r = 0;
    if (!writeRecords(run, lastTextLine, r))
        return;
    if (!run.attMode)
        addLines(run, lastTextLine, r, n);
}

void fitRecordsToLines(MorvList &records, int lastTextLine)
{
    while (int(records.size()) > lastTextLine)
        records.pop_back();
    while (int(records.size()) < lastTextLine) {
        Morv place;
        place.index = int(records.size());
        place.hasPoint = false;
        records.push_back(place);
    }
}

QString unwrittenLinesMessage(int lines)
{
    return QStringLiteral("%1 行は図面に書き込めませんでした．").arg(lines);
}
