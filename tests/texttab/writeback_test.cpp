// "更新(Ctrl+Enter)": writing the editor lines back into the drawing.
#include "texttabfixture.h"

#include "cad/caderror.h"

#include <QLabel>

using cad::Handle;
using cad::Point;

namespace {

class WriteBackTest : public TextTabTest
{
protected:
    // Texts at (0, 100), (0, 90) … picked and sorted top to bottom.
    std::vector<Handle> pickColumn(const std::vector<std::u16string> &texts)
    {
        std::vector<Handle> handles;
        for (size_t i = 0; i < texts.size(); ++i)
            handles.push_back(drawing().addText(texts[i], {0, 100 - 10.0 * double(i)}));
        pickTexts(handles);
        ui.messages.clear();
        return handles;
    }

    // The drawing's TEXT strings from top to bottom.
    std::vector<std::u16string> columnTexts()
    {
        std::vector<std::pair<double, std::u16string>> texts;
        for (const auto &[h, e] : drawing().entities()) {
            if (e.kind == cad::EntityKind::Text)
                texts.emplace_back(-textPosition(e).y, e.text);
        }
        std::sort(texts.begin(), texts.end());
        std::vector<std::u16string> out;
        for (auto &t : texts)
            out.push_back(t.second);
        return out;
    }

    static Point textPosition(const cad::MemoryEntity &e) { return e.alignment ? e.alignmentPoint : e.insertionPoint; }
};

TEST_F(WriteBackTest, TheWorkedExample)
{
    const auto h = pickColumn({u"A", u"B"});
    ASSERT_EQ(tab().Edit2->text(), "-10.00");
    ui.setEditorLines({"A1", "", "C", "D"});
    writeBack();

    EXPECT_EQ(textOf(h[0]), u"A1");
    EXPECT_EQ(drawing().entity(h[1]), nullptr);
    const auto &records = tab().EditTexts;
    ASSERT_EQ(records.size(), 4u);
    EXPECT_TRUE(records[1].sHnd.isEmpty());
    const auto *c = drawing().entity(cad::handleFromString(records[2].sHnd.toStdU16String()));
    const auto *d = drawing().entity(cad::handleFromString(records[3].sHnd.toStdU16String()));
    ASSERT_TRUE(c && d);
    EXPECT_EQ(c->text, u"C");
    EXPECT_EQ(c->insertionPoint, (Point{0, 80, 0}));
    EXPECT_EQ(d->text, u"D");
    EXPECT_EQ(d->insertionPoint, (Point{0, 70, 0}));
    EXPECT_TRUE(ui.messages.shown.empty());
    EXPECT_EQ(drawing().undoDepth(), 0);
    EXPECT_GT(drawing().regenCount, 0);

    // One undo in the CAD takes the whole command back.
    ASSERT_TRUE(drawing().undo());
    EXPECT_EQ(columnTexts(), (std::vector<std::u16string>{u"A", u"B"}));
}

TEST_F(WriteBackTest, LinesAreComparedExactlyAndWrittenUntrimmed)
{
    const auto h = pickColumn({u"abc", u"x y", u"K"});
    ui.setEditorLines({"ABC", "x  y", "K　"});
    drawing().clearCallLog();
    writeBack();
    EXPECT_EQ(textOf(h[0]), u"ABC");
    EXPECT_EQ(textOf(h[1]), u"x  y");
    EXPECT_EQ(textOf(h[2]), u"K　"); // the ideographic space is content
}

TEST_F(WriteBackTest, UnchangedLinesAreNotWritten)
{
    pickColumn({u"A", u"B"});
    drawing().clearCallLog();
    writeBack();
    EXPECT_EQ(drawing().callCount(u"TextString"), 2); // read, never put
    for (const auto &call : drawing().callLog())
        EXPECT_FALSE(call.kind == cad::CallRecord::Put);
}

TEST_F(WriteBackTest, DeletedLinesDeleteTheirTexts)
{
    const auto h = pickColumn({u"1", u"2", u"3", u"4"});
    ui.setEditorLines({"1", "2"});
    writeBack();
    EXPECT_EQ(columnTexts(), (std::vector<std::u16string>{u"1", u"2"}));
    EXPECT_EQ(tab().EditTexts.size(), 2u);
    EXPECT_EQ(drawing().entity(h[3]), nullptr);
}

TEST_F(WriteBackTest, DeletingAMiddleLineMovesTheFollowingLinesUp)
{
    const auto h = pickColumn({u"1", u"2", u"3"});
    ui.setEditorLines({"1", "3"});
    writeBack();
    EXPECT_EQ(textOf(h[0]), u"1");
    EXPECT_EQ(textOf(h[1]), u"3");
    EXPECT_EQ(drawing().entity(h[2]), nullptr);
}

TEST_F(WriteBackTest, ExtraLinesWithZeroOffsetsAreNotAdded)
{
    const Handle a = drawing().addText(u"A", {5, 5});
    pickTexts({a});
    ui.messages.clear();
    ui.setEditorLines({"A2", "B", "C"});
    writeBack();
    EXPECT_EQ(textOf(a), u"A2");
    EXPECT_EQ(ui.messages.texts(), QStringList{"dX, dY が 0 のため、追加を中止しました．"});
    EXPECT_EQ(tab().EditTexts.size(), 3u); // places for the extra lines
    EXPECT_EQ(drawing().entities().size(), 1u);
}

TEST_F(WriteBackTest, OffsetThatIsNotANumberReadsAsZeroAndABlankLineLeavesAGap)
{
    const auto h = pickColumn({u"A", u"B"});
    setOffsets("abc", "5");
    ui.setEditorLines({"A", "B", "C", "", "D"});
    writeBack();
    const auto &records = tab().EditTexts;
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[2].insPt, (Point{0, 95, 0}));
    EXPECT_TRUE(records[3].sHnd.isEmpty());
    EXPECT_EQ(records[3].insPt, (Point{0, 100, 0}));
    EXPECT_EQ(records[4].insPt, (Point{0, 105, 0}));
    EXPECT_EQ(entity(cad::handleFromString(records[4].sHnd.toStdU16String())).text, u"D");

    // A later run fills the gap at its place.
    ui.setEditorLines({"A", "B", "C", "X", "D"});
    writeBack();
    const auto *x = drawing().entity(cad::handleFromString(tab().EditTexts[3].sHnd.toStdU16String()));
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->text, u"X");
    EXPECT_EQ(x->insertionPoint, (Point{0, 100, 0}));
    (void)h;
}

TEST_F(WriteBackTest, APlaceWithoutPointIsPutOneStepAfterItsPredecessor)
{
    pickColumn({u"A", u"B"}); // dY = -10
    setOffsets("0", "0");
    ui.setEditorLines({"A", "B", "C"});
    writeBack(); // not added: zero offsets; the third record is a place without point
    ASSERT_EQ(tab().EditTexts.size(), 3u);
    setOffsets("0", "-10");
    writeBack();
    const auto *c = drawing().entity(cad::handleFromString(tab().EditTexts[2].sHnd.toStdU16String()));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->text, u"C");
    EXPECT_EQ(c->insertionPoint, (Point{0, 80, 0}));
}

TEST_F(WriteBackTest, AnUnreachableRecordStillUsesItsLine)
{
    const auto h = pickColumn({u"A", u"B", u"C"});
    drawing().deleteEntity(h[1]); // erased in the CAD behind the tool's back
    ui.setEditorLines({"A1", "B1", "C1"});
    writeBack();
    EXPECT_EQ(textOf(h[0]), u"A1");
    EXPECT_EQ(textOf(h[2]), u"C1"); // not "B1"
    // The line that found no text is not passed over in silence.
    EXPECT_EQ(ui.messages.texts(), QStringList{"1 行は図面に書き込めませんでした．"});
}

TEST_F(WriteBackTest, AttributeLinesNeverDeleteOrAdd)
{
    drawing().addAttributeDefinition(u"SENBAN", u"SENBAN", u"線番");
    const Handle r1 = drawing().addBlockReference(u"SENBAN", {0, 10}, {{u"SENBAN", u"W1"}});
    const Handle r2 = drawing().addBlockReference(u"SENBAN", {0, 0}, {{u"SENBAN", u"W2"}});
    const Handle r3 = drawing().addBlockReference(u"SENBAN", {0, -10}, {{u"SENBAN", u"W3"}});
    tab().ComboBox1->setEditText("SENBAN");
    drawing().scriptPick({r1, r2, r3});
    tab().SpeedButton8->click();
    ASSERT_EQ(ui.editorLines(), (QStringList{"W1", "W2", "W3"}));
    setOffsets("0", "-10");
    ui.setEditorLines({"", "W2b"});
    writeBack();
    EXPECT_EQ(entity(entity(r1).attributes[0]).text, u"");    // a blank line writes a blank value
    EXPECT_EQ(entity(entity(r2).attributes[0]).text, u"W2b");
    EXPECT_EQ(entity(entity(r3).attributes[0]).text, u"W3");   // no line left: unchanged
    EXPECT_EQ(tab().EditTexts.size(), 3u);

    const size_t entities = drawing().entities().size();
    ui.setEditorLines({"X", "Y", "Z", "extra"});
    writeBack();
    EXPECT_EQ(entity(entity(r3).attributes[0]).text, u"Z");
    EXPECT_EQ(drawing().entities().size(), entities); // extra lines are ignored
    EXPECT_EQ(tab().EditTexts.size(), 3u);
    EXPECT_TRUE(ui.messages.shown.empty());
}

TEST_F(WriteBackTest, StopMidWriteKeepsWhatWasWrittenInOneUndoStep)
{
    const auto h = pickColumn({u"1", u"2", u"3", u"4"});
    ui.setEditorLines({"a", "b", "c", "d", "e"});
    setOffsets("0", "-10");
    ui.pump.calls = 0;
    ui.pump.onCall = [&](int call) {
        if (call == 2)
            tab().SpeedButton5->click();
    };
    writeBack();
    ui.pump.onCall = nullptr;
    EXPECT_EQ(textOf(h[0]), u"a");
    EXPECT_EQ(textOf(h[1]), u"b");
    EXPECT_EQ(textOf(h[2]), u"3");
    EXPECT_EQ(drawing().entities().size(), 4u); // no adding pass after a stop
    EXPECT_FALSE(ui.form().state().runFlag);
    EXPECT_FALSE(tab().SpeedButton5->isEnabled());
    EXPECT_EQ(drawing().undoDepth(), 0);
    ASSERT_TRUE(drawing().undo());
    EXPECT_EQ(textOf(h[0]), u"1");
}

TEST_F(WriteBackTest, AFailureEndsWithTheMessageAndClosesEverything)
{
    pickColumn({u"A"});
    ui.setEditorLines({"A", "B"});
    setOffsets("0", "-10");
    drawing().failMember(u"Copy", u"refused");
    writeBack();
    drawing().clearFaults();
    EXPECT_EQ(ui.messages.texts(), QStringList{"エラーのため、更新を中止しました．"});
    EXPECT_EQ(drawing().undoDepth(), 0);
    EXPECT_FALSE(ui.form().state().runFlag);
    EXPECT_FALSE(tab().SpeedButton5->isEnabled());
    EXPECT_FALSE(tab().Label2->isVisible());
    EXPECT_TRUE(tab().SpeedButton3->isVisible());
    EXPECT_EQ(tab().EditTexts.size(), 2u);
}

TEST_F(WriteBackTest, AnAlignedTextIsCopiedWithItsLengthKept)
{
    const Handle fit = drawing().addText(u"FIT", {0, 100}, u"0", 3);
    drawing().entity(fit)->alignmentPoint = {30, 100, 0};
    pickTexts({fit});
    setOffsets("0", "-10");
    ui.setEditorLines({"FIT", "NEXT"});
    writeBack();
    const auto *copy = drawing().entity(cad::handleFromString(tab().EditTexts[1].sHnd.toStdU16String()));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->alignmentPoint, (Point{30, 90, 0}));
    EXPECT_EQ(copy->insertionPoint, (Point{0, 90, 0}));
}

} // namespace
