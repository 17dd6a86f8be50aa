#include "grid/stringgrid.h"

#include "grid/stringgriddelegate.h"
#include "grid/stringgridmodel.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <climits>

namespace {

// The right button only opens the pop-up menu: it neither moves the
// current cell nor changes the selection, so the menu's commands work on
// the cells as the user selected them.
bool isRightButton(const QMouseEvent *event)
{
    return event->button() == Qt::RightButton
           || (event->type() == QEvent::MouseMove && event->buttons() == Qt::RightButton);
}

} // namespace

StringGrid::StringGrid(QWidget *parent)
    : QTableView(parent)
    , m_model(new StringGridModel(this))
    , m_delegate(new StringGridDelegate(this))
{
    setModel(m_model);
    setItemDelegate(m_delegate);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setWordWrap(false);
    setEditingEnabled(true);

    // The fixed row and column are the headers: clicks on them are fixed
    // cell clicks with their own selection rule, not the view's whole-row
    // and whole-column selection.
    for (QHeaderView *header : {horizontalHeader(), verticalHeader()}) {
        disconnect(header, &QHeaderView::sectionPressed, this, nullptr);
        disconnect(header, &QHeaderView::sectionEntered, this, nullptr);
        header->setSectionsClickable(true);
        header->setHighlightSections(false);
        header->setMinimumSectionSize(1);
        header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(m_rowHeight);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { onFixedCellClicked(section + fixedCols(), 0); });
    connect(verticalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { onFixedCellClicked(0, section + fixedRows()); });
    if (auto *corner = findChild<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly)) {
        disconnect(corner, nullptr, this, nullptr);
        connect(corner, &QAbstractButton::clicked, this, [this] { onFixedCellClicked(0, 0); });
        forwardContextMenu(corner);
    }
    forwardContextMenu(horizontalHeader());
    forwardContextMenu(verticalHeader());
    updateHeaders();
}

int StringGrid::colCount() const { return m_model->gridColCount(); }
int StringGrid::rowCount() const { return m_model->gridRowCount(); }
void StringGrid::setColCount(int count) { m_model->setGridColCount(count); }
void StringGrid::setRowCount(int count) { m_model->setGridRowCount(count); }
int StringGrid::fixedCols() const { return m_model->fixedCols(); }
int StringGrid::fixedRows() const { return m_model->fixedRows(); }

void StringGrid::setFixedCols(int count)
{
    m_model->setFixedCols(count);
    updateHeaders();
}

void StringGrid::setFixedRows(int count)
{
    m_model->setFixedRows(count);
    updateHeaders();
}

QString StringGrid::cellText(int col, int row) const { return m_model->text(col, row); }
void StringGrid::setCellText(int col, int row, const QString &text) { m_model->setText(col, row, text); }
int StringGrid::cellObject(int col, int row) const { return m_model->object(col, row); }
void StringGrid::setCellObject(int col, int row, int object) { m_model->setObject(col, row, object); }
void StringGrid::clearCells() { m_model->clearCells(); }

int StringGrid::currentCol() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? m_model->gridCol(current) : -1;
}

int StringGrid::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? m_model->gridRow(current) : -1;
}

void StringGrid::setCurrentCell(int col, int row)
{
    const QModelIndex cell = m_model->indexOf(col, row);
    if (cell.isValid())
        setCurrentIndex(cell);
}

GridRect StringGrid::gridSelection() const
{
    const QItemSelection selected = selectionModel()->selection();
    if (selected.isEmpty()) {
        const int col = currentCol();
        const int row = currentRow();
        return {col, row, col, row};
    }
    GridRect rect{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const QItemSelectionRange &range : selected) {
        rect.left = std::min(rect.left, range.left() + fixedCols());
        rect.top = std::min(rect.top, range.top() + fixedRows());
        rect.right = std::max(rect.right, range.right() + fixedCols());
        rect.bottom = std::max(rect.bottom, range.bottom() + fixedRows());
    }
    return rect;
}

void StringGrid::setGridSelection(int anchorCol, int anchorRow, int currentCol, int currentRow)
{
    const QModelIndex anchor = m_model->indexOf(anchorCol, anchorRow);
    const QModelIndex current = m_model->indexOf(currentCol, currentRow);
    if (!anchor.isValid() || !current.isValid())
        return;
    const QModelIndex topLeft = m_model->index(std::min(anchor.row(), current.row()),
                                               std::min(anchor.column(), current.column()));
    const QModelIndex bottomRight = m_model->index(std::max(anchor.row(), current.row()),
                                                   std::max(anchor.column(), current.column()));
    selectionModel()->select(QItemSelection(topLeft, bottomRight),
                             QItemSelectionModel::ClearAndSelect);
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
}

void StringGrid::setGridSelection(const GridRect &rect)
{
    setGridSelection(rect.right, rect.bottom, rect.left, rect.top);
}

void StringGrid::selectFromFixedCell(int col, int row)
{
    const int lastCol = colCount() - 1;
    const int lastRow = rowCount() - 1;
    if (col < fixedCols() && row < fixedRows())
        selectInPlace({fixedCols(), fixedRows(), lastCol, lastRow});
    else if (col < fixedCols())
        selectInPlace({fixedCols(), row, lastCol, row});
    else if (row < fixedRows())
        selectInPlace({col, fixedRows(), col, lastRow});
}

void StringGrid::selectAll()
{
    selectInPlace({fixedCols(), fixedRows(), colCount() - 1, rowCount() - 1});
}

void StringGrid::selectInPlace(const GridRect &rect)
{
    if (rect.right < rect.left || rect.bottom < rect.top)
        return;
    // The view stays where it is: selecting whole rows or columns is no move.
    const bool scrolls = hasAutoScroll();
    setAutoScroll(false);
    setGridSelection(rect);
    setAutoScroll(scrolls);
}

void StringGrid::setEditingEnabled(bool enabled)
{
    m_editingEnabled = enabled;
    setEditTriggers(enabled ? (QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                               | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed)
                            : QAbstractItemView::NoEditTriggers);
}

bool StringGrid::isEditorShowing() const
{
    return state() == QAbstractItemView::EditingState;
}

int StringGrid::colWidth(int col) const
{
    return col < fixedCols() ? m_fixedColWidth : columnWidth(col - fixedCols());
}

void StringGrid::setColWidth(int col, int width)
{
    if (col < 0 || col >= colCount())
        return;
    if (col < fixedCols()) {
        m_fixedColWidth = width;
        updateHeaders();
    } else {
        setColumnWidth(col - fixedCols(), width);
    }
}

int StringGrid::defaultRowHeight() const { return m_rowHeight; }

void StringGrid::setDefaultRowHeight(int height)
{
    m_rowHeight = height;
    verticalHeader()->setDefaultSectionSize(height);
    updateHeaders();
}

void StringGrid::fitColumnWidths(int margin)
{
    const QFontMetrics metrics(font());
    for (int col = 0; col < colCount(); ++col) {
        int widest = 0;
        for (int row = 0; row < rowCount(); ++row)
            widest = std::max(widest, metrics.horizontalAdvance(cellText(col, row)));
        if (widest > 0)
            setColWidth(col, widest + margin);
    }
}

QPoint StringGrid::cellAt(const QPoint &viewportPos) const
{
    const QModelIndex cell = indexAt(viewportPos);
    if (!cell.isValid())
        return {-1, -1};
    return {m_model->gridCol(cell), m_model->gridRow(cell)};
}

QRect StringGrid::cellRect(int col, int row) const
{
    return visualRect(m_model->indexOf(col, row));
}

void StringGrid::reorderDataRows(const std::vector<int> &newOrder)
{
    m_model->reorderRows(fixedRows(), newOrder);
}

bool StringGrid::runKeyDownHook(int key, Qt::KeyboardModifiers modifiers)
{
    return m_keyDownHook && m_keyDownHook(key, modifiers);
}

void StringGrid::keyPressEvent(QKeyEvent *event)
{
    if (runKeyDownHook(event->key(), event->modifiers())) {
        event->accept();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_editingEnabled && !isEditorShowing() && currentIndex().isValid()) {
        edit(currentIndex());
        event->accept();
        return;
    }
    // A typed character opens the editor and is passed on to it; the hook
    // has seen that key already.
    m_forwardingKey = true;
    QTableView::keyPressEvent(event);
    m_forwardingKey = false;
}

// The fixed row, the fixed column and the corner open the grid's pop-up menu
// as the data cells do, at a position given in the viewport's coordinates.
void StringGrid::forwardContextMenu(QWidget *fixedCells)
{
    fixedCells->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(fixedCells, &QWidget::customContextMenuRequested, this, [this, fixedCells](const QPoint &pos) {
        if (contextMenuPolicy() == Qt::CustomContextMenu)
            emit customContextMenuRequested(viewport()->mapFromGlobal(fixedCells->mapToGlobal(pos)));
    });
}

void StringGrid::mousePressEvent(QMouseEvent *event)
{
    if (isRightButton(event)) {
        event->accept();
        return;
    }
    const QModelIndex before = currentIndex();
    QTableView::mousePressEvent(event);
    const QPoint cell = cellAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && cell.x() >= fixedCols() && cell.y() >= fixedRows()) {
        m_drag.startCol = cell.x();
        m_drag.startRow = cell.y();
    }
    if (cell.x() >= 0 && currentIndex() == before)
        emit cellClicked(currentCol(), currentRow());
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (isRightButton(event)) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void StringGrid::mouseMoveEvent(QMouseEvent *event)
{
    if (isRightButton(event)) {
        event->accept();
        return;
    }
    QTableView::mouseMoveEvent(event);
    if (m_drag.startCol < 0 || m_drag.startRow < 0)
        return;
    const QPoint cell = cellAt(event->position().toPoint());
    if (cell.x() < 0 || cell.y() < 0)
        return;
    if (cell == QPoint(m_drag.startCol, m_drag.startRow) || cell == QPoint(m_drag.moveCol, m_drag.moveRow))
        return;
    setGridSelection(m_drag.startCol, m_drag.startRow, std::max(cell.x(), fixedCols()),
                     std::max(cell.y(), fixedRows()));
    viewport()->update();
    m_drag.moveCol = cell.x();
    m_drag.moveRow = cell.y();
}

void StringGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (isRightButton(event)) {
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
    m_drag.startCol = -1;
    m_drag.startRow = -1;
    viewport()->update();
}

void StringGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid())
        emit cellClicked(m_model->gridCol(current), m_model->gridRow(current));
}

void StringGrid::onFixedCellClicked(int col, int row)
{
    selectFromFixedCell(col, row);
    viewport()->update();
    emit fixedCellClicked(col, row);
}

void StringGrid::updateHeaders()
{
    horizontalHeader()->setVisible(fixedRows() > 0);
    horizontalHeader()->setFixedHeight(m_rowHeight);
    verticalHeader()->setVisible(fixedCols() > 0);
    verticalHeader()->setFixedWidth(m_fixedColWidth);
}
