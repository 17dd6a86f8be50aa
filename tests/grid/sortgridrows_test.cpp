#include "gridfixture.h"

#include "grid/sortgridrows.h"

namespace {

class GridSort : public GridFixture
{
protected:
    // Data rows 1.. get the keys in column 1; column 0 keeps the row
    // numbers and column 2 the object slots, to see whole rows move.
    void setKeys(const QStringList &keys)
    {
        fill(3, int(keys.size()) + 1);
        for (int i = 0; i < keys.size(); ++i)
            grid.setCellText(1, i + 1, keys[i]);
    }
    QStringList column(int col) const
    {
        QStringList texts;
        for (int row = 1; row < grid.rowCount(); ++row)
            texts << cell(col, row);
        return texts;
    }
};

TEST_F(GridSort, TextAndNumberOrderOfMixedKeys)
{
    struct Case
    {
        bool numeric;
        QStringList sortedKeys;
        QStringList rowNumbers;
    };
    const Case cases[] = {
        {true, {"abc", "", "9", "10"}, {"3", "4", "2", "1"}},
        {false, {"", "10", "9", "abc"}, {"4", "1", "2", "3"}},
    };
    for (const Case &c : cases) {
        setKeys({"10", "9", "abc", ""});
        SortGridRows(&grid, 1, c.numeric, nullptr);
        EXPECT_EQ(column(1), c.sortedKeys) << "numeric " << c.numeric;
        EXPECT_EQ(column(0), c.rowNumbers) << "numeric " << c.numeric;
        for (int row = 1; row <= 4; ++row) {
            const int oldRow = cell(0, row).toInt();
            EXPECT_EQ(cell(2, row), QStringLiteral("c2r%1").arg(oldRow));
            EXPECT_EQ(grid.cellObject(2, row), 100 * oldRow + 2);
        }
        EXPECT_EQ(cell(1, 0), "H1");
    }
}

TEST_F(GridSort, RowNumbersSortAsText)
{
    fill(3, 13);
    SortGridRows(&grid, 0, false, nullptr);
    EXPECT_EQ(column(0), QStringList({"1", "10", "11", "12", "2", "3", "4", "5", "6", "7", "8", "9"}));
}

TEST_F(GridSort, TextComparesUtf16CodeUnits)
{
    // U+1F600 is stored as D83D DE00, below U+FF61; "a" is below "ab"
    // and "B" below "a".
    const QString emoji = QString::fromUtf16(u"\U0001F600");
    setKeys({QStringLiteral("\uFF61"), emoji, "ab", "a", "B"});
    SortGridRows(&grid, 1, false, nullptr);
    EXPECT_EQ(column(1), QStringList({"B", "a", "ab", emoji, QStringLiteral("\uFF61")}));
}

TEST_F(GridSort, NumbersAndEqualKeys)
{
    // Equal keys keep no particular order: here the exchanges with the
    // smaller "1" put the second 2 before the first.
    setKeys({"2", "2.0", "1", "-3.5", "x"});
    SortGridRows(&grid, 1, true, nullptr);
    EXPECT_EQ(column(1), QStringList({"-3.5", "x", "1", "2.0", "2"}));
}

TEST_F(GridSort, NotANumberCountsAsGreaterInEveryComparison)
{
    // "nan" reads as a number that no comparison can order; each such
    // comparison counts as greater, so the rows are exchanged as it says.
    setKeys({"2", "nan", "1"});
    SortGridRows(&grid, 1, true, nullptr);
    EXPECT_EQ(column(1), QStringList({"1", "nan", "2"}));
}

TEST_F(GridSort, FewerThanTwoDataRowsStayAsTheyAre)
{
    setKeys({"b"});
    SortGridRows(&grid, 1, false, nullptr);
    EXPECT_EQ(column(1), QStringList({"b"}));
    EXPECT_EQ(grid.rowCount(), 2);
}

TEST_F(GridSort, AGridWithoutFixedRowSortsFromItsFirstRow)
{
    StringGrid list;
    list.setColCount(1);
    list.setRowCount(3);
    list.setCellText(0, 0, "c");
    list.setCellText(0, 1, "a");
    list.setCellText(0, 2, "b");
    list.setCellObject(0, 0, 1);
    SortGridRows(&list, 0, false, nullptr);
    EXPECT_EQ(list.cellText(0, 0), "a");
    EXPECT_EQ(list.cellText(0, 2), "c");
    EXPECT_EQ(list.cellObject(0, 2), 1);
}

TEST_F(GridSort, HundredThousandRowsFillAndSort)
{
    const int rows = 100000;
    fill(3, 1);
    grid.setRowCount(rows + 1);
    for (int row = 1; row <= rows; ++row) {
        grid.setCellText(0, row, QString::number(row));
        // Many equal keys, in a scrambled order.
        grid.setCellText(1, row, QString::number((row * 7919) % 1000));
        grid.setCellObject(1, row, row);
    }
    SortGridRows(&grid, 1, true, &undo);

    std::vector<bool> seen(rows + 1, false);
    int previous = -1;
    for (int row = 1; row <= rows; ++row) {
        const int key = cell(1, row).toInt();
        ASSERT_LE(previous, key) << "row " << row;
        previous = key;
        const int oldRow = grid.cellObject(1, row);
        ASSERT_EQ(cell(0, row).toInt(), oldRow);
        ASSERT_FALSE(seen[size_t(oldRow)]);
        seen[size_t(oldRow)] = true;
    }
}

} // namespace
