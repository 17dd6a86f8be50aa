#pragma once

// A rectangle of grid cells, inclusive on all four sides, in grid
// coordinates (column, row; the fixed row and column count as 0).
struct GridRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool isSingleCell() const { return left == right && top == bottom; }
    bool contains(int col, int row) const
    {
        return col >= left && col <= right && row >= top && row <= bottom;
    }
    friend bool operator==(const GridRect &, const GridRect &) = default;
};
