#include "tagitem.h"

QString tagOfItem(const QString &item)
{
    const qsizetype colon = item.indexOf(QLatin1Char(':'));
    return colon < 0 ? item : item.left(colon);
}

QString blockFilterOfItem(const QString &item)
{
    const qsizetype colon = item.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        const QString rest = item.mid(colon);
        const qsizetype open = rest.indexOf(QLatin1Char('['));
        const qsizetype close = rest.indexOf(QLatin1Char(']'));
        if (open >= 0 && close >= open + 2)
            return rest.mid(open + 1, close - open - 1);
    }
    return QStringLiteral("*");
}
