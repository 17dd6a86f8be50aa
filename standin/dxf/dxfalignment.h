#ifndef DXFALIGNMENT_H
#define DXFALIGNMENT_H

// Text alignment numbered as the automation model numbers acAlignment*.
enum class DxfAlignment {
    Left = 0,
    Center = 1,
    Right = 2,
    Aligned = 3,
    Middle = 4,
    Fit = 5,
    TopLeft = 6,
    TopCenter = 7,
    TopRight = 8,
    MiddleLeft = 9,
    MiddleCenter = 10,
    MiddleRight = 11,
    BottomLeft = 12,
    BottomCenter = 13,
    BottomRight = 14,
};

// DXF stores the alignment of TEXT, ATTRIB and ATTDEF as a horizontal
// justification (group 72: 0 left, 1 center, 2 right, 3 aligned, 4 middle,
// 5 fit) and a vertical one (group 73 of TEXT, 74 of ATTRIB/ATTDEF:
// 0 baseline, 1 bottom, 2 middle, 3 top).
struct DxfJustification
{
    int horizontal = 0;
    int vertical = 0;
};

// Aligned, middle and fit ignore the vertical justification, as CAD programs
// do; out-of-range values read as left.
DxfAlignment alignmentFromJustification(DxfJustification justification);
DxfJustification justificationFromAlignment(DxfAlignment alignment);

#endif // DXFALIGNMENT_H
