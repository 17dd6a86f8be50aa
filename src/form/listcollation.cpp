#include "listcollation.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace ListCollation {

namespace {

const QCollator &japaneseCollator()
{
    static const QCollator collator(QLocale(QLocale::Japanese, QLocale::Japan));
    return collator;
}

} // namespace

int compare(const QString &a, const QString &b)
{
    const int collated = japaneseCollator().compare(a, b);
    if (collated != 0)
        return collated;
    return a.compare(b);
}

void sort(QStringList &texts)
{
    std::stable_sort(texts.begin(), texts.end(), lessThan);
}

qsizetype insertPosition(const QStringList &sortedTexts, const QString &text)
{
    return std::upper_bound(sortedTexts.cbegin(), sortedTexts.cend(), text, lessThan)
            - sortedTexts.cbegin();
}

} // namespace ListCollation
