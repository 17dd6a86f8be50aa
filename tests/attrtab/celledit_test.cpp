// Editing the grid: the cell undo stack with Ctrl+Z and "UNDO", the
// clipboard keys, the fixed-cell and mouse selections, the sorts with the
// undo records following their rows, the click on a cell and the colours.

#include "attrtabfixture.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QImage>

#include <functional>
#include <set>

namespace {

// --- Cell undo through the tab ---

class AttrTabUndo : public AttrTabTest
{
protected:
    void SetUp() override
    {
        acquireColumn(4);
        // One edit in the in-place editor, then a paste of 2 × 3 cells.
        grid()->setCurrentCell(1, 4);
        editCurrentCell("edited");
        QTest::keyClick(grid()->findChild<QLineEdit *>(), Qt::Key_Escape);
        grid()->setCellText(1, 4, "edited");
        setClipboard("a\tb\r\nc\td\r\ne\tf\r\n");
        select(1, 1, 1, 1);
        key(Qt::Key_V, Qt::ControlModifier);
    }
    const QStringList pasted1{"a", "c", "e", "edited"};
    const QStringList pasted2{"b", "d", "f", "S4"};
    const QStringList before1{"N1", "N2", "N3", "edited"};
    const QStringList before2{"S1", "S2", "S3", "S4"};
};

TEST_F(AttrTabUndo, AttrTabCtrlZUndoesTheWholePasteThenOneRecord)
{
    ASSERT_EQ(column(1), pasted1);
    ASSERT_EQ(column(2), pasted2);
    EXPECT_EQ(undoCount(), 6);

    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(column(1), before1);
    EXPECT_EQ(column(2), before2);
    EXPECT_EQ(undoCount(), 0);

    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell(1, 4), "N4");
    // The restored cell is the current one.
    EXPECT_EQ(grid()->currentCol(), 1);
    EXPECT_EQ(grid()->currentRow(), 4);
}

TEST_F(AttrTabUndo, AttrTabUndoButtonUndoesAsManyRecordsAsTheLastCommandSaved)
{
    tab().SpeedButton13->click();
    EXPECT_EQ(column(1), before1);
    EXPECT_EQ(undoCount(), 6);

    // The second click takes six records more: the edit, then nothing.
    tab().SpeedButton13->click();
    EXPECT_EQ(cell(1, 4), "N4");
    EXPECT_EQ(undoStack().Count(), 0);
}

TEST_F(AttrTabUndo, AttrTabCtrlCAfterAPasteLeavesOneCellToUndo)
{
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(undoCount(), 1);

    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(column(1), pasted1);
    EXPECT_EQ(column(2), QStringList({"b", "d", "S3", "S4"}));
}

TEST_F(AttrTabTest, AttrTabEditorOpeningSavesTheCellEachTime)
{
    acquireColumn(2);
    grid()->setCurrentCell(1, 1);
    QLineEdit *editor = editCurrentCell("first");
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return); // "Enter = 更新" writes it
    grid()->setCurrentCell(1, 1);
    editor = editCurrentCell("second");
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(undoCount(), 1);
    EXPECT_EQ(undoStack().Count(), 2);

    tab().SpeedButton13->click();
    EXPECT_EQ(cell(1, 1), "first");
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell(1, 1), "N1");
    // Written before, so the cell now differs from its attribute.
    EXPECT_EQ(tab().GridAttributes[size_t(grid()->cellObject(1, 1) - 1)].text, "second");
}

// --- Issue: undo after a sort restores the same attribute's cell ---

struct SortUndoCase
{
    const char *button;
    int sortButton; // 16, 17 or 18

    friend void PrintTo(const SortUndoCase &c, std::ostream *os)
    {
        *os << caseLabel(QStringLiteral("SpeedButton%1").arg(c.sortButton));
    }
};

class AttrTabUndoAfterSort : public AttrTabTest, public ::testing::WithParamInterface<SortUndoCase>
{};

TEST_P(AttrTabUndoAfterSort, AttrTabUndoAfterASortRestoresTheSameBlocksCell)
{
    // Twelve rows; SPEC holds numbers counting down, so every sort moves rows.
    std::vector<Handle> refs;
    for (int i = 1; i <= 12; ++i) {
        const std::u16string n = QString::number(i).toStdU16String();
        refs.push_back(addEquipment(u"N" + n, QString::number(13 - i).toStdU16String(), {0, 100.0 - i, 0}));
    }
    acquire(refs);
    // Sort once so that "取得順" has rows to move back.
    if (GetParam().sortButton == 16) {
        grid()->setCurrentCell(2, 1);
        tab().SpeedButton18->click();
    }
    // Edit the cell of block 2 (NAME "N2") in the editor, as the user does.
    const int row = int(column(1).indexOf("N2")) + 1;
    grid()->setCurrentCell(1, row);
    QLineEdit *editor = editCurrentCell("WRONG?");
    ASSERT_NE(editor, nullptr);
    tab().CheckBox7->setChecked(false);
    QTest::keyClick(editor, Qt::Key_Escape);
    grid()->setCellText(1, row, "edited");

    grid()->setCurrentCell(2, 1);
    switch (GetParam().sortButton) {
    case 16: tab().SpeedButton16->click(); break;
    case 17: tab().SpeedButton17->click(); break;
    default: tab().SpeedButton18->click(); break;
    }
    const int newRow = int(column(1).indexOf("edited")) + 1;
    ASSERT_GE(newRow, 1);
    ASSERT_NE(newRow, row) << "the sort should have moved the edited row";

    key(Qt::Key_Z, Qt::ControlModifier);

    EXPECT_EQ(cell(1, newRow), "N2") << GetParam().button;
    EXPECT_EQ(column(1).count("N2"), 1) << GetParam().button;
    EXPECT_EQ(grid()->currentRow(), newRow);
    // Every cell still shows its own attribute: "更新" changes nothing.
    const int stepsBefore = drawing().undoStepCount();
    tab().SpeedButton11->click();
    for (size_t i = 0; i < refs.size(); ++i) {
        const std::u16string n = QString::number(int(i) + 1).toStdU16String();
        EXPECT_EQ(textOf(attributeOf(refs[i], u"NAME")), u"N" + n) << GetParam().button;
        EXPECT_EQ(textOf(attributeOf(refs[i], u"SPEC")), QString::number(12 - int(i)).toStdU16String());
    }
    EXPECT_EQ(drawing().undoStepCount(), stepsBefore + 1);
}

INSTANTIATE_TEST_SUITE_P(Buttons, AttrTabUndoAfterSort,
                         ::testing::Values(SortUndoCase{"取得順", 16}, SortUndoCase{"文字順", 17},
                                           SortUndoCase{"数字順", 18}));

// --- The clipboard keys ---

TEST_F(AttrTabTest, AttrTabCopyGivesTabsAndALineEndAfterEveryRow)
{
    useTagSet(QStringLiteral("機器,NAME,SPEC,TYPE"));
    const Handle a =
        drawing().addBlockReference(u"EQ", {0, 10, 0}, {{u"NAME", u"a"}, {u"SPEC", u"b"}, {u"TYPE", u"c"}});
    const Handle d = drawing().addBlockReference(u"EQ", {0, 0, 0}, {{u"NAME", u"d"}, {u"SPEC", u"e"}, {u"TYPE", u"f"}});
    acquire({a, d});
    select(1, 1, 3, 2);

    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), "a\tb\tc\r\nd\te\tf\r\n");

    // The corner cell selects all data cells, without header and numbers.
    setClipboard(QString());
    auto *corner = grid()->findChild<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(corner, nullptr);
    corner->click();
    EXPECT_EQ(grid()->gridSelection(), (GridRect{1, 1, 3, 2}));
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), "a\tb\tc\r\nd\te\tf\r\n");
    EXPECT_EQ(undoCount(), 1);

    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(column(1), QStringList({"", ""}));
    EXPECT_EQ(undoCount(), 6);
}

struct PasteCase
{
    const char *name;
    QString clipboard;
    int left, top, right, bottom;
    QStringList names;   // column 1 after the paste
    QStringList specs;   // column 2
    int undoCount;
    int stored;          // records on the undo stack

    friend void PrintTo(const PasteCase &c, std::ostream *os)
    {
        *os << caseLabel(QString::fromUtf8(c.name));
    }
};

class AttrTabPaste : public AttrTabTest, public ::testing::WithParamInterface<PasteCase>
{};

TEST_P(AttrTabPaste, AttrTabPasteTilesTheLinesOverTheSelection)
{
    const PasteCase &c = GetParam();
    acquireColumn(6);
    setClipboard(c.clipboard);
    select(c.left, c.top, c.right, c.bottom);

    key(Qt::Key_V, Qt::ControlModifier);

    EXPECT_EQ(column(1), c.names) << c.name;
    EXPECT_EQ(column(2), c.specs) << c.name;
    EXPECT_EQ(undoCount(), c.undoCount) << c.name;
    EXPECT_EQ(undoStack().Count(), c.stored) << c.name;
    EXPECT_EQ(grid()->rowCount(), 7);
    EXPECT_EQ(grid()->colCount(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AttrTabPaste,
    ::testing::Values(
        PasteCase{"2 lines of 2 fields over 5 rows", "1\tx\r\n2\ty\r\n", 1, 1, 1, 5,
                  {"1", "2", "1", "2", "1", "N6"}, {"x", "y", "x", "y", "x", "S6"}, 10, 10},
        PasteCase{"3 lines over one cell", "p\r\nq\r\nr\r\n", 1, 2, 1, 2,
                  {"N1", "p", "q", "r", "N5", "N6"}, {"S1", "S2", "S3", "S4", "S5", "S6"}, 3, 3},
        PasteCase{"no line break: nothing", "lonely", 1, 1, 2, 3,
                  {"N1", "N2", "N3", "N4", "N5", "N6"}, {"S1", "S2", "S3", "S4", "S5", "S6"}, 1, 0},
        PasteCase{"beyond the last row and column: dropped", "u\tv\tw\r\nx\ty\tz\r\n", 2, 6, 2, 6,
                  {"N1", "N2", "N3", "N4", "N5", "N6"}, {"S1", "S2", "S3", "S4", "S5", "u"}, 1, 1}));

TEST_F(AttrTabTest, AttrTabDeleteEmptiesARangeButNotASingleCell)
{
    acquireColumn(3);
    select(1, 2, 1, 2);
    key(Qt::Key_Delete);
    EXPECT_EQ(cell(1, 2), "N2");

    select(1, 1, 2, 2);
    key(Qt::Key_Delete);
    EXPECT_EQ(column(1), QStringList({"", "", "N3"}));
    EXPECT_EQ(column(2), QStringList({"", "", "S3"}));
    EXPECT_EQ(undoCount(), 4);

    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(column(1), QStringList({"N1", "N2", "N3"}));
    EXPECT_EQ(column(2), QStringList({"S1", "S2", "S3"}));
}

// --- Selections ---

TEST_F(AttrTabTest, AttrTabFixedCellClicksSelectRowsColumnsOrAll)
{
    acquireColumn(3);
    const QHeaderView *columns = grid()->horizontalHeader();
    const QHeaderView *rows = grid()->verticalHeader();

    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, QPoint(5, rows->sectionViewportPosition(1) + 5));
    EXPECT_EQ(grid()->gridSelection(), (GridRect{1, 2, 2, 2}));

    QTest::mouseClick(columns->viewport(), Qt::LeftButton, {}, QPoint(columns->sectionViewportPosition(1) + 5, 5));
    EXPECT_EQ(grid()->gridSelection(), (GridRect{2, 1, 2, 3}));
}

TEST_F(AttrTabTest, AttrTabMouseDragSelectsARangeOfDataCells)
{
    acquireColumn(4);
    QWidget *viewport = grid()->viewport();
    const QPoint start = grid()->cellRect(1, 1).center();
    const QPoint end = grid()->cellRect(2, 3).center();

    QTest::mousePress(viewport, Qt::LeftButton, {}, start);
    QMouseEvent move(QEvent::MouseMove, end, viewport->mapToGlobal(end), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, end);

    EXPECT_EQ(grid()->gridSelection(), (GridRect{1, 1, 2, 3}));
    EXPECT_EQ(grid()->dragState().startCol, -1);
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), "N1\tS1\r\nN2\tS2\r\nN3\tS3\r\n");
}

// --- Sorting ---

struct SortCase
{
    const char *button;
    int sortButton;
    QStringList order;

    friend void PrintTo(const SortCase &c, std::ostream *os)
    {
        *os << caseLabel(QStringLiteral("SpeedButton%1").arg(c.sortButton));
    }
};

class AttrTabSort : public AttrTabTest, public ::testing::WithParamInterface<SortCase>
{};

TEST_P(AttrTabSort, AttrTabSortButtonsOrderTheRows)
{
    std::vector<Handle> refs;
    const std::vector<std::u16string> texts = {u"10", u"9", u"abc", u""};
    for (size_t i = 0; i < texts.size(); ++i)
        refs.push_back(addEquipment(texts[i], u"", {0, 100.0 - double(i), 0}));
    acquire(refs);
    grid()->setCurrentCell(1, 1);

    (GetParam().sortButton == 17 ? tab().SpeedButton17 : tab().SpeedButton18)->click();

    EXPECT_EQ(column(1), GetParam().order) << GetParam().button;
    // Row numbers and references travel with their rows.
    for (int row = 1; row <= 4; ++row) {
        const int block = cell(0, row).toInt();
        EXPECT_EQ(cell(1, row), QString::fromStdU16String(texts[size_t(block - 1)]));
        EXPECT_EQ(tab().GridAttributes[size_t(grid()->cellObject(1, row) - 1)].text, cell(1, row));
    }
}

INSTANTIATE_TEST_SUITE_P(Buttons, AttrTabSort,
                         ::testing::Values(SortCase{"数字順", 18, {"abc", "", "9", "10"}},
                                           SortCase{"文字順", 17, {"", "10", "9", "abc"}}));

TEST_F(AttrTabTest, AttrTabAcquisitionOrderSortsRowNumbersAsText)
{
    acquireColumn(12);
    grid()->setCurrentCell(1, 1);
    tab().SpeedButton17->click(); // 文字順 by NAME: N1, N10, N11, N12, N2 …
    tab().SpeedButton16->click();

    EXPECT_EQ(column(0), QStringList({"1", "10", "11", "12", "2", "3", "4", "5", "6", "7", "8", "9"}));
}

TEST_F(AttrTabTest, AttrTabSortByColumnNeedsADataColumn)
{
    acquireColumn(3);
    grid()->setCurrentCell(2, 1);
    grid()->clearSelection();
    grid()->setCurrentIndex(QModelIndex());
    tab().SpeedButton17->click();
    EXPECT_EQ(column(1), QStringList({"N1", "N2", "N3"}));
}

// --- Click on a cell ---

TEST_F(AttrTabTest, AttrTabClickShowsTheAttributeAndCentresTheViewAfterASort)
{
    const std::vector<Handle> refs = {addEquipment(u"N1", u"c", {0, 30, 0}), addEquipment(u"N2", u"b", {0, 20, 0}),
                                      addEquipment(u"N3", u"a", {0, 10, 0})};
    acquire(refs);
    tab().CheckBox6->setChecked(true);
    grid()->setCurrentCell(2, 1);
    tab().SpeedButton17->click(); // 文字順 by SPEC: the rows turn round
    ASSERT_EQ(column(1), QStringList({"N3", "N2", "N1"}));
    const int row = 1;
    grid()->setCurrentCell(1, 3);

    grid()->setCurrentCell(2, row);

    const Handle spec = attributeOf(refs[2], u"SPEC");
    EXPECT_EQ(ui.form().statusPanelText(0), QString::fromStdU16String(cad::handleToString(spec)));
    EXPECT_EQ(ui.form().statusPanelText(1), "a");
    EXPECT_EQ(drawing().lastZoomCenter, drawing().entity(spec)->insertionPoint);
    EXPECT_TRUE(grid()->editingEnabled());
}

TEST_F(AttrTabTest, AttrTabClickOnAGreyCellClearsThePanelsAndLocksTheEditor)
{
    const Handle a = drawing().addBlockReference(u"EQ", {0, 0, 0}, {{u"NAME", u"only name"}});
    acquire({a});
    grid()->setCurrentCell(1, 1);
    EXPECT_FALSE(ui.form().statusPanelText(0).isEmpty());

    grid()->setCurrentCell(2, 1);

    EXPECT_EQ(ui.form().statusPanelText(0), "");
    EXPECT_FALSE(grid()->editingEnabled());
    key(Qt::Key_A);
    EXPECT_FALSE(grid()->isEditorShowing());
}

// --- Colours ---

TEST_F(AttrTabTest, AttrTabDrawsGreyCellsAndRedChangedText)
{
    const Handle a = drawing().addBlockReference(u"EQ", {0, 10, 0}, {{u"NAME", u"WWWW"}});
    const Handle b = addEquipment(u"WWWW", u"WWWW", {0, 0, 0});
    acquire({a, b});
    grid()->setCellText(1, 2, "MMMM");
    grid()->setCurrentCell(2, 2);
    grid()->clearSelection();
    ui.form().resize(600, 400);
    QCoreApplication::processEvents();

    const QImage image = grid()->viewport()->grab().toImage();
    const auto colours = [&](int col, int row) {
        std::set<QRgb> seen;
        const QRect r = grid()->cellRect(col, row).adjusted(1, 1, -1, -1);
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                seen.insert(image.pixel(x, y) & 0xFFFFFF);
        return seen;
    };
    EXPECT_EQ(colours(2, 1), std::set<QRgb>{0xC0C0C0}); // no attribute: all grey
    EXPECT_TRUE(colours(1, 2).count(0xFF0000));          // changed: red text
    EXPECT_FALSE(colours(1, 1).count(0xFF0000));         // unchanged
}

} // namespace

namespace {

// --- The right button ---

// Where a right-click lands: a widget of the grid and a point in it.
struct RightClickCase
{
    const char *name;
    std::function<std::pair<QWidget *, QPoint>(StringGrid *)> spot;

    friend void PrintTo(const RightClickCase &c, std::ostream *os) { *os << c.name; }
};

class AttrTabRightClick : public AttrTabTest, public ::testing::WithParamInterface<RightClickCase>
{};

TEST_P(AttrTabRightClick, AttrTabRightClickOpensTheMenuOverTheSelectionAsItIs)
{
    acquireColumn(4);
    tab().CheckBox6->setChecked(true);
    select(1, 1, 2, 2);
    ui.form().setStatusPanel(0, "before");
    const int zooms = drawing().zoomCenterCount;

    const auto [widget, pos] = GetParam().spot(grid());
    QTest::mousePress(widget, Qt::RightButton, {}, pos);
    QTest::mouseRelease(widget, Qt::RightButton, {}, pos);
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, pos, widget->mapToGlobal(pos));
    QApplication::sendEvent(widget, &menuEvent);

    EXPECT_TRUE(tab().PopupMenu2->isVisible()) << GetParam().name;
    tab().PopupMenu2->hide();
    EXPECT_EQ(grid()->gridSelection(), (GridRect{1, 1, 2, 2})) << GetParam().name;
    EXPECT_EQ(grid()->currentCol(), 1);
    EXPECT_EQ(grid()->currentRow(), 1);
    EXPECT_FALSE(grid()->isEditorShowing());
    EXPECT_EQ(ui.form().statusPanelText(0), "before"); // no click handler ran
    EXPECT_EQ(drawing().zoomCenterCount, zooms);        // the view stayed

    // The menu's command then works on the cells the user selected.
    tab().N32->trigger();
    EXPECT_EQ(column(1), QStringList({"Ｎ１", "Ｎ２", "N3", "N4"}));
    EXPECT_EQ(column(2), QStringList({"Ｓ１", "Ｓ２", "S3", "S4"}));
}

INSTANTIATE_TEST_SUITE_P(
    Spots, AttrTabRightClick,
    ::testing::Values(
        RightClickCase{"DataCellOutsideTheSelection",
                       [](StringGrid *g) { return std::pair<QWidget *, QPoint>(g->viewport(), g->cellRect(2, 4).center()); }},
        RightClickCase{"DataCellInsideTheSelection",
                       [](StringGrid *g) { return std::pair<QWidget *, QPoint>(g->viewport(), g->cellRect(2, 2).center()); }},
        RightClickCase{"FixedRow",
                       [](StringGrid *g) {
                           QHeaderView *h = g->horizontalHeader();
                           return std::pair<QWidget *, QPoint>(h->viewport(), QPoint(h->sectionViewportPosition(1) + 5, 5));
                       }},
        RightClickCase{"FixedColumn", [](StringGrid *g) {
                           QHeaderView *h = g->verticalHeader();
                           return std::pair<QWidget *, QPoint>(h->viewport(), QPoint(5, h->sectionViewportPosition(3) + 5));
                       }}),
    [](const ::testing::TestParamInfo<RightClickCase> &info) { return std::string(info.param.name); });

} // namespace
