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

cad::SelectionFilter SearchBlockFilter()
{
    cad::SelectionFilter filter;
    filter.add(0, u"INSERT");
    return filter;
}

QString SearchPatternCaption(const QString &pattern, bool widthInsensitive, bool attributes)
{
    QString words = QStringLiteral("部分一致");
    if (widthInsensitive)
        words += QStringLiteral("・全半角");
    if (attributes)
        words += QStringLiteral("・属性");
    return QStringLiteral("[%1] (%2)").arg(pattern, words);
}
