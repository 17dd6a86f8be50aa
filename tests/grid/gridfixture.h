#pragma once

#include "grid/gridclipboardkey.h"
#include "grid/stringgrid.h"
#include "grid/tundocells.h"

#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

// A grid laid out as after an acquisition: one fixed row with headers, one
// fixed column with row numbers, data cells "c<col>r<row>" whose object
// slot is 100 * row + col; its undo stack and undo-group counter.
class GridFixture : public ::testing::Test
{
protected:
    void SetUp() override { fill(4, 6); }

    void fill(int cols, int rows)
    {
        grid.setFixedCols(1);
        grid.setFixedRows(1);
        grid.setColCount(cols);
        grid.setRowCount(rows);
        for (int col = 1; col < cols; ++col)
            grid.setCellText(col, 0, QStringLiteral("H%1").arg(col));
        for (int row = 1; row < rows; ++row) {
            grid.setCellText(0, row, QString::number(row));
            for (int col = 1; col < cols; ++col) {
                grid.setCellText(col, row, QStringLiteral("c%1r%2").arg(col).arg(row));
                grid.setCellObject(col, row, 100 * row + col);
            }
        }
    }

    // A clipboard key with Ctrl held (or other modifiers).
    bool key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        return GridClipboardKey(&grid, key, modifiers, undo, undoCount);
    }

    static void setClipboard(const QString &text) { QGuiApplication::clipboard()->setText(text); }
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }

    QString cell(int col, int row) const { return grid.cellText(col, row); }

    StringGrid grid;
    TUndoCells undo;
    int undoCount = 0;
};
