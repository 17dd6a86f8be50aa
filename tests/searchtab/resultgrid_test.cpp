// The result grid: a row shows its text in the CAD view, rows are drawn by
// their state, edits are undone by Ctrl+Z and written back by Enter.

#include "searchtabfixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMainWindow>

namespace {

using SearchTabGrid = SearchTabTest;

TEST_F(SearchTabGrid, ClickedRowShowsItsHandleAndPointAndZooms)
{
    std::vector<cad::Handle> handles;
    for (int i = 0; i < 40; ++i)
        handles.push_back(drawing().addText(QStringLiteral("R%1").arg(i, 2, 10, QLatin1Char('0')).toStdU16String(),
                                            {i * 1.5, 100.0 / 3, 0}));
    search("");
    const int zooms = drawing().zoomCenterCount;

    grid().setCurrentCell(0, 2);

    EXPECT_EQ(tab().Label6->text(), "3 / 40");
    EXPECT_EQ(panel(0), handleText(handles[2]));
    EXPECT_EQ(panel(1), "3.000, 33.333");
    EXPECT_GT(drawing().zoomCenterCount, zooms);
    EXPECT_EQ(drawing().lastZoomCenter, (cad::Point{3.0, 100.0 / 3, 0}));
    EXPECT_FALSE(ui.windows.markers.empty());
}

TEST_F(SearchTabGrid, ClickOnTheEmptyRowOfNoResultsEmptiesTheCounts)
{
    search("NOTHING");
    tab().Label6->setText("x");
    ui.form().setStatusPanel(0, "x");
    tab().StringGrid2Click();
    EXPECT_EQ(tab().Label6->text(), "");
    EXPECT_EQ(panel(0), "");
}

TEST_F(SearchTabGrid, RowsAreDrawnGreyWhenLockedAndRedWhenChanged)
{
    drawing().addLayer(u"FIX", true);
    drawing().addText(u"A plain", {0, 0, 0});
    drawing().addText(u"B locked", {0, 0, 0}, u"FIX");
    drawing().addText(u"C changed", {0, 0, 0});
    drawing().addText(u"D locked changed", {0, 0, 0}, u"FIX");
    search("");
    grid().setCurrentCell(0, 0);
    ASSERT_FALSE(tab().SpeedButton15->isEnabled());

    QImage image = gridImage();
    const QColor grey(192, 192, 192), red(255, 0, 0);
    EXPECT_EQ(pixelsOfColour(image, 1, red), 0);
    EXPECT_EQ(pixelsOfColour(image, 2, red), 0);
    EXPECT_FALSE(tab().SpeedButton15->isEnabled()); // nothing changed yet

    grid().setCellText(0, 2, "C was changed");
    grid().setCellText(0, 3, "D was changed");
    image = gridImage();
    EXPECT_EQ(pixelsOfColour(image, 0, grey), 0);
    EXPECT_GT(pixelsOfColour(image, 1, grey), 0);
    EXPECT_EQ(pixelsOfColour(image, 1, red), 0);
    EXPECT_GT(pixelsOfColour(image, 2, red), 0);
    EXPECT_EQ(pixelsOfColour(image, 2, grey), 0);
    EXPECT_GT(pixelsOfColour(image, 3, red), 0);
    EXPECT_GT(pixelsOfColour(image, 3, grey), 0);
    EXPECT_TRUE(tab().SpeedButton15->isEnabled());
}

TEST_F(SearchTabGrid, EmptiedRowShowsItsRecordsTextAgainOnceItsEditIsOver)
{
    drawing().addText(u"KEEP", {0, 0, 0});
    drawing().addText(u"OTHER", {0, 0, 0});
    search("");
    grid().setCurrentCell(0, 0);
    grid().edit(grid().currentIndex());
    ASSERT_TRUE(grid().isEditorShowing());
    editor()->selectAll();
    QTest::keyClick(editor(), Qt::Key_Backspace);
    gridImage();
    EXPECT_EQ(editor()->text(), ""); // the user may still type a new text

    grid().setCurrentCell(0, 1); // leaves the edit
    QCoreApplication::processEvents();
    gridImage();
    EXPECT_EQ(grid().cellText(0, 0), "KEEP");
}

TEST_F(SearchTabGrid, EditorOpeningSavesTheCellForCtrlZ)
{
    drawing().addText(u"ORIGINAL", {0, 0, 0});
    search("");
    tab().CheckBox5->setChecked(false);
    tab().CheckBox8->setChecked(false);
    typeIntoRow(0, "NEW");
    EXPECT_EQ(ui.form().state().sgUndoCnt2, 1);
    pressEnter();
    ASSERT_FALSE(grid().isEditorShowing());
    ASSERT_EQ(grid().cellText(0, 0), "NEW");

    QTest::keyClick(&grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(grid().cellText(0, 0), "ORIGINAL");
    EXPECT_EQ(ui.form().state().sgUndoCnt2, 0);
    EXPECT_EQ(ui.form().undoCells2().Count(), 0);
}

TEST_F(SearchTabGrid, SixCellPasteIsUndoneByOneCtrlZ)
{
    for (const char16_t *text : {u"R0", u"R1", u"R2", u"R3", u"R4", u"R5", u"R6"})
        drawing().addText(text, {0, 0, 0});
    search("");
    typeIntoRow(6, "EARLIER");
    pressEnter(); // the CAD gets it; the saved cell stays on the stack
    ASSERT_EQ(grid().cellText(0, 6), "EARLIER");

    QGuiApplication::clipboard()->setText("P0\r\nP1\r\nP2\r\n");
    grid().setGridSelection(0, 0, 0, 5);
    QTest::keyClick(&grid(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(rows(), (QStringList{"P0", "P1", "P2", "P0", "P1", "P2", "EARLIER"}));
    EXPECT_EQ(ui.form().state().sgUndoCnt2, 6);

    QTest::keyClick(&grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(rows(), (QStringList{"R0", "R1", "R2", "R3", "R4", "R5", "EARLIER"}));
    QTest::keyClick(&grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(rows(), (QStringList{"R0", "R1", "R2", "R3", "R4", "R5", "R6"}));
    EXPECT_EQ(grid().currentRow(), 6);
}

// Enter on a row: with "Enter=更新" a changed row is written at once (a
// locked or vanished one gets its record's text back); with "Enter=[↓]"
// and the editor showing, the next row becomes current.
struct EnterCase
{
    const char *name;
    int row;             // 0 "A" plain, 1 "B" locked, 2 "C" erased after the search, 3 "D" last
    QString typed;       // empty: Enter without an edit
    bool enterWrites;    // "Enter=更新"
    bool enterMovesDown; // "Enter=[↓]"
    QString cellAfter;
    QString recordAfter;
    int undoStepsAdded;
    bool clickRuns; // StringGrid2Click ran: panel 0 shows a handle again
    int rowAfter;
};

class SearchTabEnter : public SearchTabTest, public ::testing::WithParamInterface<EnterCase>
{
};

TEST_P(SearchTabEnter, WritesTheChangedRowAndMovesOn)
{
    const EnterCase &c = GetParam();
    drawing().addLayer(u"FIX", true);
    const cad::Handle a = drawing().addText(u"A", {1, 2, 0});
    const cad::Handle b = drawing().addText(u"B", {0, 0, 0}, u"FIX");
    const cad::Handle erased = drawing().addText(u"C", {0, 0, 0});
    drawing().addText(u"D", {0, 0, 0});
    search("");
    drawing().deleteEntity(erased);
    tab().CheckBox5->setChecked(c.enterWrites);
    tab().CheckBox8->setChecked(c.enterMovesDown);
    const int steps = drawing().undoStepCount();

    if (c.typed.isEmpty()) {
        grid().setCurrentCell(0, c.row);
        grid().edit(grid().currentIndex());
    } else {
        typeIntoRow(c.row, c.typed);
    }
    ui.form().setStatusPanel(0, QString());
    pressEnter();

    EXPECT_EQ(grid().cellText(0, c.row), c.cellAfter);
    EXPECT_EQ(tab().SearchTexts[size_t(c.row)].text, c.recordAfter);
    EXPECT_EQ(drawing().undoStepCount() - steps, c.undoStepsAdded);
    EXPECT_EQ(!panel(0).isEmpty(), c.clickRuns);
    EXPECT_EQ(grid().currentRow(), c.rowAfter);
    EXPECT_EQ(textOf(b), u"B");
    if (c.row == 0) {
        EXPECT_EQ(QString::fromStdU16String(textOf(a)), c.recordAfter);
    }
}

const EnterCase EnterCases[] = {
    {"ChangedRowIsWrittenAndNextRowFollows", 0, "A2", true, true, "A2", "A2", 1, true, 1},
    {"ChangedRowWithoutMoving", 0, "A2", true, false, "A2", "A2", 1, true, 0},
    {"ChangedRowNotWrittenWithoutEnterUpdate", 0, "A2", false, false, "A2", "A", 0, false, 0},
    {"UnchangedRowWritesNothing", 0, "", true, false, "A", "A", 0, false, 0},
    // Moving makes the next row current, which shows it as a click does.
    {"UnchangedRowStillMovesDown", 0, "", true, true, "A", "A", 0, true, 1},
    {"LockedRowGetsItsTextBack", 1, "B2", true, true, "B", "B", 0, true, 2},
    // Not written: the row keeps the edit and stays changed, for "更新".
    {"VanishedEntityKeepsTheEdit", 2, "C2", true, true, "C2", "C", 0, true, 3},
    {"LastRowMovesToTheFirst", 3, "D2", true, true, "D2", "D2", 1, true, 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, SearchTabEnter, ::testing::ValuesIn(EnterCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(SearchTabGrid, EachEnterWriteIsAnUndoStepOfItsOwn)
{
    const cad::Handle a = drawing().addText(u"A", {0, 0, 0});
    const cad::Handle b = drawing().addText(u"B", {0, 0, 0});
    search("");
    const int steps = drawing().undoStepCount();
    typeIntoRow(0, "A2");
    pressEnter();
    typeIntoRow(1, "B2");
    pressEnter();
    EXPECT_EQ(drawing().undoStepCount() - steps, 2);
    EXPECT_EQ(drawing().undoDepth(), 0);
    ASSERT_TRUE(drawing().undo());
    EXPECT_EQ(textOf(a), u"A2");
    EXPECT_EQ(textOf(b), u"B");
}

TEST_F(SearchTabGrid, EnterWithCadGoneKeepsTheEditAndShowsTheRow)
{
    const cad::Handle h = drawing().addText(u"A", {0, 0, 0});
    drawing().addText(u"B", {0, 0, 0});
    search("");
    ui.rot.revoke(HeadlessForm::ProgId);
    const int zooms = drawing().zoomCenterCount;
    tab().CheckBox8->setChecked(false);
    typeIntoRow(0, "A2");
    ui.form().setStatusPanel(0, QString());
    pressEnter();
    EXPECT_EQ(grid().cellText(0, 0), "A2");
    EXPECT_EQ(tab().SearchTexts[0].text, "A");
    EXPECT_EQ(panel(0), handleText(h));
    EXPECT_EQ(drawing().zoomCenterCount, zooms);
}

TEST_F(SearchTabGrid, ColumnSpansTheGridWhenTheWindowIsResized)
{
    for (int i = 0; i < 30; ++i)
        drawing().addText(u"T", {0, 0, 0});
    search("");
    for (const QSize size : {QSize(500, 400), QSize(260, 300)}) {
        ui.form().resize(size);
        QCoreApplication::processEvents();
        EXPECT_EQ(grid().width(), tab().width());
        EXPECT_EQ(grid().colWidth(0), grid().viewport()->width());
    }
    // Resized while another tab is in front.
    ui.form().PageControl1->setCurrentIndex(0);
    ui.form().resize(QSize(420, 380));
    QCoreApplication::processEvents();
    ui.form().PageControl1->setCurrentIndex(2);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid().width(), tab().width());
    EXPECT_EQ(grid().colWidth(0), grid().viewport()->width());
    EXPECT_GT(grid().colWidth(0), 300);
}

} // namespace
