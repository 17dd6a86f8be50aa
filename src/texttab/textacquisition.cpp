#include "textacquisition.h"

#include "tagitem.h"
#include "textlines.h"

#include "form/messagepump.h"
#include "form/qstrings.h"

#include "cad/caderror.h"
#include "cad/connection.h"

namespace {

// A cancelled pick leaves the set as it is; the command goes on with it.
void pickOnScreen(const cad::SelectionSet &set, const cad::SelectionFilter &filter)
{
    try {
        set.selectOnScreen(filter);
    } catch (const cad::CadError &e) {
        if (e.linkLost())
            throw;
    }
}

} // namespace

PickedRecords pickTexts(const cad::Document &doc, MessagePump &pump)
{
    const std::u16string locked = cad::LockedLayerList(doc);
    cad::SelectionFilter filter;
    filter.add(0, u"TEXT");

    PickedRecords result;
    cad::TempSelectionSet temp(doc);
    temp.set().clear();
    pickOnScreen(temp.set(), filter);
    result.picked = temp->count();
    for (int i = 0; i < result.picked; ++i) {
        const cad::Entity text = temp->item(i);
        const std::u16string layer = text.layer();
        if (cad::isOnLockedLayer(locked, layer))
            continue;
        pump.processPendingMessages();
        Morv rec;
        rec.text = qs(text.textString());
        rec.sHnd = qs(text.handle());
        rec.index = int(result.records.size());
        rec.txtAli = text.alignment();
        rec.insPt = rec.txtAli != 0 ? text.textAlignmentPoint() : text.insertionPoint();
        rec.lay = qs(layer);
        result.records.push_back(rec);
    }
    return result;
}

PickedRecords pickAttributes(const cad::Document &doc, const QString &tagItem,
                             const std::function<void(const QString &)> &progress)
{
    cad::SelectionFilter filter;
    filter.add(0, u"INSERT");
    filter.add(2, us(blockFilterOfItem(tagItem)));

    PickedRecords result;
    cad::TempSelectionSet temp(doc);
    temp.set().clear();
    pickOnScreen(temp.set(), filter);
    const int n = temp->count();
    result.picked = n;
    progress(QStringLiteral("INSERT=%1").arg(n));
    const QString tag = tagOfItem(tagItem);
    const std::u16string tag16 = us(tag);
    for (int i = 0; i < n; ++i) {
        progress(QStringLiteral("%1 : %2 / %3").arg(tag).arg(i + 1).arg(n));
        const cad::BlockReference ref(temp->item(i));
        if (!ref.hasAttributes())
            continue;
        for (const cad::Attribute &attribute : ref.getAttributes()) {
            if (attribute.tagString() != tag16)
                continue;
            Morv rec;
            rec.text = qs(attribute.textString());
            rec.sHnd = qs(attribute.handle());
            rec.index = int(result.records.size());
            rec.txtAli = attribute.alignment();
            rec.lay = qs(ref.layer());
            rec.insPt = ref.insertionPoint();
            rec.parentType = QStringLiteral("INSERT");
            rec.parentHnd = qs(ref.handle());
            rec.parentId = ref.objectId();
            result.records.push_back(rec);
        }
    }
    return result;
}
