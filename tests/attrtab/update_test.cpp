// "更新" and Enter: writing cells back into their attributes.

#include "attrtabfixture.h"

#include "grid/sortgridrows.h"

namespace {

TEST_F(AttrTabTest, AttrTabUpdateWritesEveryCellInOneUndoStep)
{
    const std::vector<Handle> refs = acquireColumn(3);
    grid()->setCellText(2, 2, "S2-new");
    const int stepsBefore = drawing().undoStepCount();
    drawing().clearCallLog();

    tab().SpeedButton11->click();

    EXPECT_EQ(drawing().callCount(u"TextString"), 6);
    EXPECT_EQ(drawing().undoStepCount(), stepsBefore + 1);
    EXPECT_EQ(drawing().undoDepth(), 0);
    EXPECT_EQ(textOf(attributeOf(refs[1], u"SPEC")), u"S2-new");
    EXPECT_EQ(textOf(attributeOf(refs[1], u"NAME")), u"N2");
    EXPECT_EQ(tab().GridAttributes[size_t(grid()->cellObject(2, 2) - 1)].text, "S2-new");
    EXPECT_TRUE(tab().SpeedButton11->isEnabled());

    // One undo of the CAD takes the whole update back.
    ASSERT_TRUE(drawing().undo());
    EXPECT_EQ(textOf(attributeOf(refs[1], u"SPEC")), u"S2");
}

TEST_F(AttrTabTest, AttrTabUpdateOfAGreyGridStillMakesOneEmptyUndoStep)
{
    useTagSet(QStringLiteral("名前だけ"));
    acquire({addEquipment(u"P", u"", {0, 0, 0})});
    const int stepsBefore = drawing().undoStepCount();
    drawing().clearCallLog();

    tab().SpeedButton11->click();

    EXPECT_EQ(drawing().callCount(u"StartUndoMark"), 1);
    EXPECT_EQ(drawing().callCount(u"EndUndoMark"), 1);
    EXPECT_EQ(drawing().callCount(u"HandleToObject"), 0);
    EXPECT_GE(drawing().undoStepCount(), stepsBefore);
}

TEST_F(AttrTabTest, AttrTabUpdateSkipsTheCellsOfAnErasedBlockReference)
{
    const std::vector<Handle> refs = acquireColumn(3);
    for (int row = 1; row <= 3; ++row)
        grid()->setCellText(1, row, cell(1, row) + "*");
    drawing().deleteEntity(refs[1]);

    tab().SpeedButton11->click();

    EXPECT_EQ(textOf(attributeOf(refs[0], u"NAME")), u"N1*");
    EXPECT_EQ(textOf(attributeOf(refs[2], u"NAME")), u"N3*");
    // The erased row's record keeps its text: the cell stays changed.
    EXPECT_EQ(tab().GridAttributes[size_t(grid()->cellObject(1, 2) - 1)].text, "N2");
    EXPECT_EQ(drawing().undoDepth(), 0);
    EXPECT_TRUE(ui.messages.shown.empty());
}

TEST_F(AttrTabTest, AttrTabUpdateThatCannotOpenTheUndoStepWritesNothingQuietly)
{
    const std::vector<Handle> refs = acquireColumn(2);
    grid()->setCellText(1, 1, "changed");
    drawing().failMember(u"StartUndoMark");

    tab().SpeedButton11->click();

    EXPECT_EQ(textOf(attributeOf(refs[0], u"NAME")), u"N1");
    EXPECT_EQ(drawing().undoDepth(), 0);
    EXPECT_TRUE(ui.messages.shown.empty());
}

TEST_F(AttrTabTest, AttrTabUpdateAfterASortWritesEachCellToItsOwnAttribute)
{
    const std::vector<Handle> refs = acquireColumn(3);
    grid()->setCellText(1, 1, "Z-top");
    grid()->setCellText(1, 3, "A-bottom");
    grid()->setCurrentCell(1, 1);
    tab().SpeedButton17->click(); // 文字順: A-bottom, N2, Z-top

    ASSERT_EQ(column(1), QStringList({"A-bottom", "N2", "Z-top"}));
    tab().SpeedButton11->click();

    EXPECT_EQ(textOf(attributeOf(refs[0], u"NAME")), u"Z-top");
    EXPECT_EQ(textOf(attributeOf(refs[1], u"NAME")), u"N2");
    EXPECT_EQ(textOf(attributeOf(refs[2], u"NAME")), u"A-bottom");
    EXPECT_EQ(textOf(attributeOf(refs[0], u"SPEC")), u"S1");
    EXPECT_EQ(textOf(attributeOf(refs[2], u"SPEC")), u"S3");
}

// Enter on a cell whose text was edited, with and without "Enter = 更新".
struct EnterCase
{
    const char *name;
    bool attEnter;
    bool edited;
    bool erased;
    std::u16string attributeAfter;
    QString cellAfter;

    friend void PrintTo(const EnterCase &c, std::ostream *os)
    {
        *os << caseLabel(QString::fromUtf8(c.name));
    }
};

class AttrTabEnterWrite : public AttrTabTest, public ::testing::WithParamInterface<EnterCase>
{};

TEST_P(AttrTabEnterWrite, AttrTabEnterWritesTheChangedCell)
{
    const EnterCase &c = GetParam();
    const std::vector<Handle> refs = acquireColumn(2);
    tab().CheckBox7->setChecked(c.attEnter);
    grid()->setCurrentCell(1, 1);
    if (c.edited)
        grid()->setCellText(1, 1, "edited");
    if (c.erased)
        drawing().deleteEntity(refs[0]);
    const int stepsBefore = drawing().undoStepCount();
    drawing().clearCallLog();
    ui.windows.escapes = 0;

    key(Qt::Key_Return);

    if (!c.erased) {
        EXPECT_EQ(textOf(attributeOf(refs[0], u"NAME")), c.attributeAfter) << c.name;
    }
    EXPECT_EQ(cell(1, 1), c.cellAfter) << c.name;
    const bool written = c.attEnter && c.edited && !c.erased;
    EXPECT_EQ(drawing().callCount(u"Update"), written ? 1 : 0) << c.name;
    EXPECT_EQ(drawing().callCount(u"StartUndoMark"), 0) << c.name;
    EXPECT_EQ(ui.windows.escapes, 0) << c.name; // the CAD window is not brought up
    if (written) {
        EXPECT_EQ(drawing().undoStepCount(), stepsBefore + 1);
        EXPECT_EQ(tab().GridAttributes[size_t(grid()->cellObject(1, 1) - 1)].text, "edited");
    }
    EXPECT_TRUE(ui.messages.shown.empty()) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AttrTabEnterWrite,
    ::testing::Values(EnterCase{"on, edited", true, true, false, u"edited", "edited"},
                      EnterCase{"off, edited", false, true, false, u"N1", "edited"},
                      EnterCase{"on, unchanged", true, false, false, u"N1", "N1"},
                      EnterCase{"on, block erased: the cell keeps the edit, still changed", true, true, true, u"", "edited"}));

TEST_F(AttrTabTest, AttrTabEnterInTheEditorWritesWhatWasTyped)
{
    const std::vector<Handle> refs = acquireColumn(3);
    grid()->setCurrentCell(2, 2);
    QLineEdit *editor = editCurrentCell("typed");
    ASSERT_NE(editor, nullptr);

    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();

    EXPECT_EQ(textOf(attributeOf(refs[1], u"SPEC")), u"typed");
    EXPECT_EQ(cell(2, 2), "typed");
    // "Enter=[ ↓ ]": on to the next row.
    EXPECT_EQ(grid()->currentRow(), 3);
    EXPECT_EQ(grid()->currentCol(), 2);
    EXPECT_FALSE(grid()->isEditorShowing());
}

// Where Enter takes the current cell.
struct MoveCase
{
    const char *name;
    bool down;          // "Enter=[ ↓ ]"
    bool inEditor;
    int fromCol, fromRow;
    int toCol, toRow;

    friend void PrintTo(const MoveCase &c, std::ostream *os)
    {
        *os << caseLabel(QString::fromUtf8(c.name));
    }
};

class AttrTabEnterMove : public AttrTabTest, public ::testing::WithParamInterface<MoveCase>
{};

TEST_P(AttrTabEnterMove, AttrTabEnterMovesTheCurrentCell)
{
    const MoveCase &c = GetParam();
    // Three rows; the middle block carries no SPEC, so its cell (2, 2) is grey.
    const std::vector<Handle> refs = {addEquipment(u"N1", u"S1", {0, 30, 0}),
                                      drawing().addBlockReference(u"EQ", {0, 20, 0}, {{u"NAME", u"N2"}}),
                                      addEquipment(u"N3", u"S3", {0, 10, 0})};
    acquire(refs);
    tab().CheckBox2->setChecked(c.down);
    tab().CheckBox7->setChecked(false);
    grid()->setCurrentCell(c.fromCol, c.fromRow);
    QWidget *target = grid();
    if (c.inEditor) {
        grid()->edit(grid()->currentIndex());
        target = grid()->findChild<QLineEdit *>();
        ASSERT_NE(target, nullptr);
    }

    QTest::keyClick(target, Qt::Key_Return);
    QCoreApplication::processEvents();

    EXPECT_EQ(grid()->currentCol(), c.toCol) << c.name;
    EXPECT_EQ(grid()->currentRow(), c.toRow) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AttrTabEnterMove,
    ::testing::Values(MoveCase{"down, editor, middle row", true, true, 1, 2, 1, 3},
                      MoveCase{"down, editor, last row wraps to row 1", true, true, 1, 3, 1, 1},
                      MoveCase{"down, no editor: stays", true, false, 1, 2, 1, 2},
                      MoveCase{"right, to the next column", false, false, 1, 1, 2, 1},
                      MoveCase{"right, editor, last column: first column of the next row", false, true, 2, 1, 1, 2},
                      MoveCase{"right, a grey cell to the right: first column of the next row", false, false, 1, 2,
                               1, 3},
                      MoveCase{"right, last cell of the grid: stays", false, false, 2, 3, 2, 3}));

} // namespace

namespace {

TEST_F(AttrTabTest, AttrTabUpdateWithEveryWriteRefusedClosesItsUndoStep)
{
    const std::vector<Handle> refs = acquireColumn(2);
    grid()->setCellText(1, 1, "changed");
    drawing().failMember(u"TextString");

    tab().SpeedButton11->click();

    drawing().clearFaults();
    EXPECT_EQ(drawing().undoDepth(), 0);
    EXPECT_EQ(textOf(attributeOf(refs[0], u"NAME")), u"N1");
    EXPECT_EQ(tab().GridAttributes[size_t(grid()->cellObject(1, 1) - 1)].text, "N1");
    EXPECT_TRUE(ui.messages.shown.empty());
}

TEST_F(AttrTabTest, AttrTabUpdateWithoutCadDoesNothing)
{
    const std::vector<Handle> refs = acquireColumn(1);
    grid()->setCellText(1, 1, "changed");
    ui.rot.revoke(HeadlessForm::ProgId);
    drawing().clearCallLog();

    tab().SpeedButton11->click();
    grid()->setCurrentCell(1, 1);
    key(Qt::Key_Return);

    EXPECT_EQ(textOf(attributeOf(refs[0], u"NAME")), u"N1");
    EXPECT_EQ(cell(1, 1), "changed");
    EXPECT_TRUE(drawing().callLog().empty());
    EXPECT_TRUE(ui.messages.shown.empty());
}

} // namespace

namespace {

// Enter with "Enter = 更新" when the CAD runs but cannot be reached (its
// document does not answer): one message, and the key ends there: the
// in-place editor neither opens nor closes, the current cell stays.
struct UnreachableCase
{
    const char *name;
    bool inEditor;
    bool down; // "Enter=[ ↓ ]"

    friend void PrintTo(const UnreachableCase &c, std::ostream *os) { *os << c.name; }
};

class AttrTabEnterUnreachable : public AttrTabTest, public ::testing::WithParamInterface<UnreachableCase>
{};

TEST_P(AttrTabEnterUnreachable, AttrTabEnterWithTheCadUnreachableShowsOneMessageAndEndsThere)
{
    const UnreachableCase &c = GetParam();
    const std::vector<Handle> refs = acquireColumn(3);
    tab().CheckBox2->setChecked(c.down);
    grid()->setCurrentCell(1, 2);
    QWidget *target = grid();
    if (c.inEditor) {
        target = editCurrentCell("typed");
        ASSERT_NE(target, nullptr);
    } else {
        grid()->setCellText(1, 2, "typed");
    }
    drawing().failMember(u"ActiveDocument", u"the CAD does not answer");

    QTest::keyClick(target, Qt::Key_Return);
    QCoreApplication::processEvents();
    drawing().clearFaults();

    EXPECT_EQ(ui.messages.texts(), QStringList{"the CAD does not answer"}) << c.name;
    EXPECT_EQ(grid()->isEditorShowing(), c.inEditor) << c.name;
    EXPECT_EQ(grid()->currentRow(), 2) << c.name;
    EXPECT_EQ(grid()->currentCol(), 1) << c.name;
    EXPECT_EQ(cell(1, 2), "typed") << c.name;
    EXPECT_EQ(textOf(attributeOf(refs[1], u"NAME")), u"N2") << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, AttrTabEnterUnreachable,
                         ::testing::Values(UnreachableCase{"EditorShowingDown", true, true},
                                           UnreachableCase{"EditorShowingRight", true, false},
                                           UnreachableCase{"NoEditorDown", false, true},
                                           UnreachableCase{"NoEditorRight", false, false}),
                         [](const ::testing::TestParamInfo<UnreachableCase> &info) {
                             return std::string(info.param.name);
                         });

} // namespace
