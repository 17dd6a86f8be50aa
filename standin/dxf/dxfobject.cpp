#include "dxfobject.h"

#include <algorithm>

QByteArray DxfObject::type() const
{
    if (groups.isEmpty() || groups.front().code != 0)
        return QByteArray();
    return groups.front().trimmedValue();
}

quint64 DxfObject::handle() const
{
    // The HEADER's SECTION object holds $HANDSEED as a group 5: not a handle.
    if (groups.isEmpty() || groups.front().code != 0 || type() == "SECTION")
        return 0;
    const int code = type() == "DIMSTYLE" ? 105 : 5;
    const qsizetype index = indexOf(code, 0, dataEnd());
    if (index < 0)
        return 0;
    bool ok = false;
    const quint64 value = groups.at(index).trimmedValue().toULongLong(&ok, 16);
    return ok ? value : 0;
}

qsizetype DxfObject::indexOf(int code, qsizetype from, qsizetype to) const
{
    if (to < 0 || to > groups.size())
        to = groups.size();
    for (qsizetype i = std::max<qsizetype>(from, 0); i < to; ++i) {
        if (groups.at(i).code == code)
            return i;
    }
    return -1;
}

qsizetype DxfObject::dataEnd() const
{
    for (qsizetype i = 1; i < groups.size(); ++i) {
        const int code = groups.at(i).code;
        if (code == 101 || code >= 1000)
            return i;
    }
    return groups.size();
}

const DxfGroup *DxfObject::find(int code) const
{
    const qsizetype index = indexOf(code, 0, dataEnd());
    return index < 0 ? nullptr : &groups.at(index);
}

bool DxfObject::subclassRange(const QByteArray &marker, int occurrence, qsizetype *first,
                              qsizetype *end) const
{
    const qsizetype dataEnd = this->dataEnd();
    if (indexOf(100, 0, dataEnd) < 0) {
        *first = groups.isEmpty() ? 0 : 1;
        *end = dataEnd;
        return true;
    }
    int seen = 0;
    for (qsizetype i = 0; i < dataEnd; ++i) {
        const DxfGroup &group = groups.at(i);
        if (group.code != 100 || group.trimmedValue() != marker)
            continue;
        if (seen++ != occurrence)
            continue;
        *first = i + 1;
        qsizetype j = i + 1;
        while (j < dataEnd && groups.at(j).code != 100)
            ++j;
        *end = j;
        return true;
    }
    return false;
}

void DxfObject::setValue(int code, const QByteArray &value, const QByteArray &marker,
                         int occurrence, const QList<int> &predecessors,
                         const QByteArray &defaultValue)
{
    qsizetype first = 0;
    qsizetype end = 0;
    if (!subclassRange(marker, occurrence, &first, &end)) {
        // A subclass the writer left out: look in, and add to, the whole data.
        first = groups.isEmpty() ? 0 : 1;
        end = dataEnd();
    }
    const qsizetype existing = indexOf(code, first, end);
    if (existing >= 0) {
        groups[existing].value = value;
        return;
    }
    if (!defaultValue.isNull() && value == defaultValue)
        return;

    qsizetype at = first;
    for (qsizetype i = first; i < end; ++i) {
        if (std::find(predecessors.begin(), predecessors.end(), groups.at(i).code)
            != predecessors.end())
            at = i + 1;
    }
    // The object's code-0 group shows how this writer pads codes and ends lines.
    const DxfGroup style = groups.isEmpty() ? DxfGroup() : groups.front();
    groups.insert(at, DxfGroup::make(code, value, style));
}
