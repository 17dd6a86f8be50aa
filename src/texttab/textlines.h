#pragma once
// Small rules about editor lines and the numbers typed in the dX/dY boxes.

#include "cad/point.h"

#include <QString>
#include <QStringList>

#include <optional>

class LineEditor;

// Empty once characters of code 32 or less are removed from both ends (the
// ideographic space is content).
bool isBlankText(const QString &text);

// The number of lines up to and including the last one that is not blank.
int LastTextLine(const QStringList &lines);
int LastTextLine(const LineEditor &editor);

// A number as typed in dX/dY, in the user's locale or with a '.'; nullopt
// when the text is not a number.
std::optional<double> readNumber(const QString &text);
// A text that is not a number reads as 0.
double readNumberOrZero(const QString &text);
// "%.2f" with the locale's decimal separator and no group separators.
QString formatOffset(double value);

// The position a text is placed and sorted by: the alignment point, except
// for a left-aligned text.
cad::Point textPosition(int alignment, const cad::Point &insertionPoint, const cad::Point &alignmentPoint);
