#include "tagset.h"

QStringList splitQuotedList(const QString &line, QChar separator)
{
    QStringList elements;
    if (line.isEmpty())
        return elements;
    const QChar quote = QLatin1Char('"');
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (true) {
        QString element;
        if (i < n && line[i] == quote) {
            // A quoted element: up to the closing quote, "" standing for ".
            ++i;
            while (i < n) {
                if (line[i] == quote) {
                    if (i + 1 < n && line[i + 1] == quote) {
                        element += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                element += line[i++];
            }
            // Anything between the closing quote and the next separator
            // still belongs to the element.
            while (i < n && line[i] != separator)
                element += line[i++];
        } else {
            while (i < n && line[i] != separator)
                element += line[i++];
        }
        elements << element;
        if (i >= n)
            break;
        ++i; // the separator; one at the very end adds an empty element
        if (i == n) {
            elements << QString();
            break;
        }
    }
    return elements;
}

QString blockFilterOfName(const QString &name)
{
    const qsizetype open = name.indexOf(QLatin1Char('['));
    if (open < 0)
        return QStringLiteral("*");
    const qsizetype close = name.indexOf(QLatin1Char(']'), open + 1);
    if (close < 0 || close - open < 2)
        return QStringLiteral("*");
    return name.mid(open + 1, close - open - 1);
}

TagSet readTagSet(const QString &itemText)
{
    TagSet set;
    QStringList elements = splitQuotedList(itemText, QLatin1Char(','));
    if (elements.isEmpty())
        return set;
    set.name = elements.takeFirst();
    set.blockFilter = blockFilterOfName(set.name);
    set.tags = elements;
    return set;
}
