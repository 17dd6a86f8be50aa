#include "gridfixture.h"

#include "grid/clipboardtext.h"
#include "grid/gridundokey.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QTest>

namespace {

using GridClipboard = GridFixture;

TEST_F(GridClipboard, CopyGivesTabSeparatedRowsEachEndedByCrLf)
{
    grid.setCellText(1, 2, "a");
    grid.setCellText(2, 2, "b");
    grid.setCellText(3, 2, "c");
    grid.setCellText(1, 3, "d");
    grid.setCellText(2, 3, "e");
    grid.setCellText(3, 3, "f");
    grid.setGridSelection(GridRect{1, 2, 3, 3});
    undoCount = 7;

    EXPECT_TRUE(key(Qt::Key_C));
    EXPECT_EQ(clipboard(), "a\tb\tc\r\nd\te\tf\r\n");
    EXPECT_EQ(undoCount, 1);
    EXPECT_EQ(undo.Count(), 0);
    EXPECT_EQ(cell(2, 2), "b");
}

TEST_F(GridClipboard, CutCopiesThenEmptiesAndSavesEachCell)
{
    grid.setGridSelection(GridRect{2, 1, 3, 2});
    EXPECT_TRUE(key(Qt::Key_X, Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_EQ(clipboard(), "c2r1\tc3r1\r\nc2r2\tc3r2\r\n");
    EXPECT_EQ(undoCount, 4);
    EXPECT_EQ(cell(2, 1), "");
    EXPECT_EQ(cell(3, 2), "");
    EXPECT_EQ(cell(1, 1), "c1r1");

    GridUndoKey(&grid, undo, undoCount);
    EXPECT_EQ(cell(2, 1), "c2r1");
    EXPECT_EQ(cell(3, 2), "c3r2");
}

TEST_F(GridClipboard, PasteTilesTheLinesDownOverATallerSelection)
{
    fill(4, 8);
    grid.setGridSelection(GridRect{1, 2, 1, 6});
    setClipboard("x1\ty1\r\nx2\ty2\r\n");

    EXPECT_TRUE(key(Qt::Key_V));
    const QStringList expected{"1", "2", "1", "2", "1"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(cell(1, 2 + i), "x" + expected[i]) << "row " << 2 + i;
        EXPECT_EQ(cell(2, 2 + i), "y" + expected[i]) << "row " << 2 + i;
    }
    EXPECT_EQ(cell(1, 7), "c1r7");
    EXPECT_EQ(cell(3, 2), "c3r2");
    EXPECT_EQ(undoCount, 10);
}

TEST_F(GridClipboard, PasteOfThreeLinesOverOneCellWritesThreeRows)
{
    grid.setCurrentCell(2, 1);
    setClipboard("p\r\nq\r\nr\r\n");

    EXPECT_TRUE(key(Qt::Key_V));
    EXPECT_EQ(cell(2, 1), "p");
    EXPECT_EQ(cell(2, 2), "q");
    EXPECT_EQ(cell(2, 3), "r");
    EXPECT_EQ(cell(2, 4), "c2r4");
    EXPECT_EQ(undoCount, 3);
}

TEST_F(GridClipboard, OnlyCrLfEndsALine)
{
    struct Case
    {
        QString clipboard;
        QString cell11;
        QString cell12;
        int undoCount;
    };
    const Case cases[] = {
        {"no line break", "c1r1", "c1r2", 1},
        {"a\nb\rc\r\ntail", "a\nb\rc", "c1r2", 1},
        {"", "c1r1", "c1r2", 1},
        {"\r\n\r\n", "", "", 2},
    };
    for (const Case &c : cases) {
        fill(4, 6);
        undo.Clear();
        undoCount = 5;
        grid.setCurrentCell(1, 1);
        setClipboard(c.clipboard);
        EXPECT_TRUE(key(Qt::Key_V));
        EXPECT_EQ(cell(1, 1), c.cell11) << c.clipboard.toStdString();
        EXPECT_EQ(cell(1, 2), c.cell12) << c.clipboard.toStdString();
        EXPECT_EQ(undoCount, c.undoCount) << c.clipboard.toStdString();
    }
}

TEST_F(GridClipboard, PasteReadsThroughTheInstalledClipboardReader)
{
    // As on Windows, where the platform reads another program's text as it
    // was put there: the rows end in CR LF although Qt's own reading would
    // have turned them into LF.
    setClipboard("a\tb\nc\td\n");
    setClipboardTextReader([] { return QStringLiteral("a\tb\r\nc\td\r\n"); });
    grid.setCurrentCell(1, 1);
    EXPECT_TRUE(key(Qt::Key_V));
    setClipboardTextReader({});
    EXPECT_EQ(cell(1, 1), "a");
    EXPECT_EQ(cell(2, 1), "b");
    EXPECT_EQ(cell(1, 2), "c");
    EXPECT_EQ(cell(2, 2), "d");
    EXPECT_EQ(clipboardText(), "a\tb\nc\td\n") << "without a reader, Qt's text again";
}

TEST_F(GridClipboard, DeleteEmptiesOnlyARangeOfCells)
{
    grid.setCurrentCell(2, 2);
    EXPECT_FALSE(key(Qt::Key_Delete, Qt::NoModifier));
    EXPECT_EQ(cell(2, 2), "c2r2");
    EXPECT_EQ(undo.Count(), 0);

    grid.setGridSelection(GridRect{2, 2, 2, 4});
    EXPECT_TRUE(key(Qt::Key_Delete, Qt::NoModifier));
    EXPECT_EQ(undoCount, 3);
    for (int row = 2; row <= 4; ++row)
        EXPECT_EQ(cell(2, row), "");

    GridUndoKey(&grid, undo, undoCount);
    for (int row = 2; row <= 4; ++row)
        EXPECT_EQ(cell(2, row), QStringLiteral("c2r%1").arg(row));
}

TEST_F(GridClipboard, OtherKeysAreLeftToTheGrid)
{
    grid.setGridSelection(GridRect{1, 1, 2, 2});
    undoCount = 4;
    EXPECT_FALSE(key(Qt::Key_C, Qt::NoModifier));
    EXPECT_FALSE(key(Qt::Key_V, Qt::ShiftModifier));
    EXPECT_FALSE(key(Qt::Key_A));
    EXPECT_EQ(undoCount, 4);
    EXPECT_EQ(cell(1, 1), "c1r1");
}

TEST_F(GridClipboard, FieldsBeyondTheLastRowAndColumnAreNeverStored)
{
    grid.setCurrentCell(3, 5); // the last data cell
    setClipboard("k\tbeyond\r\nbelow\tfar\r\n");

    EXPECT_TRUE(key(Qt::Key_V));
    EXPECT_EQ(cell(3, 5), "k");
    EXPECT_EQ(undoCount, 1);
    EXPECT_EQ(undo.Count(), 1);

    grid.setColCount(6);
    grid.setRowCount(8);
    for (int row = 0; row < 8; ++row)
        for (int col = 4; col < 6; ++col)
            EXPECT_EQ(cell(col, row), "") << col << "," << row;
    EXPECT_EQ(cell(3, 6), "");
    EXPECT_EQ(grid.cellObject(4, 5), 0);
}

// Clicks on the fixed cells select as the grid's label tells the user.
TEST_F(GridClipboard, FixedCellClicksSelectAndCornerCopiesTheWholeTable)
{
    grid.resize(400, 300);
    grid.show();
    std::vector<QPoint> reported;
    QObject::connect(&grid, &StringGrid::fixedCellClicked,
                     [&reported](int col, int row) { reported.emplace_back(col, row); });

    QHeaderView *columns = grid.horizontalHeader();
    QTest::mouseClick(columns->viewport(), Qt::LeftButton, {},
                      QPoint(columns->sectionViewportPosition(1) + 5, 5));
    EXPECT_EQ(grid.gridSelection(), (GridRect{2, 1, 2, 5}));

    QHeaderView *rows = grid.verticalHeader();
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                      QPoint(5, rows->sectionViewportPosition(2) + 5));
    EXPECT_EQ(grid.gridSelection(), (GridRect{1, 3, 3, 3}));

    auto *corner = grid.findChild<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(corner, nullptr);
    QTest::mouseClick(corner, Qt::LeftButton);
    EXPECT_EQ(grid.gridSelection(), (GridRect{1, 1, 3, 5}));
    EXPECT_EQ(reported, (std::vector<QPoint>{{2, 0}, {0, 3}, {0, 0}}));

    EXPECT_TRUE(key(Qt::Key_C));
    QString table;
    for (int row = 1; row <= 5; ++row)
        table += QStringLiteral("c1r%1\tc2r%1\tc3r%1\r\n").arg(row);
    EXPECT_EQ(clipboard(), table);
}

} // namespace
