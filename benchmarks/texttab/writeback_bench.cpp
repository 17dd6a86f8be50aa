// "更新(Ctrl+Enter)" of 10,000 changed lines.

#include "texttabbench.h"

#include "support/cadcalls.h"

#include <benchmark/benchmark.h>

namespace {

void BM_WriteBackChangedLines(benchmark::State &state)
{
    BenchForm ui;
    if (!startWithAcquiredTexts(ui, state))
        return;
    TTextTab &tab = *ui.form().TabSheet1;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        tab.SynEdit1->setLines(changedLines(TextTabLines, ++round));
        ui.drawing->clearCallLog();
        state.ResumeTiming();
        tab.SpeedButton2->click();
    }
    const auto &entities = ui.drawing->entities();
    if (entities.empty() || QString::fromStdU16String(entities.rbegin()->second.text) != changedLines(TextTabLines, round).last())
        state.SkipWithError("the lines were not written");
    reportCadCalls(state, *ui.drawing, TextTabLines);
}
BENCHMARK(BM_WriteBackChangedLines)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

} // namespace
