#ifndef LISTCOLLATION_H
#define LISTCOLLATION_H

#include <QString>
#include <QStringList>

// The order of the tool's sorted lists (CAD list, tag lists). Japanese
// collation is asked for explicitly: the system locale may be "C", whose
// order is by code point and puts kana and kanji in no order a user knows.
// Texts the collation holds equal are ordered by code point, so the order
// is total and a list sorts the same way every time.
namespace ListCollation {

int compare(const QString &a, const QString &b);

inline bool lessThan(const QString &a, const QString &b) { return compare(a, b) < 0; }

// Sorts the texts; equal texts keep their relative order.
void sort(QStringList &texts);

// Where text goes into the sorted list: after every item not greater than
// it, so an added duplicate follows the equal items already there.
qsizetype insertPosition(const QStringList &sortedTexts, const QString &text);

} // namespace ListCollation

#endif // LISTCOLLATION_H
