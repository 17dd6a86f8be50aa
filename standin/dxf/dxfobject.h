#ifndef DXFOBJECT_H
#define DXFOBJECT_H

#include "dxfgroup.h"

#include <QByteArray>
#include <QList>


// One object of a DXF file: the groups from a code-0 group up to the next
// one (an entity, a table entry, SECTION, ENDSEC, ...), kept as read.
// Groups before the first code-0 group of a file (999 comments) form an
// object without a type.
class DxfObject
{
public:
    QList<DxfGroup> groups;

    // The value of the leading code-0 group ("TEXT", "SECTION"); empty when none.
    QByteArray type() const;
    // The own handle (group 5, or 105 for DIMSTYLE); 0 when the object has none.
    quint64 handle() const;

    // Index of the first group with `code` in [from, to), -1 when none.
    // to = -1 means the end of the group list.
    qsizetype indexOf(int code, qsizetype from = 0, qsizetype to = -1) const;
    // The first group with `code` among the entity's own data: the search
    // stops at an embedded object (101) and extended data (1000 and above).
    const DxfGroup *find(int code) const;
    // Index where the entity's own data ends (first 101 or 1000+ group).
    qsizetype dataEnd() const;

    // Group range [first, end) of the subclass named by the `occurrence`-th
    // "100 <marker>" group (0-based), or the whole data of objects without
    // subclass markers (R12). Returns false when the object has markers but
    // not this one.
    bool subclassRange(const QByteArray &marker, int occurrence, qsizetype *first,
                       qsizetype *end) const;

    // Sets the value of the group `code` inside the subclass range; when the
    // subclass has no such group, a new one goes right after the last group
    // there whose code is in `predecessors` (or at the start of the range).
    // A missing group whose new value equals `defaultValue` is not added.
    void setValue(int code, const QByteArray &value, const QByteArray &marker, int occurrence,
                  const QList<int> &predecessors,
                  const QByteArray &defaultValue = QByteArray());
};

#endif // DXFOBJECT_H
