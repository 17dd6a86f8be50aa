#pragma once

#include <QString>

class StringGrid;

// One saved cell of a grid: where it is and the text it had before a change.
class TUndoCell
{
public:
    StringGrid *Grid() const { return FGrid; }
    void SetGrid(StringGrid *grid) { FGrid = grid; }
    QString Text() const { return FText; }
    void SetText(const QString &text) { FText = text; }
    int X() const { return FX; }
    void SetX(int x) { FX = x; }
    int Y() const { return FY; }
    void SetY(int y) { FY = y; }
    // The record's place among the records of its grid: 0 for the oldest.
    int UndoLevel() const { return FUndoLevel; }
    void SetUndoLevel(int level) { FUndoLevel = level; }

private:
    StringGrid *FGrid = nullptr; // not owned
    QString FText;
    int FX = 0;
    int FY = 0;
    int FUndoLevel = 0;
};
