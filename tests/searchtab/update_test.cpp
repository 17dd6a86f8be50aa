// "更新": every changed row written back in one undo step of the CAD, with
// a count of what was written and of the locked rows left alone.

#include "searchtabfixture.h"

#include "searchtab/searchwriteback.h"

namespace {

// Rows after the search: 0 "A" plain, 1 "B" locked, 2 "C" erased after the
// search, 3 "D" plain.
struct UpdateCase
{
    const char *name;
    std::vector<std::pair<int, QString>> edits;
    QString message;
    QStringList drawingAfter; // texts of A, B, D
    QStringList cellsAfter;
    std::vector<bool> changedAfter; // per row
    int undoStepsAdded;
    bool buttonAfter = false; // "更新" still enabled
};

class SearchTabUpdate : public SearchTabTest, public ::testing::WithParamInterface<UpdateCase>
{
};

TEST_P(SearchTabUpdate, WritesChangedRowsInOneUndoStep)
{
    const UpdateCase &c = GetParam();
    drawing().addLayer(u"FIX", true);
    const cad::Handle a = drawing().addText(u"A", {0, 0, 0});
    const cad::Handle b = drawing().addText(u"B", {0, 0, 0}, u"FIX");
    const cad::Handle erased = drawing().addText(u"C", {0, 0, 0});
    const cad::Handle d = drawing().addText(u"D", {5, 6, 0});
    search("");
    drawing().deleteEntity(erased);
    for (const auto &[row, text] : c.edits)
        grid().setCellText(0, row, text);
    gridImage(); // drawing a changed row enables the button
    const int steps = drawing().undoStepCount();

    tab().SpeedButton15Click();

    ASSERT_EQ(ui.messages.shown.size(), 1u);
    EXPECT_EQ(ui.messages.shown[0].kind, CapturingMessageBoxes::Information);
    EXPECT_EQ(ui.messages.shown[0].text, c.message);
    QStringList texts;
    for (const cad::Handle h : {a, b, d})
        texts << QString::fromStdU16String(textOf(h));
    EXPECT_EQ(texts, c.drawingAfter);
    EXPECT_EQ(rows(), c.cellsAfter);
    // Rows that could not be written keep the button for another try.
    EXPECT_EQ(tab().SpeedButton15->isEnabled(), c.buttonAfter);
    EXPECT_EQ(drawing().undoStepCount() - steps, c.undoStepsAdded);
    EXPECT_EQ(drawing().undoDepth(), 0);
    std::vector<bool> changed;
    for (int row = 0; row < grid().rowCount(); ++row)
        changed.push_back(grid().cellText(0, row) != tab().SearchTexts[size_t(row)].text);
    EXPECT_EQ(changed, c.changedAfter);
}

const UpdateCase UpdateCases[] = {
    {"ThreeChangedOfWhichOneLockedAndOneErased",
     {{0, "A2"}, {1, "B2"}, {2, "C2"}},
     "1 / 2 個の TEXT を更新しました．\nロック画層の TEXT 1 個は更新されません．",
     {"A2", "B", "D"},
     {"A2", "B2", "C2", "D"},
     {false, true, true, false},
     1,
     true},
    {"TwoWrittenTogether",
     {{0, "A2"}, {3, "D2"}},
     "2 / 2 個の TEXT を更新しました．",
     {"A2", "B", "D2"},
     {"A2", "B", "C", "D2"},
     {false, false, false, false},
     1},
    {"OnlyLockedRowsChanged",
     {{1, "B2"}},
     "更新対象の TEXT はありません．\nロック画層の TEXT 1 個は更新されません．",
     {"A", "B", "D"},
     {"A", "B2", "C", "D"},
     {false, true, false, false},
     1},
    {"NothingChanged",
     {},
     "更新対象の TEXT はありません．",
     {"A", "B", "D"},
     {"A", "B", "C", "D"},
     {false, false, false, false},
     1},
};

INSTANTIATE_TEST_SUITE_P(Cases, SearchTabUpdate, ::testing::ValuesIn(UpdateCases),
                         [](const auto &info) { return std::string(info.param.name); });

using SearchTabUpdateCommand = SearchTabTest;

TEST_F(SearchTabUpdateCommand, OneUndoOfTheCadTakesBackTheWholeUpdate)
{
    const cad::Handle a = drawing().addText(u"A", {0, 0, 0});
    const cad::Handle b = drawing().addText(u"B", {0, 0, 0});
    search("");
    grid().setCellText(0, 0, "A2");
    grid().setCellText(0, 1, "B2");
    tab().SpeedButton15Click();
    ASSERT_EQ(textOf(a), u"A2");
    ASSERT_EQ(textOf(b), u"B2");
    EXPECT_EQ(tab().SearchTexts[1].text, "B2");

    ASSERT_TRUE(drawing().undo());
    EXPECT_EQ(textOf(a), u"A");
    EXPECT_EQ(textOf(b), u"B");
}

TEST_F(SearchTabUpdateCommand, EmptiedRowIsNeverWritten)
{
    const cad::Handle a = drawing().addText(u"A", {0, 0, 0});
    search("");
    grid().setCellText(0, 0, QString()); // emptied and not yet drawn
    tab().SpeedButton15Click();
    EXPECT_EQ(textOf(a), u"A");
    EXPECT_EQ(grid().cellText(0, 0), "A");
    EXPECT_EQ(ui.messages.texts(), QStringList{"更新対象の TEXT はありません．"});
}

TEST_F(SearchTabUpdateCommand, CadNotRunningWritesNothingAndKeepsTheButton)
{
    const cad::Handle a = drawing().addText(u"A", {0, 0, 0});
    search("");
    grid().setCellText(0, 0, "A2");
    gridImage();
    ASSERT_TRUE(tab().SpeedButton15->isEnabled());
    ui.rot.revoke(HeadlessForm::ProgId);
    tab().SpeedButton15->click();
    EXPECT_EQ(textOf(a), u"A");
    EXPECT_EQ(ui.messages.texts(), QStringList{"更新対象の TEXT はありません．"});
    EXPECT_TRUE(tab().SpeedButton15->isEnabled());
}

TEST_F(SearchTabUpdateCommand, MinimisedCadWindowIsRestoredButNotBroughtToFront)
{
    drawing().addText(u"A", {0, 0, 0});
    search("");
    grid().setCellText(0, 0, "A2");
    ui.windows.iconic.insert(drawing().applicationWindow);
    ui.windows.log.clear();
    tab().SpeedButton15Click();
    EXPECT_EQ(ui.windows.log, (std::vector<std::string>{"OpenIcon " + std::to_string(drawing().applicationWindow),
                                                        "Sleep 500"}));
}

TEST_F(SearchTabUpdateCommand, UndoAfterUpdateMarksTheRowChangedAgain)
{
    const cad::Handle a = drawing().addText(u"A", {0, 0, 0});
    search("");
    tab().CheckBox5->setChecked(false);
    typeIntoRow(0, "A2");
    pressEnter();
    tab().SpeedButton15Click();
    ASSERT_EQ(textOf(a), u"A2");
    QTest::keyClick(&grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(grid().cellText(0, 0), "A");
    EXPECT_EQ(tab().SearchTexts[0].text, "A2");
    gridImage();
    EXPECT_TRUE(tab().SpeedButton15->isEnabled());
}

TEST(SearchTabUpdateMessage, CountsAndLockedLine)
{
    EXPECT_EQ(searchUpdateMessage({3, 2, 0}), "2 / 3 個の TEXT を更新しました．");
    EXPECT_EQ(searchUpdateMessage({0, 0, 2}), "更新対象の TEXT はありません．\nロック画層の TEXT 2 個は更新されません．");
}

} // namespace

namespace {

// Enter with "Enter=更新" when the CAD runs but its document does not answer:
// one message, and the key ends there: the in-place editor neither opens
// nor closes, the current row stays.
class SearchTabEnterUnreachable : public SearchTabTest, public ::testing::WithParamInterface<bool>
{};

TEST_P(SearchTabEnterUnreachable, EnterWithTheCadUnreachableShowsOneMessageAndEndsThere)
{
    const bool inEditor = GetParam();
    const cad::Handle a = drawing().addText(u"A", {0, 0, 0});
    drawing().addText(u"B", {0, 10, 0});
    search("");
    if (inEditor) {
        typeIntoRow(0, "typed");
    } else {
        grid().setCurrentCell(0, 0);
        grid().setCellText(0, 0, "typed");
    }
    ui.messages.clear();
    drawing().failMember(u"ActiveDocument", u"the CAD does not answer");

    pressEnter();
    drawing().clearFaults();

    EXPECT_EQ(ui.messages.texts(), QStringList{"the CAD does not answer"});
    EXPECT_EQ(grid().isEditorShowing(), inEditor);
    EXPECT_EQ(grid().currentRow(), 0);
    EXPECT_EQ(grid().cellText(0, 0), "typed");
    EXPECT_EQ(textOf(a), u"A");
}

INSTANTIATE_TEST_SUITE_P(EditorShowing, SearchTabEnterUnreachable, ::testing::Bool());

} // namespace
