// "検索" of 100,000 TEXTs: in this process against the in-memory drawing,
// and end to end through the stand-in's socket (its server on a thread of
// its own, as the stand-in program runs it), against the same search in
// process.

#include "searchdrawing.h"

#include "support/benchform.h"
#include "support/cadcalls.h"

#include "cad/remote/remoteconnection.h"
#include "cad/remote/socketrunningobjecttable.h"
#include "cad/remote_standinthread.h"
#include "grid/stringgrid.h"
#include "searchtab/tsearchtab.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QToolButton>

#include <benchmark/benchmark.h>

namespace {

constexpr int SearchedTexts = 100000;

// One search of every TEXT, as the user starts it; false when it did not
// list them all.
bool searchAll(TSearchTab &tab)
{
    tab.Edit3->setText(QString());
    tab.SpeedButton14->click();
    return tab.StringGrid2->rowCount() == SearchedTexts && int(tab.SearchTexts.size()) == SearchedTexts;
}

void BM_SearchInProcess(benchmark::State &state)
{
    BenchForm ui;
    addSearchTexts(*ui.drawing, SearchedTexts);
    ui.start(2);
    TSearchTab &tab = *ui.form().TEST;
    for (auto _ : state) {
        state.PauseTiming();
        ui.drawing->clearCallLog();
        state.ResumeTiming();
        if (!searchAll(tab))
            state.SkipWithError("the search did not list every text");
    }
    reportCadCalls(state, *ui.drawing, SearchedTexts);
}
BENCHMARK(BM_SearchInProcess)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// A search for a pattern that every text holds: as typed ("ﾃｽﾄ"), and in
// another width with "全半角同一" on ("テスト"), which gives the CAD's filter
// the widened pattern and matches the selected texts again in the tool.
void searchPattern(benchmark::State &state, const QString &field, bool widthInsensitive)
{
    BenchForm ui;
    addSearchTexts(*ui.drawing, SearchedTexts);
    ui.start(2);
    TSearchTab &tab = *ui.form().TEST;
    tab.CheckBox10->setChecked(widthInsensitive);
    for (auto _ : state) {
        state.PauseTiming();
        ui.drawing->clearCallLog();
        tab.Edit3->setText(field);
        state.ResumeTiming();
        tab.SpeedButton14->click();
        if (int(tab.SearchTexts.size()) != SearchedTexts)
            state.SkipWithError("the search did not list every text");
    }
    reportCadCalls(state, *ui.drawing, SearchedTexts);
}

void BM_SearchPatternInProcess(benchmark::State &state)
{
    searchPattern(state, QStringLiteral("ﾃｽﾄ"), false);
}
BENCHMARK(BM_SearchPatternInProcess)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void BM_SearchWidthInsensitiveInProcess(benchmark::State &state)
{
    searchPattern(state, QStringLiteral("テスト"), true);
}
BENCHMARK(BM_SearchWidthInsensitiveInProcess)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// "更新" of the result grid with 10,000 changed rows.
void BM_SearchUpdateChangedRows(benchmark::State &state)
{
    constexpr int ChangedRows = 10000;
    BenchForm ui;
    addSearchTexts(*ui.drawing, SearchedTexts);
    ui.start(2);
    TSearchTab &tab = *ui.form().TEST;
    if (!searchAll(tab)) {
        state.SkipWithError("the search did not list every text");
        return;
    }
    // Rows on the locked layer are not written: the others are the items.
    int writable = 0;
    for (int row = 0; row < ChangedRows; ++row)
        writable += !tab.SearchTexts[size_t(row)].locked;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++round;
        for (int row = 0; row < ChangedRows; ++row)
            tab.StringGrid2->setCellText(0, row, QStringLiteral("変更-%1-%2").arg(row).arg(round));
        QCoreApplication::processEvents(); // the changed rows drawn enable "更新"
        ui.drawing->clearCallLog();
        state.ResumeTiming();
        tab.SpeedButton15Click();
    }
    if (ui.messages.shown.empty() || !ui.messages.shown.back().text.startsWith(QStringLiteral("%1 / %1 ").arg(writable)))
        state.SkipWithError("the rows were not written");
    reportCadCalls(state, *ui.drawing, writable);
}
BENCHMARK(BM_SearchUpdateChangedRows)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_SearchThroughSocket(benchmark::State &state)
{
    auto drawing = cad::MemoryDrawing::create();
    addSearchTexts(*drawing, SearchedTexts);
    cad::remote::StandinThread standin(drawing, cad::remote::uniqueProgId("Bench"));
    if (!standin.isListening()) {
        state.SkipWithError("the stand-in does not listen");
        return;
    }
    // The connection as the program makes it: the window repaints while a
    // call waits.
    cad::remote::ConnectionOptions options;
    options.whileWaiting = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
    cad::remote::SocketRunningObjectTable socketObjects(options);
    BenchForm ui(&socketObjects);
    ui.start(2);
    ui.form().TargetProgID = QString::fromStdU16String(standin.progId());
    TSearchTab &tab = *ui.form().TEST;
    for (auto _ : state) {
        state.PauseTiming();
        standin.run([&](standin::CadServer *&) { drawing->clearCallLog(); });
        state.ResumeTiming();
        if (!searchAll(tab))
            state.SkipWithError("the search did not list every text");
    }
    standin.run([&](standin::CadServer *&) { reportCadCalls(state, *drawing, SearchedTexts); });
}
BENCHMARK(BM_SearchThroughSocket)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

} // namespace
