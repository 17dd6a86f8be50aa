// The search command: reading, progress, stop, sort order, locked layers,
// and what a search leaves behind when the CAD is gone or fails.

#include "searchtabfixture.h"

namespace {

using SearchTabSearch = SearchTabTest;

QStringList counting(int last, int of)
{
    QStringList texts;
    for (int i = 1; i <= last; i += 2)
        texts << QStringLiteral("%1 / %2").arg(i).arg(of);
    return texts;
}

TEST_F(SearchTabSearch, TwoHundredFiftyResultsShowReadingAndSortProgress)
{
    for (int i = 0; i < 250; ++i)
        drawing().addText(QStringLiteral("T%1").arg(249 - i, 3, 10, QLatin1Char('0')).toStdU16String(), {0, 0, 0});
    recordProgress();
    search("");

    // Reading: every 250 div 100 = 2 entities, of 250; sorting: of 249.
    EXPECT_EQ(progress, counting(249, 250) + counting(249, 249));
    EXPECT_EQ(tab().Label6->text(), "1 / 250");
    ASSERT_EQ(grid().rowCount(), 250);
    EXPECT_EQ(grid().cellText(0, 0), "T000");
    EXPECT_EQ(grid().cellText(0, 249), "T249");
    EXPECT_EQ(grid().cellObject(0, 249), 250);
    EXPECT_EQ(tab().SearchTexts[0].index, 249); // the last entity read
}

TEST_F(SearchTabSearch, OneResultIsShownWithoutSortProgress)
{
    const cad::Handle h = drawing().addText(u"ONE", {12.3456, -7.5, 1});
    recordProgress();
    search("");

    EXPECT_EQ(progress, QStringList{"1 / 1"});
    EXPECT_EQ(tab().Label6->text(), "1 / 1");
    EXPECT_EQ(rows(), QStringList{"ONE"});
    EXPECT_EQ(grid().cellObject(0, 0), 1);
    EXPECT_EQ(grid().currentRow(), 0);
    EXPECT_EQ(panel(0), handleText(h));
    EXPECT_EQ(panel(1), "12.346, -7.500");
    EXPECT_EQ(drawing().lastZoomCenter, (cad::Point{12.3456, -7.5, 1}));
    EXPECT_FALSE(drawing().hasSelectionSet(u"SSTEMP"));
}

TEST_F(SearchTabSearch, NoMatchLeavesOneEmptyRowWithoutRecord)
{
    drawing().addText(u"AB", {0, 0, 0});
    search("");
    search("ZZ");
    EXPECT_TRUE(tab().SearchTexts.empty());
    EXPECT_EQ(rows(), QStringList{""});
    EXPECT_EQ(grid().cellObject(0, 0), 0);
    EXPECT_EQ(tab().Label6->text(), "");
    EXPECT_EQ(panel(0), "");
}

TEST_F(SearchTabSearch, EqualTextsEndInTheOrderOfTheExchangeSort)
{
    const cad::Handle b1 = drawing().addText(u"B", {0, 0, 0});
    const cad::Handle b2 = drawing().addText(u"B", {0, 0, 0});
    const cad::Handle a = drawing().addText(u"A", {0, 0, 0});
    search("");
    EXPECT_EQ(recordHandles(), (QStringList{handleText(a), handleText(b2), handleText(b1)}));
    EXPECT_EQ(rows(), (QStringList{"A", "B", "B"}));
}

TEST_F(SearchTabSearch, StopDuringReadingLeavesNoResults)
{
    for (int i = 0; i < 20; ++i)
        drawing().addText(u"T", {0, 0, 0});
    drawing().addText(u"OLD", {0, 0, 0});
    search("OLD");
    ASSERT_EQ(rows(), QStringList{"OLD"});

    ui.pump.calls = 0;
    QString buttonWhileRunning;
    bool fieldEnabledWhileRunning = true;
    ui.pump.onCall = [&](int call) {
        if (call != 5)
            return;
        buttonWhileRunning = tab().SpeedButton14->text();
        fieldEnabledWhileRunning = tab().Edit3->isEnabled();
        tab().SpeedButton14->click(); // "中止"
    };
    search("");

    EXPECT_EQ(buttonWhileRunning, "中止");
    EXPECT_FALSE(fieldEnabledWhileRunning);
    EXPECT_FALSE(ui.form().state().runFlag);
    EXPECT_TRUE(tab().SearchTexts.empty());
    EXPECT_EQ(rows(), QStringList{""});
    EXPECT_EQ(grid().cellObject(0, 0), 0);
    EXPECT_EQ(tab().Label7->text(), "検索 (部分一致)");
    EXPECT_EQ(tab().Label6->text(), "5 / 21"); // the last progress text
    EXPECT_EQ(tab().SpeedButton14->text(), "検索");
    EXPECT_TRUE(tab().Edit3->isEnabled());
    EXPECT_EQ(ui.pump.calls, 5); // no entity read after the stop
    EXPECT_FALSE(drawing().hasSelectionSet(u"SSTEMP"));
}

TEST_F(SearchTabSearch, ClickWhileSortingOnlyStopsNeverStartsASecondSearch)
{
    for (int i = 0; i < 300; ++i)
        drawing().addText(QStringLiteral("T%1").arg(i % 7).toStdU16String(), {0, 0, 0});
    int selects = 0;
    ui.pump.onCall = [&](int call) {
        if (call == 301 || call == 302) { // in the sort: once to stop, once more
            tab().SpeedButton14->click();
            selects = drawing().callCount(u"Select");
        }
    };
    search("");
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(tab().SearchTexts.size(), 300u); // the stop came after the reading
    EXPECT_EQ(tab().SpeedButton14->text(), "検索");
}

TEST_F(SearchTabSearch, RowsKeepTheirRecordsWhileTheNextSearchReads)
{
    const cad::Handle old1 = drawing().addText(u"OLD1", {1, 1, 0});
    const cad::Handle old2 = drawing().addText(u"OLD2", {2, 2, 0});
    for (int i = 0; i < 10; ++i)
        drawing().addText(u"NEW", {0, 0, 0});
    search("OLD");
    grid().setCellText(0, 0, "OLD1 edited");

    QString handleShown;
    ui.pump.calls = 0;
    ui.pump.onCall = [&](int call) {
        if (call != 3)
            return;
        grid().setCurrentCell(0, 1);
        handleShown = panel(0);
        tab().SpeedButton15Click(); // "更新" meanwhile starts nothing
    };
    search("");

    EXPECT_EQ(handleShown, handleText(old2));
    EXPECT_EQ(textOf(old1), u"OLD1");
    EXPECT_EQ(textOf(old2), u"OLD2");
    EXPECT_TRUE(ui.messages.shown.empty());
    EXPECT_EQ(tab().SearchTexts.size(), 12u);
}

TEST_F(SearchTabSearch, CadWindowComesUpWithEscapeBeforeAndAfterTheSelection)
{
    drawing().addText(u"A", {0, 0, 0});
    const std::string cad = std::to_string(drawing().applicationWindow);
    ui.windows.iconic.insert(drawing().applicationWindow);
    ui.windows.log.clear();
    search("");

    const std::vector<std::string> expected = {"OpenIcon " + cad, "Sleep 500",       "SetForeground " + cad,
                                               "Escape",          "Sleep 5",         "SetForeground " + cad,
                                               "Escape",          "Sleep 5"};
    ASSERT_GE(ui.windows.log.size(), expected.size() + 1);
    EXPECT_EQ(std::vector<std::string>(ui.windows.log.begin(), ui.windows.log.begin() + long(expected.size())), expected);
    EXPECT_EQ(ui.windows.log[expected.size()], "SetForeground " + std::to_string(ui.form().mainWindowHandle()));
    EXPECT_TRUE(ui.windows.minimized.empty());
}

TEST_F(SearchTabSearch, LockedLayerMarksItsTextsUntilUnlocked)
{
    drawing().addLayer(u"FIX", true);
    drawing().addLayer(u"FIXED", false);
    drawing().addText(u"A", {0, 0, 0}, u"FIX");
    drawing().addText(u"B", {0, 0, 0}, u"FIXED");
    drawing().addText(u"C", {0, 0, 0}, u"0");
    drawing().addText(u"D", {0, 0, 0}, u"FIX");

    search("");
    std::vector<bool> locked;
    for (const Morv2 &rec : tab().SearchTexts)
        locked.push_back(rec.locked);
    EXPECT_EQ(locked, (std::vector<bool>{true, false, false, true}));

    drawing().setLayerLocked(u"FIX", false);
    search("");
    for (const Morv2 &rec : tab().SearchTexts)
        EXPECT_FALSE(rec.locked) << rec.text.toStdString();
}

TEST_F(SearchTabSearch, CadNotRunningKeepsTheResultsAndTheirEdits)
{
    drawing().addText(u"B", {0, 0, 0});
    drawing().addText(u"A", {0, 0, 0});
    search("");
    typeIntoRow(1, "EDITED");
    pressEnter(); // Enter=更新 writes it...
    typeIntoRow(0, "KEPT");
    ui.rot.revoke(HeadlessForm::ProgId);
    pressEnter(); // ...but not this one: the CAD is gone
    const int undoCount = ui.form().state().sgUndoCnt2;
    const int savedCells = ui.form().undoCells2().Count();
    const QStringList handles = recordHandles();

    search("");

    EXPECT_EQ(rows(), (QStringList{"KEPT", "EDITED"}));
    EXPECT_EQ(recordHandles(), handles);
    EXPECT_EQ(tab().SearchTexts[0].text, "A");
    EXPECT_EQ(ui.form().state().sgUndoCnt2, undoCount);
    EXPECT_EQ(ui.form().undoCells2().Count(), savedCells);
    EXPECT_EQ(tab().SpeedButton14->text(), "検索");
    EXPECT_TRUE(tab().Edit3->isEnabled());
    EXPECT_TRUE(ui.messages.shown.empty());
}

TEST_F(SearchTabSearch, FailureWhileReadingKeepsTheLastResultsAndLeavesNoSelectionSet)
{
    drawing().addText(u"A", {0, 0, 0});
    search("");
    drawing().failMember(u"InsertionPoint", u"read failed");
    search("");

    ASSERT_EQ(ui.messages.shown.size(), 1u);
    EXPECT_EQ(ui.messages.shown[0].kind, CapturingMessageBoxes::Error);
    EXPECT_EQ(ui.messages.shown[0].text, "read failed");
    EXPECT_FALSE(drawing().hasSelectionSet(u"SSTEMP"));
    EXPECT_EQ(drawing().undoDepth(), 0);
    EXPECT_EQ(rows(), QStringList{"A"});
    EXPECT_EQ(tab().SearchTexts.size(), 1u);
    EXPECT_EQ(tab().SpeedButton14->text(), "検索");
    EXPECT_TRUE(tab().Edit3->isEnabled());
}

TEST_F(SearchTabSearch, HundredThousandTextsYieldPerItemAndStop)
{
    for (int i = 0; i < 100000; ++i)
        drawing().addText(QStringLiteral("T%1").arg(i).toStdU16String(), {0, 0, 0});
    ui.pump.onCall = [&](int call) {
        if (call == 60000)
            tab().SpeedButton14->click();
    };
    search("");
    EXPECT_EQ(ui.pump.calls, 60000);
    EXPECT_TRUE(tab().SearchTexts.empty());
    EXPECT_EQ(tab().Label6->text(), "59001 / 100000");

    ui.pump.onCall = nullptr;
    ui.pump.calls = 0;
    search("");
    EXPECT_EQ(ui.pump.calls, 100000 + 100); // each entity, each sort progress text
    ASSERT_EQ(grid().rowCount(), 100000);
    EXPECT_EQ(grid().cellText(0, 0), "T0");
    EXPECT_EQ(grid().cellText(0, 1), "T1");
    EXPECT_EQ(grid().cellText(0, 2), "T10");
    EXPECT_EQ(grid().cellText(0, 99999), "T99999");
}

} // namespace
