#include "dxfgroup.h"

#include "dxferror.h"

#include <charconv>

double DxfGroup::toDouble() const
{
    const QByteArray text = trimmedValue();
    double result = 0;
    const char *begin = text.constData();
    const char *end = begin + text.size();
    // from_chars does not take a leading '+', which some writers emit.
    if (begin != end && *begin == '+')
        ++begin;
    const auto [ptr, ec] = std::from_chars(begin, end, result);
    if (ec != std::errc() || ptr != end || text.isEmpty())
        throw DxfError(QStringLiteral("number expected for group code %1, found \"%2\"")
                           .arg(code).arg(QString::fromLatin1(text.left(40))),
                       line + 1);
    return result;
}

int DxfGroup::toInt() const
{
    const QByteArray text = trimmedValue();
    bool ok = false;
    const int result = text.toInt(&ok);
    if (!ok)
        throw DxfError(QStringLiteral("integer expected for group code %1, found \"%2\"")
                           .arg(code).arg(QString::fromLatin1(text.left(40))),
                       line + 1);
    return result;
}

DxfGroup DxfGroup::make(int code, const QByteArray &value, const DxfGroup &style)
{
    QByteArray codeText = QByteArray::number(code);
    // Files written with right-aligned codes ("  0", " 10") get the same layout.
    const QByteArray styleCode = style.codeLine;
    if (!styleCode.isEmpty() && styleCode.front() == ' ')
        codeText = codeText.rightJustified(3, ' ');
    const QByteArray lineEnd = style.valueEnd.isEmpty() ? QByteArray("\n") : style.valueEnd;

    DxfGroup group;
    group.code = code;
    group.codeLine = codeText + lineEnd;
    group.value = value;
    group.valueEnd = lineEnd;
    return group;
}

QByteArray DxfGroup::formatDouble(double value)
{
    char buffer[64];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    QByteArray text(buffer, ec == std::errc() ? ptr - buffer : 0);
    if (!text.contains('.') && !text.contains('e') && !text.contains("inf") && !text.contains("nan"))
        text += ".0";
    return text;
}
