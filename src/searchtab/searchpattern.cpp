#include "searchpattern.h"

#include "form/qstrings.h"

QString SearchPattern(const QString &field, bool prefixMatch)
{
    const QString any = QStringLiteral("*");
    if (field.isEmpty())
        return any;
    return prefixMatch ? field + any : any + field + any;
}

cad::SelectionFilter SearchFilter(const QString &pattern)
{
    cad::SelectionFilter filter;
    filter.add(0, u"TEXT");
    filter.add(1, us(pattern));
    return filter;
}
