#include "dxfalignment.h"

DxfAlignment alignmentFromJustification(DxfJustification j)
{
    if (j.horizontal < 0 || j.horizontal > 5)
        j.horizontal = 0;
    if (j.vertical < 0 || j.vertical > 3 || j.horizontal >= 3)
        j.vertical = 0;
    if (j.vertical == 0)
        return static_cast<DxfAlignment>(j.horizontal);   // Left .. Fit
    // Top row starts at TopLeft (6), middle at MiddleLeft (9), bottom at BottomLeft (12).
    const int rowStart = j.vertical == 3 ? 6 : j.vertical == 2 ? 9 : 12;
    return static_cast<DxfAlignment>(rowStart + j.horizontal);
}

DxfJustification justificationFromAlignment(DxfAlignment alignment)
{
    const int value = static_cast<int>(alignment);
    if (value < 0 || value > 14)
        return {};
    if (value <= 5)
        return {value, 0};
    const int row = (value - 6) / 3;                // 0 top, 1 middle, 2 bottom
    return {(value - 6) % 3, 3 - row};
}
