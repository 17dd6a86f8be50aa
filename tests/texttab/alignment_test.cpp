// "整列": re-spacing the texts behind the lines on P0 + i·(dX, dY).
#include "texttabfixture.h"

using cad::Handle;
using cad::Point;

namespace {

class AlignmentTest : public TextTabTest
{
protected:
    std::vector<Handle> pickUnsorted(const std::vector<Point> &points)
    {
        tab().CheckBox1->setChecked(false);
        std::vector<Handle> handles;
        for (size_t i = 0; i < points.size(); ++i)
            handles.push_back(drawing().addText(u"T" + std::u16string(1, char16_t(u'0' + i)), points[i]));
        pickTexts(handles);
        ui.messages.clear();
        return handles;
    }
    void align() { tab().SpeedButton6->click(); }
    Point at(Handle h) { return entity(h).insertionPoint; }
    const cad::MemoryEntity *recordEntity(size_t i)
    {
        return drawing().entity(cad::handleFromString(tab().EditTexts[i].sHnd.toStdU16String()));
    }
    // The calls of the last alignment from its first record on, up to its
    // Regen: what each record costs on a real CAD.
    QStringList recordCalls()
    {
        QStringList calls;
        bool started = false;
        for (const cad::CallRecord &call : drawing().callLog()) {
            started = started || call.member == u"HandleToObject";
            if (!started)
                continue;
            if (call.member == u"Regen")
                break;
            const char *kind = call.kind == cad::CallRecord::Get ? "get " : call.kind == cad::CallRecord::Put ? "put " : "";
            calls << kind + QString::fromStdU16String(call.member);
        }
        return calls;
    }
};

TEST_F(AlignmentTest, TextsGoOnTheGridOfTheFirstRecord)
{
    const auto h = pickUnsorted({{0, 0}, {5, 7}, {9, 9}});
    setOffsets("10", "0");
    align();
    EXPECT_EQ(at(h[0]), (Point{0, 0, 0}));
    EXPECT_EQ(at(h[1]), (Point{10, 0, 0}));
    EXPECT_EQ(at(h[2]), (Point{20, 0, 0}));
    EXPECT_EQ(drawing().undoDepth(), 0);
    EXPECT_FALSE(ui.form().state().runFlag);
    ASSERT_TRUE(drawing().undo()); // one step
    EXPECT_EQ(at(h[1]), (Point{5, 7, 0}));
}

TEST_F(AlignmentTest, TinyOffsetsMoveNothingButTrailingRecordsLoseTheirTexts)
{
    const auto h = pickUnsorted({{0, 0}, {5, 7}, {9, 9}});
    setOffsets("0.005", "-0.01");
    ui.setEditorLines({"T0", "T1"});
    align();
    EXPECT_EQ(at(h[1]), (Point{5, 7, 0}));
    EXPECT_EQ(drawing().entity(h[2]), nullptr);
    EXPECT_EQ(tab().EditTexts.size(), 3u);
    EXPECT_TRUE(tab().EditTexts[2].sHnd.isEmpty());

    setOffsets("0.02", "0");
    align();
    EXPECT_EQ(at(h[1]), (Point{0.02, 0, 0}));
}

TEST_F(AlignmentTest, ABlankMiddleLineLeavesAGap)
{
    const auto h = pickUnsorted({{0, 0}, {5, 7}, {9, 9}});
    setOffsets("0", "-10");
    ui.setEditorLines({"T0", "", "T2"});
    align();
    EXPECT_EQ(drawing().entity(h[1]), nullptr);
    EXPECT_EQ(at(h[2]), (Point{0, -20, 0}));
}

TEST_F(AlignmentTest, ExtraLinesBecomeCopiesOfTheTemplate)
{
    pickUnsorted({{0, 0}, {5, 7}, {9, 9}});
    setOffsets("0", "-10");
    ui.setEditorLines({"T0", "T1", "T2", "T3", "T4"});
    align();
    ASSERT_EQ(tab().EditTexts.size(), 5u);
    for (size_t i : {3u, 4u}) {
        const auto *e = recordEntity(i);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->text, u"T" + std::u16string(1, char16_t(u'0' + i)));
        EXPECT_EQ(e->insertionPoint, (Point{0, -10.0 * double(i), 0}));
    }
}

TEST_F(AlignmentTest, TwoLinesOverFourRecordsDeleteTheLastTwo)
{
    const auto h = pickUnsorted({{0, 0}, {0, -10}, {0, -20}, {0, -30}});
    setOffsets("0", "-5");
    ui.setEditorLines({"T0", "T1"});
    const int regens = drawing().regenCount;
    align();
    EXPECT_EQ(drawing().entity(h[2]), nullptr);
    EXPECT_EQ(drawing().entity(h[3]), nullptr);
    EXPECT_EQ(tab().EditTexts.size(), 4u);
    EXPECT_GT(drawing().regenCount, regens);
}

TEST_F(AlignmentTest, ARightAlignedTextIsPlacedByItsAlignmentPoint)
{
    const Handle left = drawing().addText(u"L", {0, 0});
    const Handle right = drawing().addText(u"R", {0, 0}, u"0", 2);
    drawing().entity(right)->alignmentPoint = {50, -3, 0};
    drawing().entity(right)->insertionPoint = {40, -3, 0};
    tab().CheckBox1->setChecked(false);
    pickTexts({left, right});
    setOffsets("0", "-10");
    align();
    EXPECT_EQ(entity(right).alignmentPoint, (Point{0, -10, 0}));
    EXPECT_EQ(entity(right).insertionPoint, (Point{-10, -10, 0})); // moved along with it
}

TEST_F(AlignmentTest, ATextErasedMeanwhileIsCountedAndTheOthersAreAligned)
{
    const auto h = pickUnsorted({{0, 0}, {5, 7}, {9, 9}});
    drawing().deleteEntity(h[1]);
    setOffsets("10", "0");
    align();
    EXPECT_EQ(at(h[2]), (Point{20, 0, 0}));
    EXPECT_EQ(ui.messages.texts(), QStringList{"1 個の TEXT は整列できませんでした．"});
}

TEST_F(AlignmentTest, AFailureShowsTheMessageAndClosesTheUndoGroup)
{
    pickUnsorted({{0, 0}, {5, 7}});
    setOffsets("0", "-10");
    drawing().failMember(u"Update", u"refused");
    align();
    drawing().clearFaults();
    EXPECT_EQ(ui.messages.texts(), QStringList{"エラーのため、更新処理を中止しました．"});
    EXPECT_EQ(drawing().undoDepth(), 0);
    EXPECT_FALSE(ui.form().state().runFlag);
    EXPECT_FALSE(tab().SpeedButton5->isEnabled());
}

TEST_F(AlignmentTest, EachRecordCostsOnlyTheCallsThatPlaceIt)
{
    // A text the record has is placed by the alignment the text has now; a
    // copy is placed by the alignment read from it once, and its own
    // position is read once, by that alignment.
    pickUnsorted({{0, 0}, {5, 7}, {9, 9}});
    setOffsets("10", "0");
    ui.setEditorLines({"T0", "", "T2", "T3"});
    drawing().clearCallLog();
    align();
    const QStringList placed{"HandleToObject", "get Alignment", "put InsertionPoint", "get TextString", "Update"};
    const QStringList deleted{"HandleToObject", "get Alignment", "put InsertionPoint", "Delete"};
    const QStringList copiedForExtraLine{"Copy", "get Handle", "get Alignment", "get Layer",
                                         "put TextString", "put InsertionPoint", "Update"};
    EXPECT_EQ(recordCalls(), placed + deleted + placed + copiedForExtraLine);

    // The blank line's record has no entity now; its line gets a copy.
    ui.setEditorLines({"T0", "X1", "T2", "T3"});
    drawing().clearCallLog();
    align();
    const QStringList copiedForRecord{"Copy", "get Handle", "get Alignment", "get Layer", "get InsertionPoint",
                                      "put TextString", "put InsertionPoint", "Update"};
    EXPECT_EQ(recordCalls(), placed + copiedForRecord + placed + placed);
    EXPECT_EQ(recordEntity(1)->text, u"X1");
    EXPECT_EQ(recordEntity(1)->insertionPoint, (Point{10, 0, 0}));
}

TEST_F(AlignmentTest, FewerThanTwoRecordsMakeOnlyAnEmptyUndoStep)
{
    const Handle a = drawing().addText(u"A", {3, 3});
    pickTexts({a});
    setOffsets("10", "0");
    const int steps = drawing().undoStepCount();
    tab().SpeedButton6Click();
    EXPECT_EQ(drawing().undoStepCount(), steps + 1);
    EXPECT_EQ(entity(a).insertionPoint, (Point{3, 3, 0}));
}

} // namespace
