#include "grid/stringgridmodel.h"

#include <algorithm>

StringGridModel::StringGridModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void StringGridModel::setGridColCount(int count)
{
    count = std::max(count, 0);
    if (count == m_colCount)
        return;
    const int oldViewCols = std::max(m_colCount - m_fixedCols, 0);
    const int newViewCols = std::max(count - m_fixedCols, 0);
    if (newViewCols > oldViewCols)
        beginInsertColumns(QModelIndex(), oldViewCols, newViewCols - 1);
    else if (newViewCols < oldViewCols)
        beginRemoveColumns(QModelIndex(), newViewCols, oldViewCols - 1);

    m_colCount = count;
    for (Row &row : m_rows)
        row.resize(size_t(count));

    if (newViewCols > oldViewCols)
        endInsertColumns();
    else if (newViewCols < oldViewCols)
        endRemoveColumns();
    if (m_fixedCols > 0)
        emit headerDataChanged(Qt::Vertical, 0, std::max(rowCount() - 1, 0));
}

void StringGridModel::setGridRowCount(int count)
{
    count = std::max(count, 0);
    const int oldCount = gridRowCount();
    if (count == oldCount)
        return;
    const int oldViewRows = std::max(oldCount - m_fixedRows, 0);
    const int newViewRows = std::max(count - m_fixedRows, 0);
    if (newViewRows > oldViewRows)
        beginInsertRows(QModelIndex(), oldViewRows, newViewRows - 1);
    else if (newViewRows < oldViewRows)
        beginRemoveRows(QModelIndex(), newViewRows, oldViewRows - 1);

    m_rows.resize(size_t(count), Row(size_t(m_colCount)));

    if (newViewRows > oldViewRows)
        endInsertRows();
    else if (newViewRows < oldViewRows)
        endRemoveRows();
}

void StringGridModel::setFixedCols(int count)
{
    count = std::clamp(count, 0, 1);
    if (count == m_fixedCols)
        return;
    beginResetModel();
    m_fixedCols = count;
    endResetModel();
}

void StringGridModel::setFixedRows(int count)
{
    count = std::clamp(count, 0, 1);
    if (count == m_fixedRows)
        return;
    beginResetModel();
    m_fixedRows = count;
    endResetModel();
}

bool StringGridModel::isInside(int col, int row) const
{
    return col >= 0 && col < m_colCount && row >= 0 && row < gridRowCount();
}

QString StringGridModel::text(int col, int row) const
{
    return isInside(col, row) ? m_rows[size_t(row)][size_t(col)].text : QString();
}

void StringGridModel::setText(int col, int row, const QString &text)
{
    // Cells outside the grid do not exist: writing there stores nothing.
    if (!isInside(col, row))
        return;
    QString &cell = m_rows[size_t(row)][size_t(col)].text;
    if (cell == text)
        return;
    cell = text;
    notifyCellChanged(col, row);
}

int StringGridModel::object(int col, int row) const
{
    return isInside(col, row) ? m_rows[size_t(row)][size_t(col)].object : 0;
}

void StringGridModel::setObject(int col, int row, int object)
{
    if (isInside(col, row))
        m_rows[size_t(row)][size_t(col)].object = object;
}

void StringGridModel::clearCells()
{
    for (Row &row : m_rows)
        std::fill(row.begin(), row.end(), Cell());
    notifyAllChanged(0);
}

void StringGridModel::reorderRows(int firstRow, const std::vector<int> &newOrder)
{
    std::vector<Row> moved;
    moved.reserve(newOrder.size());
    for (int oldRow : newOrder)
        moved.push_back(std::move(m_rows[size_t(oldRow)]));
    std::move(moved.begin(), moved.end(), m_rows.begin() + firstRow);

    // Positions stay where they were (current cell, selection); only the
    // contents change, as when the cells were exchanged one by one.
    notifyAllChanged(firstRow);
}

void StringGridModel::notifyAllChanged(int firstRow)
{
    const int firstViewRow = std::max(firstRow - m_fixedRows, 0);
    if (rowCount() > firstViewRow && columnCount() > 0)
        emit dataChanged(index(firstViewRow, 0), index(rowCount() - 1, columnCount() - 1));
    if (m_fixedCols > 0 && rowCount() > firstViewRow)
        emit headerDataChanged(Qt::Vertical, firstViewRow, rowCount() - 1);
    if (m_fixedRows > 0 && firstRow == 0 && columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

QModelIndex StringGridModel::indexOf(int col, int row) const
{
    return index(row - m_fixedRows, col - m_fixedCols);
}

int StringGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : std::max(gridRowCount() - m_fixedRows, 0);
}

int StringGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : std::max(m_colCount - m_fixedCols, 0);
}

QVariant StringGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return text(gridCol(index), gridRow(index));
}

bool StringGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    setText(gridCol(index), gridRow(index), value.toString());
    return true;
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return m_fixedRows > 0 ? text(section + m_fixedCols, 0) : QVariant();
    return m_fixedCols > 0 ? text(0, section + m_fixedRows) : QVariant();
}

void StringGridModel::notifyCellChanged(int col, int row)
{
    const bool inFixedRow = row < m_fixedRows;
    const bool inFixedCol = col < m_fixedCols;
    if (inFixedRow && !inFixedCol)
        emit headerDataChanged(Qt::Horizontal, col - m_fixedCols, col - m_fixedCols);
    else if (inFixedCol && !inFixedRow)
        emit headerDataChanged(Qt::Vertical, row - m_fixedRows, row - m_fixedRows);
    else if (!inFixedRow && !inFixedCol) {
        const QModelIndex changed = indexOf(col, row);
        emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
    }
}
