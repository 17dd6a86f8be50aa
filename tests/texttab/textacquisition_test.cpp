// "TEXT": picking TEXT entities into the editor.
#include "texttabfixture.h"

#include "texttab/textsort.h"

#include <QCheckBox>
#include <QLabel>

#include <cmath>

using cad::Handle;
using cad::Point;

namespace {

TEST_F(TextTabTest, OneTextGivesZeroOffsetsInRedAndTheMessage)
{
    const Handle a = drawing().addText(u"盤-1", {10, 20});
    pickTexts({a});
    EXPECT_EQ(ui.editorLines(), QStringList{"盤-1"});
    EXPECT_EQ(tab().Edit1->text(), "0.00");
    EXPECT_EQ(tab().Edit2->text(), "0.00");
    EXPECT_EQ(tab().Edit1->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(ui.messages.texts(),
              QStringList{"dX, dY が 0 です．\ndX, dY の値を設定するか、[取得]で複数の TEXT を選択してください．"});
    EXPECT_TRUE(tab().SpeedButton2->isEnabled());
    EXPECT_FALSE(tab().SpeedButton6->isEnabled());
    EXPECT_FALSE(ui.drawing->hasSelectionSet(u"SSTEMP"));
}

struct SortCase
{
    const char *name;
    std::vector<Point> points;
    bool sort;
    QStringList lines;
    QString dX, dY;
};

TEST_F(TextTabTest, SortingAndOffsets)
{
    const SortCase cases[] = {
        {"column sorted by y descending", {{10, 15}, {10, 20}}, true, {"t1", "t0"}, "0.00", "-5.00"},
        {"row sorted by x", {{30, 0}, {10, 0}, {20, 0}}, true, {"t1", "t2", "t0"}, "10.00", "0.00"},
        {"unsorted keeps the pick order", {{30, 0}, {10, 0}, {20, 0}}, false, {"t0", "t1", "t2"}, "10.00", "0.00"},
    };
    for (const SortCase &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Handle> handles;
        for (size_t i = 0; i < c.points.size(); ++i)
            handles.push_back(drawing().addText(u"t" + std::u16string(1, char16_t(u'0' + i)), c.points[i]));
        tab().CheckBox1->setChecked(c.sort);
        ui.messages.clear();
        pickTexts(handles);
        EXPECT_EQ(ui.editorLines(), c.lines);
        EXPECT_EQ(tab().Edit1->text(), c.dX);
        EXPECT_EQ(tab().Edit2->text(), c.dY);
        EXPECT_EQ(tab().Edit1->palette().color(QPalette::Text), QColor(Qt::black));
        EXPECT_TRUE(ui.messages.shown.empty());
        EXPECT_TRUE(tab().SpeedButton6->isEnabled());
    }
}

TEST_F(TextTabTest, ARightAlignedTextIsPlacedAndSortedByItsAlignmentPoint)
{
    const Handle right = drawing().addText(u"R", {0, 0}, u"0", 2);
    drawing().entity(right)->insertionPoint = {-100, 50, 0}; // left end far away
    drawing().entity(right)->alignmentPoint = {20, 0, 0};
    const Handle left = drawing().addText(u"L", {10, 0});
    pickTexts({right, left});
    EXPECT_EQ(ui.editorLines(), (QStringList{"L", "R"}));
    ASSERT_EQ(tab().EditTexts.size(), 2u);
    EXPECT_EQ(tab().EditTexts[1].insPt, (Point{20, 0, 0}));
    EXPECT_EQ(tab().EditTexts[1].txtAli, 2);
}

TEST_F(TextTabTest, TextsOnLockedLayersAreLeftOutAndCounted)
{
    drawing().addLayer(u"図枠", true);
    const Handle a = drawing().addText(u"A", {0, 10});
    const Handle b = drawing().addText(u"TITLE", {0, 0}, u"図枠");
    const Handle c = drawing().addText(u"C", {0, 0});
    pickTexts({a, b, c});
    EXPECT_EQ(ui.editorLines(), (QStringList{"A", "C"}));
    EXPECT_EQ(ui.messages.texts().first(), "ロック画層のTEXT 1 個を除外しました.");

    ui.messages.clear();
    pickTexts({b});
    EXPECT_TRUE(ui.editorLines().isEmpty());
    EXPECT_TRUE(tab().EditTexts.empty());
    EXPECT_EQ(ui.messages.texts(), QStringList{"ロック画層のTEXT 1 個を除外しました."});
}

TEST_F(TextTabTest, ACancelledPickChangesNothingButRestoresTheWindow)
{
    const Handle a = drawing().addText(u"A", {0, 10});
    pickTexts({a});
    ui.windows.log.clear();
    drawing().scriptCancelledPick();
    tab().SpeedButton1->click();
    EXPECT_EQ(ui.editorLines(), QStringList{"A"});
    EXPECT_EQ(tab().EditTexts.size(), 1u);
    EXPECT_FALSE(drawing().hasSelectionSet(u"SSTEMP"));
    const auto &log = ui.windows.log;
    EXPECT_NE(std::find(log.begin(), log.end(), "Minimize " + std::to_string(ui.form().mainWindowHandle())), log.end());
    EXPECT_EQ(log.back(), "BringToTop " + std::to_string(ui.form().mainWindowHandle()));
}

TEST_F(TextTabTest, EachPickedTextIsReadOnce)
{
    // Its layer decides whether it is taken and is its record's layer too:
    // one read of Layer serves both.
    drawing().addLayer(u"FIX", true);
    const Handle fixed = drawing().addText(u"F", {0, 0}, u"FIX");
    const Handle centred = drawing().addText(u"C", {0, 10}, u"0", 1);
    drawing().clearCallLog();
    pickTexts({fixed, centred});
    QStringList calls;
    bool reading = false;
    for (const cad::CallRecord &call : drawing().callLog()) {
        if (call.object == u"SelectionSet") {
            reading = call.member == u"Item";
            if (!reading && !calls.isEmpty())
                break;
        }
        if (reading)
            calls << (call.kind == cad::CallRecord::Get ? "get " : "") + QString::fromStdU16String(call.member);
    }
    EXPECT_EQ(calls, (QStringList{"Item", "get Layer", "Item", "get Layer", "get TextString", "get Handle",
                                  "get Alignment", "get TextAlignmentPoint"}));
    ASSERT_EQ(tab().EditTexts.size(), 1u);
    EXPECT_EQ(tab().EditTexts[0].lay, "0");
    EXPECT_EQ(tab().EditTexts[0].sHnd, QString::fromStdU16String(cad::handleToString(centred)));
}

TEST_F(TextTabTest, CadNotRunningDoesNothingButTheFirstAndLastSteps)
{
    ui.rot.revoke(HeadlessForm::ProgId);
    tab().Label2->setText("old");
    tab().SpeedButton1->click();
    EXPECT_TRUE(tab().Label2->text().isEmpty());
    EXPECT_TRUE(ui.messages.shown.empty());
    EXPECT_EQ(ui.drawing->callLog().size(), 0u);
}

TEST_F(TextTabTest, AFailureWhileReadingReachesTheErrorReportAndLeavesNoSelectionSet)
{
    const Handle a = drawing().addText(u"A", {0, 10});
    drawing().failMember(u"TextString", u"CAD が拒否しました");
    pickTexts({a});
    drawing().clearFaults();
    ASSERT_EQ(ui.messages.shown.size(), 1u);
    EXPECT_EQ(ui.messages.shown[0].kind, CapturingMessageBoxes::Error);
    EXPECT_EQ(ui.messages.shown[0].text, "CAD が拒否しました");
    EXPECT_FALSE(drawing().hasSelectionSet(u"SSTEMP"));
    EXPECT_EQ(ui.windows.log.back(), "BringToTop " + std::to_string(ui.form().mainWindowHandle()));
}

TEST(TextSort, EqualKeysFollowTheExchangeSort)
{
    MorvList records(3);
    const double ys[] = {1, 1, 2};
    for (int i = 0; i < 3; ++i) {
        records[size_t(i)].insPt = {0, ys[i], 0};
        records[size_t(i)].index = i;
    }
    SortTextsByPosition(records, 1);
    EXPECT_EQ(records[0].index, 2);
    EXPECT_EQ(records[1].index, 1);
    EXPECT_EQ(records[2].index, 0);
}

// The order of the literal exchange sort, over points with many equal
// coordinates (and a NaN), in both directions and the automatic one.
TEST(TextSort, GivesTheOrderOfTheLiteralExchangeSort)
{
    const auto literal = [](MorvList records, int mode) {
        for (size_t i = 0; i + 1 < records.size(); ++i) {
            for (size_t j = i + 1; j < records.size(); ++j) {
                const bool swap = mode == 0 ? records[i].insPt.x > records[j].insPt.x
                                            : records[i].insPt.y < records[j].insPt.y;
                if (swap)
                    std::swap(records[i], records[j]);
            }
        }
        return records;
    };
    const auto indices = [](const MorvList &records) {
        std::vector<int> out;
        for (const Morv &r : records)
            out.push_back(r.index);
        return out;
    };
    unsigned seed = 7;
    const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    for (int round = 0; round < 30; ++round) {
        MorvList records(size_t(1 + next() % 300));
        for (size_t i = 0; i < records.size(); ++i) {
            records[i].insPt = {double(next() % 7), double(next() % 5) * 2.5, 0};
            records[i].index = int(i);
        }
        if (round % 10 == 9)
            records[next() % records.size()].insPt.y = std::nan("");
        for (int mode : {0, 1}) {
            MorvList sorted = records;
            SortTextsByPosition(sorted, mode);
            EXPECT_EQ(indices(sorted), indices(literal(records, mode))) << "round " << round << ", mode " << mode;
        }
    }
}

} // namespace
