#include "gridfixture.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

#include <set>

namespace {

class GridWidget : public GridFixture
{
protected:
    void SetUp() override
    {
        GridFixture::SetUp();
        grid.resize(400, 300);
        grid.show();
    }
    QPoint centre(int col, int row) const { return grid.cellRect(col, row).center(); }
    QLineEdit *editor() const
    {
        return qobject_cast<QLineEdit *>(grid.indexWidget(grid.currentIndex()));
    }
};

TEST_F(GridWidget, FixedRowAndColumnShowTheirCellsAsHeaders)
{
    const QAbstractItemModel *model = grid.QTableView::model();
    EXPECT_EQ(model->rowCount(), 5);
    EXPECT_EQ(model->columnCount(), 3);
    EXPECT_EQ(model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "H2");
    EXPECT_EQ(model->headerData(2, Qt::Vertical, Qt::DisplayRole).toString(), "3");
    EXPECT_EQ(model->index(0, 0).data().toString(), "c1r1");

    grid.setCellText(0, 2, "two");
    EXPECT_EQ(model->headerData(1, Qt::Vertical, Qt::DisplayRole).toString(), "two");
    EXPECT_EQ(grid.cellAt(centre(2, 3)), QPoint(2, 3));
    EXPECT_EQ(grid.cellAt(QPoint(-5, -5)), QPoint(-1, -1));
}

TEST_F(GridWidget, DraggingSelectsFromTheStartCell)
{
    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, centre(1, 2));
    EXPECT_EQ(grid.dragState().startCol, 1);
    EXPECT_EQ(grid.dragState().startRow, 2);

    QMouseEvent move(QEvent::MouseMove, centre(3, 4), grid.viewport()->mapToGlobal(centre(3, 4)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(grid.viewport(), &move);
    EXPECT_EQ(grid.gridSelection(), (GridRect{1, 2, 3, 4}));
    EXPECT_EQ(grid.currentCol(), 3);
    EXPECT_EQ(grid.currentRow(), 4);

    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, centre(3, 4));
    EXPECT_EQ(grid.dragState().startCol, -1);
    EXPECT_EQ(grid.dragState().startRow, -1);
    EXPECT_EQ(grid.dragState().moveCol, 3);
    EXPECT_EQ(grid.dragState().moveRow, 4);
    EXPECT_EQ(grid.gridSelection(), (GridRect{1, 2, 3, 4}));
}

TEST_F(GridWidget, ClicksAndCurrentCellChangesAreReported)
{
    std::vector<QPoint> clicks;
    QObject::connect(&grid, &StringGrid::cellClicked,
                     [&clicks](int col, int row) { clicks.emplace_back(col, row); });
    grid.setCurrentCell(2, 2);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centre(2, 2));
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(clicks, (std::vector<QPoint>{{2, 2}, {2, 2}, {2, 3}}));
}

TEST_F(GridWidget, KeyDownHookSeesGridAndEditorKeysAndMayConsumeThem)
{
    std::vector<int> seen;
    grid.setKeyDownHook([&seen](int key, Qt::KeyboardModifiers) {
        seen.push_back(key);
        return key == Qt::Key_Q;
    });
    grid.setCurrentCell(1, 1);

    QTest::keyClick(&grid, Qt::Key_Q);
    EXPECT_FALSE(grid.isEditorShowing());
    QTest::keyClick(&grid, Qt::Key_A); // opens the editor with "a"
    ASSERT_TRUE(grid.isEditorShowing());
    QTest::keyClick(editor(), Qt::Key_B);
    QTest::keyClick(editor(), Qt::Key_Q);
    EXPECT_EQ(editor()->text(), "ab");
    EXPECT_EQ(seen, (std::vector<int>{Qt::Key_Q, Qt::Key_A, Qt::Key_B, Qt::Key_Q}));
}

TEST_F(GridWidget, CellFollowsTheEditorWhileTyping)
{
    // Enter in the editor: what the hook reads is the text typed so far.
    QString cellAtEnter;
    grid.setKeyDownHook([this, &cellAtEnter](int key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Return)
            cellAtEnter = cell(grid.currentCol(), grid.currentRow());
        return false;
    });
    grid.setCurrentCell(2, 1);
    QTest::keyClick(&grid, Qt::Key_Return);
    ASSERT_TRUE(grid.isEditorShowing());
    editor()->end(false);
    QTest::keyClicks(editor(), "xy");
    QTest::keyClick(editor(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(cellAtEnter, "c2r1xy");
    EXPECT_FALSE(grid.isEditorShowing());
    EXPECT_EQ(cell(2, 1), "c2r1xy");
}

TEST_F(GridWidget, EscapeTakesTheEditBack)
{
    grid.setCurrentCell(2, 1);
    QTest::keyClick(&grid, Qt::Key_Return);
    ASSERT_TRUE(grid.isEditorShowing());
    QTest::keyClicks(editor(), "zz");
    QTest::keyClick(editor(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(cell(2, 1), "c2r1");
}

TEST_F(GridWidget, GetEditTextComesBeforeTheEditorTakesTheText)
{
    QString textWhenAsked;
    QPoint asked;
    QObject::connect(&grid, &StringGrid::getEditText, [&](int col, int row) {
        asked = {col, row};
        textWhenAsked = cell(col, row);
    });
    grid.setCurrentCell(3, 4);
    QTest::keyClick(&grid, Qt::Key_K);
    EXPECT_EQ(asked, QPoint(3, 4));
    EXPECT_EQ(textWhenAsked, "c3r4");
}

TEST_F(GridWidget, EditingSwitchedOffOpensNoEditor)
{
    grid.setEditingEnabled(false);
    grid.setCurrentCell(1, 1);
    QTest::keyClick(&grid, Qt::Key_A);
    QTest::keyClick(&grid, Qt::Key_Return);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, centre(1, 1));
    EXPECT_FALSE(grid.isEditorShowing());
    EXPECT_EQ(cell(1, 1), "c1r1");

    grid.setEditingEnabled(true);
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_TRUE(grid.isEditorShowing());
}

TEST_F(GridWidget, OwnerDrawingRunsForDataCellsAfterTheDefaultDrawing)
{
    std::set<std::pair<int, int>> drawn;
    grid.setDrawCellHook([&drawn](QPainter *painter, const QStyleOptionViewItem &option, int col,
                                  int row) {
        drawn.insert({col, row});
        painter->fillRect(option.rect, Qt::red);
    });
    const QImage image = grid.grab().toImage();
    EXPECT_TRUE(drawn.count({1, 1}));
    EXPECT_TRUE(drawn.count({3, 5}));
    EXPECT_FALSE(drawn.count({0, 1}));
    EXPECT_FALSE(drawn.count({1, 0}));

    const QPoint inCell = grid.viewport()->mapTo(&grid, centre(2, 2));
    EXPECT_EQ(image.pixelColor(inCell), QColor(Qt::red));
}

TEST_F(GridWidget, FittingSizesColumnsToTheirWidestText)
{
    grid.setCellText(2, 3, "a much longer text than the others");
    for (int row = 0; row < grid.rowCount(); ++row)
        grid.setCellText(3, row, QString());
    grid.setColWidth(3, 77);
    grid.fitColumnWidths(10);

    const QFontMetrics metrics(grid.font());
    EXPECT_EQ(grid.colWidth(2), metrics.horizontalAdvance("a much longer text than the others") + 10);
    EXPECT_EQ(grid.colWidth(1), metrics.horizontalAdvance("c1r1") + 10);
    EXPECT_EQ(grid.colWidth(0), metrics.horizontalAdvance("5") + 10);
    EXPECT_EQ(grid.verticalHeader()->width(), grid.colWidth(0));
    EXPECT_EQ(grid.colWidth(3), 77);
}

TEST_F(GridWidget, GridWithoutFixedCellsShowsEveryCell)
{
    StringGrid list;
    list.setColCount(1);
    list.setRowCount(2);
    list.setCellText(0, 0, "first");
    list.setCellObject(0, 1, 7);
    list.show();
    EXPECT_FALSE(list.horizontalHeader()->isVisible());
    EXPECT_FALSE(list.verticalHeader()->isVisible());
    EXPECT_EQ(list.QTableView::model()->index(0, 0).data().toString(), "first");
    list.setCurrentCell(0, 1);
    EXPECT_EQ(list.gridSelection(), (GridRect{0, 1, 0, 1}));
    EXPECT_EQ(list.cellObject(0, 1), 7);
}

TEST_F(GridWidget, ShrinkingDropsCellsAndGrowingBringsEmptyOnes)
{
    grid.setRowCount(3);
    grid.setColCount(2);
    grid.setRowCount(6);
    grid.setColCount(4);
    EXPECT_EQ(cell(1, 2), "c1r2");
    EXPECT_EQ(cell(1, 4), "");
    EXPECT_EQ(cell(3, 1), "");
    EXPECT_EQ(grid.cellObject(3, 1), 0);
    grid.clearCells();
    EXPECT_EQ(cell(1, 2), "");
    EXPECT_EQ(cell(1, 0), "");
    EXPECT_EQ(grid.cellObject(1, 2), 0);
}

} // namespace
