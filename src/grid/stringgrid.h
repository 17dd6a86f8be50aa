#pragma once

#include "grid/gridrect.h"

#include <QStyleOptionViewItem>
#include <QTableView>

#include <functional>
#include <vector>

class StringGridModel;
class StringGridDelegate;

// A classic string grid: texts in cells addressed by (column, row), an
// integer object slot per cell, at most one fixed row and one fixed column,
// one rectangular range selection with the current cell as one corner,
// in-place editing that can be switched off, and hooks for owner drawing
// and for the keys typed into the grid or its in-place editor.
//
// Row 0 is the fixed row and column 0 the fixed column when there are any;
// they hold texts like every other cell and stay in view while the data
// cells scroll (they are shown as the view's headers). Cell (0, 0) is the
// corner. Built on a model/view table, so large grids stay fast.
class StringGrid : public QTableView
{
    Q_OBJECT

public:
    // Called after the default drawing of each data cell; option is the
    // option of that drawing (rect, state, colours).
    using DrawCellHook =
        std::function<void(QPainter *painter, const QStyleOptionViewItem &option, int col, int row)>;
    // Sees every key pressed in the grid or its in-place editor before the
    // grid handles it; returns true to consume the key.
    using KeyDownHook = std::function<bool(int key, Qt::KeyboardModifiers modifiers)>;

    // The drag of a left-button range selection: the cell it began on
    // (-1 when no drag is under way) and the last cell it reached.
    struct DragState
    {
        int startCol = -1;
        int startRow = -1;
        int moveCol = 0;
        int moveRow = 0;
    };

    explicit StringGrid(QWidget *parent = nullptr);

    StringGridModel *gridModel() const { return m_model; }

    int colCount() const;
    int rowCount() const;
    void setColCount(int count);
    void setRowCount(int count);
    int fixedCols() const;
    int fixedRows() const;
    void setFixedCols(int count); // 0 or 1
    void setFixedRows(int count); // 0 or 1

    QString cellText(int col, int row) const;
    void setCellText(int col, int row, const QString &text);
    int cellObject(int col, int row) const;
    void setCellObject(int col, int row, int object);
    // Every cell empty and every object slot 0; the size stays.
    void clearCells();

    // The current cell; (-1, -1) when the grid has no data cell.
    int currentCol() const;
    int currentRow() const;
    void setCurrentCell(int col, int row);

    // The selected rectangle; a single current cell when nothing else is.
    GridRect gridSelection() const;
    // Selects the rectangle between anchor and current cell; the current
    // cell becomes (currentCol, currentRow).
    void setGridSelection(int anchorCol, int anchorRow, int currentCol, int currentRow);
    // Selects a rectangle with its top-left cell as the current cell.
    void setGridSelection(const GridRect &rect);
    // Selection on a click at a fixed cell: the corner selects every data
    // cell, a row header that row, a column header that column.
    void selectFromFixedCell(int col, int row);
    void selectAll() override;

    bool editingEnabled() const { return m_editingEnabled; }
    void setEditingEnabled(bool enabled);
    bool isEditorShowing() const;

    int colWidth(int col) const;
    void setColWidth(int col, int width);
    int defaultRowHeight() const;
    void setDefaultRowHeight(int height);
    // Widens or narrows each column to the widest text of its cells (fixed
    // cells included) in the grid's font plus margin; a column whose cells
    // are all empty keeps its width.
    void fitColumnWidths(int margin);

    // The cell under a point of the viewport, (-1, -1) when over no cell.
    QPoint cellAt(const QPoint &viewportPos) const;
    // The rectangle of a data cell in viewport coordinates.
    QRect cellRect(int col, int row) const;

    // Puts the rows below the fixed row in a new order: the row that was at
    // newOrder[i] comes to row fixedRows() + i (see StringGridModel).
    void reorderDataRows(const std::vector<int> &newOrder);

    void setDrawCellHook(DrawCellHook hook) { m_drawCellHook = std::move(hook); }
    const DrawCellHook &drawCellHook() const { return m_drawCellHook; }
    void setKeyDownHook(KeyDownHook hook) { m_keyDownHook = std::move(hook); }
    bool runKeyDownHook(int key, Qt::KeyboardModifiers modifiers);
    bool isForwardingKeyToEditor() const { return m_forwardingKey; }

    const DragState &dragState() const { return m_drag; }

signals:
    // The user clicked a cell, or the current cell changed.
    void cellClicked(int col, int row);
    // A click on a fixed cell, after the selection has followed it (left
    // button only: the right button opens the context menu, over the fixed
    // cells as over the data cells, and changes nothing).
    void fixedCellClicked(int col, int row);
    // The in-place editor opens on the cell and is about to take its text.
    void getEditText(int col, int row);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void onFixedCellClicked(int col, int row);
    void forwardContextMenu(QWidget *fixedCells);
    // Selects a rectangle of data cells without scrolling to it.
    void selectInPlace(const GridRect &rect);
    void updateHeaders();

    StringGridModel *m_model;
    StringGridDelegate *m_delegate;
    DrawCellHook m_drawCellHook;
    KeyDownHook m_keyDownHook;
    DragState m_drag;
    bool m_editingEnabled = true;
    bool m_forwardingKey = false;
    int m_fixedColWidth = 64;
    int m_rowHeight = 20;
};
