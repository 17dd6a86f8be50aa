#include "gridfixture.h"

#include "grid/gridundokey.h"
#include "grid/sortgridrows.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

namespace {

class GridUndoCells : public GridFixture
{
protected:
    // An earlier command: the cells of row 1 pasted over with o1, o2, o3.
    void pasteOldOverRow1()
    {
        grid.setGridSelection(GridRect{1, 1, 3, 1});
        setClipboard(QStringLiteral("o1\to2\to3\r\n"));
        ASSERT_TRUE(key(Qt::Key_V));
    }
};

TEST_F(GridUndoCells, OneCtrlZUndoesTheWholePasteThenOneEarlierRecord)
{
    pasteOldOverRow1();
    grid.setGridSelection(GridRect{1, 2, 1, 2});
    setClipboard(QStringLiteral("a\tb\tc\r\nd\te\tf\r\n"));
    ASSERT_TRUE(key(Qt::Key_V));
    ASSERT_EQ(undoCount, 6);
    EXPECT_EQ(cell(3, 3), "f");

    GridUndoKey(&grid, undo, undoCount);
    EXPECT_EQ(undoCount, 0);
    for (int row = 2; row <= 3; ++row)
        for (int col = 1; col <= 3; ++col)
            EXPECT_EQ(cell(col, row), QStringLiteral("c%1r%2").arg(col).arg(row));
    EXPECT_EQ(cell(3, 1), "o3");

    GridUndoKey(&grid, undo, undoCount);
    EXPECT_EQ(cell(3, 1), "c3r1");
    EXPECT_EQ(cell(2, 1), "o2");
    EXPECT_EQ(undo.Count(), 2);
}

TEST_F(GridUndoCells, UndoButtonTakesBackTheCounterEachClick)
{
    // Six records saved before the paste: two pastes of three cells each.
    pasteOldOverRow1();
    grid.setGridSelection(GridRect{1, 4, 1, 4});
    setClipboard(QStringLiteral("p1\tp2\tp3\r\n"));
    ASSERT_TRUE(key(Qt::Key_V));
    grid.setGridSelection(GridRect{1, 2, 1, 2});
    setClipboard(QStringLiteral("a\tb\tc\r\nd\te\tf\r\n"));
    ASSERT_TRUE(key(Qt::Key_V));
    ASSERT_EQ(undoCount, 6);

    const auto clickUndoButton = [this] {
        for (int i = 0; i < undoCount; ++i)
            undo.Undo(&grid);
    };
    clickUndoButton();
    EXPECT_EQ(undoCount, 6);
    EXPECT_EQ(cell(1, 2), "c1r2");
    EXPECT_EQ(cell(1, 4), "p1");

    clickUndoButton();
    EXPECT_EQ(cell(1, 4), "c1r4");
    EXPECT_EQ(cell(1, 1), "c1r1");
    EXPECT_EQ(undo.Count(), 0);
}

TEST_F(GridUndoCells, CtrlCAfterPasteLeavesOnlyTheLastPastedCellForCtrlZ)
{
    grid.setGridSelection(GridRect{1, 2, 1, 2});
    setClipboard(QStringLiteral("a\tb\tc\r\nd\te\tf\r\n"));
    ASSERT_TRUE(key(Qt::Key_V));
    ASSERT_TRUE(key(Qt::Key_C));
    EXPECT_EQ(undoCount, 1);

    GridUndoKey(&grid, undo, undoCount);
    EXPECT_EQ(cell(3, 3), "c3r3");
    EXPECT_EQ(cell(2, 3), "e");
    EXPECT_EQ(undo.Count(), 5);
}

TEST_F(GridUndoCells, WithoutCounterCtrlZUndoesOneRecord)
{
    undo.Add(&grid, 1, 1);
    grid.setCellText(1, 1, "x");
    undo.Add(&grid, 2, 1);
    grid.setCellText(2, 1, "y");

    GridUndoKey(&grid, undo, undoCount);
    EXPECT_EQ(cell(2, 1), "c2r1");
    EXPECT_EQ(cell(1, 1), "x");
}

TEST_F(GridUndoCells, LimitOfThreeDropsTheOldestRecordOfThatGrid)
{
    StringGrid other;
    other.setColCount(1);
    other.setRowCount(1);
    undo.SetUndoLevels(3);
    undo.Add(&other, 0, 0);
    for (int col = 1; col <= 3; ++col)
        undo.Add(&grid, col, 1);
    ASSERT_EQ(undo.LastOf(&grid)->UndoLevel(), 2);

    const TUndoCell *added = undo.Add(&grid, 1, 2);
    EXPECT_EQ(added->UndoLevel(), 2);
    EXPECT_EQ(undo.Count(), 4);
    EXPECT_EQ(undo.FirstOf(&grid)->X(), 2);
    std::vector<int> levels;
    for (int i = 0; i < undo.Count(); ++i) {
        if (undo.GetItem(i)->Grid() == &grid)
            levels.push_back(undo.GetItem(i)->UndoLevel());
    }
    EXPECT_EQ(levels, (std::vector<int>{0, 1, 2}));
    EXPECT_NE(undo.FirstOf(&other), nullptr);
}

TEST_F(GridUndoCells, UndoTouchesOnlyItsOwnGrid)
{
    StringGrid other;
    other.setColCount(2);
    other.setRowCount(2);
    other.setCellText(1, 1, "other");
    undo.Add(&other, 1, 1);
    other.setCellText(1, 1, "changed");
    undo.Add(&grid, 1, 1);
    grid.setCellText(1, 1, "changed");
    undo.Add(&other, 0, 0);

    undo.Undo(&grid);
    undo.Undo(&grid); // no record of grid left: nothing happens
    EXPECT_EQ(cell(1, 1), "c1r1");
    EXPECT_EQ(other.cellText(1, 1), "changed");
    EXPECT_EQ(undo.Count(), 2);

    undo.Undo(&other);
    undo.Undo(&other);
    EXPECT_EQ(other.cellText(1, 1), "other");
    EXPECT_EQ(undo.Count(), 0);
}

TEST_F(GridUndoCells, RestoredCellBecomesCurrent)
{
    undo.Add(&grid, 2, 4);
    grid.setCellText(2, 4, "x");
    grid.setGridSelection(GridRect{1, 1, 3, 2});

    undo.Undo(&grid);
    EXPECT_EQ(grid.currentCol(), 2);
    EXPECT_EQ(grid.currentRow(), 4);
    EXPECT_EQ(grid.gridSelection(), (GridRect{2, 4, 2, 4}));
}

TEST_F(GridUndoCells, EditorOpeningTwiceSavesTwoRecords)
{
    QObject::connect(&grid, &StringGrid::getEditText, [this](int col, int row) {
        undoCount = 1;
        undo.Add(&grid, col, row);
    });
    grid.show();
    const auto editCell = [this](const QString &typed) {
        grid.setCurrentCell(2, 2);
        const QModelIndex index = grid.currentIndex();
        grid.edit(index);
        auto *editor = qobject_cast<QLineEdit *>(grid.indexWidget(index));
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        ASSERT_FALSE(grid.isEditorShowing());
    };
    editCell("first");
    editCell("second");
    EXPECT_EQ(cell(2, 2), "second");
    ASSERT_EQ(undo.Count(), 2);
    EXPECT_EQ(undo.GetItem(1)->Text(), "first");

    undo.Undo(&grid);
    undo.Undo(&grid);
    EXPECT_EQ(cell(2, 2), "c2r2");
}

TEST_F(GridUndoCells, UndoAfterSortRestoresTheCellOfTheSameRow)
{
    // Rows 1..5 keyed descending in column 1, so the sort reverses them.
    for (int row = 1; row <= 5; ++row)
        grid.setCellText(1, row, QString::number(10 - row));
    undo.Add(&grid, 2, 1);
    grid.setCellText(2, 1, "edited");
    undoCount = 1;

    SortGridRows(&grid, 1, true, &undo);
    ASSERT_EQ(cell(0, 5), "1");
    EXPECT_EQ(cell(2, 5), "edited");

    GridUndoKey(&grid, undo, undoCount);
    EXPECT_EQ(cell(2, 5), "c2r1");
    EXPECT_EQ(cell(2, 1), "c2r5");
    EXPECT_EQ(grid.currentRow(), 5);
}

TEST_F(GridUndoCells, ClearDropsEveryGridsRecords)
{
    StringGrid other;
    other.setColCount(1);
    other.setRowCount(1);
    undo.Add(&grid, 1, 1);
    undo.Add(&other, 0, 0);
    undo.Clear();
    EXPECT_EQ(undo.Count(), 0);
    EXPECT_EQ(undo.LastOf(&grid), nullptr);
}

} // namespace
