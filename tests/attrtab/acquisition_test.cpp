// "取得": picking block references into the grid, both passes, the header
// prompts, the row order, "中止" in each pass and a second click.

#include "attrtabfixture.h"

#include <QProgressBar>

namespace {

using Point = cad::Point;

TEST_F(AttrTabTest, AttrTabAcquisitionTakesOnlyBlocksCarryingATagOfTheSet)
{
    const Handle a = addEquipment(u"P-1", u"100V", {0, 30, 0});
    const Handle b = addEquipment(u"P-2", u"200V", {0, 20, 0});
    const Handle c = addEquipment(u"P-3", u"", {0, 10, 0});
    const Handle bare = drawing().addBlockReference(u"PLAIN", {0, 40, 0}, {});
    const Handle other = drawing().addBlockReference(u"TAGGED", {0, 50, 0}, {{u"OTHER", u"x"}});
    ui.form().TabSheet1->Label1->setText("old");

    acquire({a, bare, b, other, c});

    EXPECT_EQ(grid()->rowCount(), 4);
    EXPECT_EQ(grid()->colCount(), 3);
    EXPECT_EQ(tab().Label5->text(), "ATTR = 3 / 5");
    EXPECT_EQ(column(0), QStringList({"1", "2", "3"}));
    EXPECT_EQ(column(1), QStringList({"P-1", "P-2", "P-3"}));
    EXPECT_EQ(column(2), QStringList({"100V", "200V", ""}));
    EXPECT_EQ(cell(1, 0), "機器名");
    EXPECT_EQ(cell(2, 0), "仕様");
    EXPECT_EQ(cell(0, 0), "");
    ASSERT_EQ(tab().GridBlocks.size(), 3u);
    EXPECT_EQ(tab().GridBlocks[0].sHnd, QString::fromStdU16String(cad::handleToString(a)));
    EXPECT_EQ(tab().GridBlocks[0].blkName, "EQ");
    ASSERT_EQ(tab().GridAttributes.size(), 6u);
    // Each cell refers to its own attribute record.
    for (int row = 1; row <= 3; ++row) {
        for (int col = 1; col <= 2; ++col) {
            const int ref = grid()->cellObject(col, row);
            ASSERT_GE(ref, 1);
            EXPECT_EQ(tab().GridAttributes[size_t(ref - 1)].text, cell(col, row));
        }
    }
    EXPECT_TRUE(tab().SpeedButton11->isEnabled());
    EXPECT_FALSE(tab().SpeedButton12->isEnabled());
    EXPECT_FALSE(ui.form().state().runFlag);
    EXPECT_TRUE(ui.form().state().ATTmode);
    EXPECT_EQ(ui.form().TabSheet1->Label1->text(), "");
    EXPECT_FALSE(drawing().hasSelectionSet(u"SSTEMP"));
    EXPECT_EQ(tab().ProgressBar1->value(), 0);
    EXPECT_TRUE(ui.windows.minimized.empty()); // the main window is back
    EXPECT_EQ(undoCount(), 0);
    EXPECT_EQ(undoStack().Count(), 0);
    EXPECT_TRUE(ui.messages.shown.empty());

    grid()->setCurrentCell(1, 2);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(column(1), QStringList({"P-1", "P-2", "P-3"}));
}

TEST_F(AttrTabTest, AttrTabAcquisitionFillsOnlyTheFirstColumnOfATagListedTwice)
{
    useTagSet(QStringLiteral("機器,NAME,NAME,SPEC,TYPE"));
    const Handle a = addEquipment(u"P-1", u"100V", {0, 0, 0});

    acquire({a});

    EXPECT_EQ(grid()->colCount(), 5);
    EXPECT_EQ(cell(1, 1), "P-1");
    EXPECT_EQ(cell(2, 1), "");
    EXPECT_EQ(grid()->cellObject(2, 1), 0);
    EXPECT_EQ(cell(2, 0), ""); // no prompt looked up for a column never filled
    EXPECT_EQ(cell(3, 1), "100V");
    // No block carries TYPE: an empty grey column with an empty header.
    EXPECT_EQ(grid()->cellObject(4, 1), 0);
    EXPECT_EQ(cell(4, 0), "");
}

TEST_F(AttrTabTest, AttrTabAcquisitionShowsTheLaterOfTwoAttributesOfOneTag)
{
    const Handle a = drawing().addBlockReference(u"EQ", {0, 0, 0}, {{u"NAME", u"first"}, {u"NAME", u"second"}});

    acquire({a});

    EXPECT_EQ(cell(1, 1), "second");
    ASSERT_EQ(tab().GridAttributes.size(), 2u);
    EXPECT_EQ(grid()->cellObject(1, 1), 2);
    EXPECT_EQ(tab().GridAttributes[0].text, "first");
}

TEST_F(AttrTabTest, AttrTabAcquisitionTakesEachHeaderFromTheFirstRowWithAPrompt)
{
    // Block A (top row) defines no prompt for SPEC, block B an empty one,
    // block C (bottom row) "規格": the header shows C's prompt.
    drawing().addAttributeDefinition(u"A", u"NAME", u"名前A");
    drawing().addAttributeDefinition(u"B", u"SPEC", u"");
    drawing().addAttributeDefinition(u"C", u"SPEC", u"規格");
    drawing().addAttributeDefinition(u"C", u"NAME", u"名前C");
    const Handle c = drawing().addBlockReference(u"C", {0, 0, 0}, {{u"NAME", u"c"}, {u"SPEC", u"c"}});
    const Handle a = drawing().addBlockReference(u"A", {0, 20, 0}, {{u"NAME", u"a"}, {u"SPEC", u"a"}});
    const Handle b = drawing().addBlockReference(u"B", {0, 10, 0}, {{u"SPEC", u"b"}});

    acquire({c, a, b});

    EXPECT_EQ(column(1), QStringList({"a", "", "c"}));
    EXPECT_EQ(cell(1, 0), "名前A");
    EXPECT_EQ(cell(2, 0), "規格");
}

struct OrderCase
{
    const char *layout;
    std::vector<Point> points; // in pick order
    QStringList rows;          // names (pick position) from the top row down

    friend void PrintTo(const OrderCase &c, std::ostream *os)
    {
        *os << caseLabel(QString::fromUtf8(c.layout));
    }
};

class AttrTabAcquisitionOrder : public AttrTabTest, public ::testing::WithParamInterface<OrderCase>
{};

TEST_P(AttrTabAcquisitionOrder, AttrTabRowsFollowThePlaceInTheDrawing)
{
    std::vector<Handle> refs;
    for (size_t i = 0; i < GetParam().points.size(); ++i)
        refs.push_back(addEquipment(QString::number(i).toStdU16String(), u"", GetParam().points[i]));

    acquire(refs);

    EXPECT_EQ(column(1), GetParam().rows) << GetParam().layout;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, AttrTabAcquisitionOrder,
    ::testing::Values(OrderCase{"column: top to bottom", {{0, 10, 0}, {0, 30, 0}, {0, 20, 0}}, {"1", "2", "0"}},
                      OrderCase{"row: left to right", {{30, 0, 0}, {10, 0, 0}, {20, 0, 0}}, {"1", "2", "0"}},
                      OrderCase{"square: top to bottom", {{0, 0, 0}, {10, 10, 0}, {0, 10, 0}, {10, 0, 0}},
                                {"1", "2", "0", "3"}}));

TEST_F(AttrTabTest, AttrTabAcquisitionWithNothingPickedKeepsTheGrid)
{
    acquireColumn(2);
    drawing().scriptCancelledPick();
    tab().SpeedButton10->click();

    EXPECT_EQ(tab().Label5->text(), "INSERT = 0");
    EXPECT_EQ(column(1), QStringList({"N1", "N2"}));
    EXPECT_EQ(tab().GridAttributes.size(), 4u);
    EXPECT_FALSE(drawing().hasSelectionSet(u"SSTEMP"));
}

TEST_F(AttrTabTest, AttrTabAcquisitionWithoutTagsLeavesOneEmptyRowAndNoTagColumn)
{
    useTagSet(QStringLiteral("名前だけ"));
    const Handle a = addEquipment(u"P-1", u"", {0, 0, 0});

    acquire({a});

    EXPECT_EQ(grid()->rowCount(), 2);
    EXPECT_EQ(grid()->colCount(), 1);
    EXPECT_EQ(cell(0, 1), "");
    EXPECT_TRUE(tab().SpeedButton11->isEnabled());
}

struct FilterCase
{
    QString tagSet;
    std::u16string expectedFilter;

    friend void PrintTo(const FilterCase &c, std::ostream *os)
    {
        *os << caseLabel(QString::fromStdU16String(c.expectedFilter) + QString::number(c.tagSet.size()));
    }
};

class AttrTabBlockFilter : public AttrTabTest, public ::testing::WithParamInterface<FilterCase>
{};

TEST_P(AttrTabBlockFilter, AttrTabPickOffersOnlyBlocksOfTheNameFilter)
{
    useTagSet(GetParam().tagSet);
    const Handle abc = drawing().addBlockReference(u"ABC1", {0, 0, 0}, {{u"T", u"1"}});
    const Handle xyz = drawing().addBlockReference(u"XYZ", {0, 10, 0}, {{u"T", u"2"}});
    const Handle text = drawing().addText(u"t", {0, 20, 0});
    std::vector<Handle> offered;
    drawing().setPicker([&](const cad::PickRequest &request) {
        for (Handle h : {abc, xyz, text}) {
            if (request.accepts(*drawing().entity(h)))
                offered.push_back(h);
        }
        return cad::PickResult{false, offered, {}};
    });

    tab().SpeedButton10->click();

    const std::vector<Handle> expected =
        GetParam().expectedFilter == u"*" ? std::vector<Handle>{abc, xyz} : std::vector<Handle>{abc};
    EXPECT_EQ(offered, expected) << GetParam().tagSet.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Names, AttrTabBlockFilter,
                         ::testing::Values(FilterCase{QStringLiteral("図枠[ABC*],T"), u"ABC*"},
                                           FilterCase{QStringLiteral("図枠[],T"), u"*"},
                                           FilterCase{QStringLiteral("図枠]x[,T"), u"*"},
                                           FilterCase{QStringLiteral("図枠,T"), u"*"}));

// "中止" at a given turn of the message pump: the first pass takes turns
// 1 to 4 (four picked), the second pass turns 5 to 8.
struct StopCase
{
    const char *pass;
    int stopAtCall;
    int rowCount;
    QStringList names;

    friend void PrintTo(const StopCase &c, std::ostream *os)
    {
        *os << caseLabel(QString::fromUtf8(c.pass));
    }
};

class AttrTabStop : public AttrTabTest, public ::testing::WithParamInterface<StopCase>
{};

TEST_P(AttrTabStop, AttrTabStopEndsThePass)
{
    ui.pump.onCall = [this](int call) {
        if (call == GetParam().stopAtCall)
            tab().SpeedButton12->click();
    };
    std::vector<Handle> refs;
    for (int i = 1; i <= 4; ++i)
        refs.push_back(addEquipment(u"N" + QString::number(i).toStdU16String(), u"", {0, 100.0 - i, 0}));

    acquire(refs);

    EXPECT_EQ(grid()->rowCount(), GetParam().rowCount) << GetParam().pass;
    EXPECT_EQ(column(1), GetParam().names) << GetParam().pass;
    EXPECT_FALSE(tab().SpeedButton12->isEnabled());
    EXPECT_FALSE(ui.form().state().runFlag);
    EXPECT_FALSE(drawing().hasSelectionSet(u"SSTEMP"));
    EXPECT_TRUE(tab().SpeedButton11->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Passes, AttrTabStop,
                         ::testing::Values(StopCase{"first pass", 3, 2, {""}},
                                           StopCase{"second pass", 7, 5, {"N1", "N2", "", ""}}));

TEST_F(AttrTabTest, AttrTabSecondAcquisitionWhileOneRunsStartsNothing)
{
    const Handle a = addEquipment(u"P-1", u"", {0, 0, 0});
    const Handle b = addEquipment(u"P-2", u"", {0, 10, 0});
    drawing().scriptPick({a});
    drawing().scriptPick({b}); // for a second acquisition, which must not start
    bool clickedAgain = false;
    ui.pump.onCall = [&](int) {
        if (clickedAgain)
            return;
        clickedAgain = true;
        EXPECT_TRUE(tab().isAcquiring());
        tab().SpeedButton10->click();
    };

    tab().SpeedButton10->click();

    EXPECT_TRUE(clickedAgain);
    EXPECT_EQ(drawing().pendingScriptedPicks(), 1);
    EXPECT_EQ(column(1), QStringList({"P-1"}));
    EXPECT_FALSE(tab().isAcquiring());
    EXPECT_FALSE(tab().SpeedButton12->isEnabled());
}

TEST_F(AttrTabTest, AttrTabAcquisitionWithoutCadDoesNothingButTheMode)
{
    ui.rot.revoke(HeadlessForm::ProgId);
    ui.form().state().ATTmode = false;

    tab().SpeedButton10->click();

    EXPECT_TRUE(ui.form().state().ATTmode);
    EXPECT_FALSE(tab().SpeedButton11->isEnabled());
    EXPECT_FALSE(tab().SpeedButton12->isEnabled());
    EXPECT_TRUE(ui.messages.shown.empty());
}

} // namespace

namespace {

// A CAD member failing during "取得": the acquisition ends or skips as the
// failure allows, and never leaves the selection set, the stop flag or a
// minimized main window behind.
struct FaultCase
{
    std::u16string member;
    int rowCount;
    QStringList names;
    QStringList specs;

    friend void PrintTo(const FaultCase &c, std::ostream *os)
    {
        *os << caseLabel(QString::fromStdU16String(c.member));
    }
};

class AttrTabAcquisitionFault : public AttrTabTest, public ::testing::WithParamInterface<FaultCase>
{};

TEST_P(AttrTabAcquisitionFault, AttrTabFailingCadCallLeavesNothingBehind)
{
    const FaultCase &c = GetParam();
    const std::vector<Handle> refs = {addEquipment(u"N1", u"S1", {0, 20, 0}), addEquipment(u"N2", u"S2", {0, 10, 0})};
    drawing().failMember(c.member);

    acquire(refs);

    const std::string member = QString::fromStdU16String(c.member).toStdString();
    EXPECT_EQ(grid()->rowCount(), c.rowCount) << member;
    EXPECT_EQ(column(1), c.names) << member;
    EXPECT_EQ(column(2), c.specs) << member;
    drawing().clearFaults();
    EXPECT_FALSE(drawing().hasSelectionSet(u"SSTEMP")) << member;
    EXPECT_FALSE(ui.form().state().runFlag);
    EXPECT_FALSE(tab().SpeedButton12->isEnabled());
    EXPECT_FALSE(tab().isAcquiring());
    EXPECT_TRUE(ui.windows.minimized.empty()) << member;
    EXPECT_TRUE(ui.messages.shown.empty()) << member;
}

INSTANTIATE_TEST_SUITE_P(
    Members, AttrTabAcquisitionFault,
    ::testing::Values(FaultCase{u"GetAttributes", 2, {""}, {""}},
                      FaultCase{u"HandleToObject", 3, {"", ""}, {"", ""}},
                      FaultCase{u"PromptString", 3, {"N1", "N2"}, {"", ""}},
                      FaultCase{u"Count", 5, {"", "", "", ""}, {"", "", "", ""}}));

} // namespace
