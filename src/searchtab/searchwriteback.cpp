#include "searchwriteback.h"

#include "form/qstrings.h"

void writeSearchText(const cad::Document &doc, Morv2 &rec, const QString &text, RecordTextAfterWrite after)
{
    const cad::Entity entity = doc.handleToObject(us(rec.sHnd));
    entity.setTextString(us(text));
    // The string is in the drawing: the row no longer shows as changed,
    // whatever the calls after this one do.
    rec.text = text;
    entity.update();
    rec.insPt = entity.insertionPoint();
    if (after == RecordTextAfterWrite::ReadBack)
        rec.text = qs(entity.textString());
}

QString searchUpdateMessage(const SearchUpdateCounts &counts)
{
    QString message = counts.targets == 0
        ? QStringLiteral("更新対象の TEXT はありません．")
        : QStringLiteral("%1 / %2 個の TEXT を更新しました．").arg(counts.written).arg(counts.targets);
    if (counts.lockedRows > 0)
        message += QStringLiteral("\nロック画層の TEXT %1 個は更新されません．").arg(counts.lockedRows);
    return message;
}
