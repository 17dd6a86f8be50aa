#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <vector>

// The cells of a StringGrid: a text and an integer object slot per cell,
// stored row by row so that whole rows move cheaply when the grid is sorted.
//
// The model keeps every cell in grid coordinates (column, row), fixed cells
// included. Towards Qt's views it shows only the data cells: the fixed row
// is the horizontal header, the fixed column the vertical header.
class StringGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit StringGridModel(QObject *parent = nullptr);

    int gridColCount() const { return m_colCount; }
    int gridRowCount() const { return int(m_rows.size()); }
    void setGridColCount(int count);
    void setGridRowCount(int count);

    int fixedCols() const { return m_fixedCols; }
    int fixedRows() const { return m_fixedRows; }
    void setFixedCols(int count);
    void setFixedRows(int count);

    bool isInside(int col, int row) const;
    QString text(int col, int row) const;
    void setText(int col, int row, const QString &text);
    int object(int col, int row) const;
    void setObject(int col, int row, int object);
    // Every text empty and every object slot 0; the size stays.
    void clearCells();

    // Puts the rows in a new order: the row that was at newOrder[i] comes
    // to row firstRow + i. newOrder holds every row from firstRow to the
    // last exactly once.
    void reorderRows(int firstRow, const std::vector<int> &newOrder);

    // Grid coordinates of a view index and back.
    int gridCol(const QModelIndex &index) const { return index.column() + m_fixedCols; }
    int gridRow(const QModelIndex &index) const { return index.row() + m_fixedRows; }
    QModelIndex indexOf(int col, int row) const;

    // QAbstractTableModel
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Cell
    {
        QString text;
        int object = 0;
    };
    using Row = std::vector<Cell>;

    void notifyCellChanged(int col, int row);
    void notifyAllChanged(int firstRow);

    std::vector<Row> m_rows;
    int m_colCount = 0;
    int m_fixedCols = 0;
    int m_fixedRows = 0;
};
