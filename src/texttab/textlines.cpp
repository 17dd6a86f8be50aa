#include "textlines.h"

#include "editor/lineeditor.h"

#include <QLocale>

bool isBlankText(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() > 32)
            return false;
    }
    return true;
}

int LastTextLine(const QStringList &lines)
{
    for (int i = int(lines.size()) - 1; i >= 0; --i) {
        if (!isBlankText(lines[i]))
            return i + 1;
    }
    return 0;
}

int LastTextLine(const LineEditor &editor)
{
    // From the end, line by line: the status timer asks every 200 ms, and
    // the blank lines after the last text are few where the lines before
    // it may be 100,000.
    for (int i = editor.lineCount() - 1; i >= 0; --i) {
        if (!isBlankText(editor.line(i)))
            return i + 1;
    }
    return 0;
}

std::optional<double> readNumber(const QString &text)
{
    const QString t = text.trimmed();
    bool ok = false;
    double value = QLocale().toDouble(t, &ok);
    if (!ok)
        value = QLocale::c().toDouble(t, &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

double readNumberOrZero(const QString &text)
{
    return readNumber(text).value_or(0.0);
}

QString formatOffset(double value)
{
    // As "%.2f" writes it: the locale's decimal separator, no group
    // separators (a Japanese locale would show 1,500.00).
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', 2);
}

cad::Point textPosition(int alignment, const cad::Point &insertionPoint, const cad::Point &alignmentPoint)
{
    return alignment != 0 ? alignmentPoint : insertionPoint;
}
