// "整列" of 10,000 lines: every text moves to a new place on the grid of
// positions (the offset alternates between two values), strings unchanged.

#include "texttabbench.h"

#include "support/cadcalls.h"

#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace {

void BM_AlignLines(benchmark::State &state)
{
    BenchForm ui;
    if (!startWithAcquiredTexts(ui, state))
        return;
    TTextTab &tab = *ui.form().TabSheet1;
    if (!tab.SpeedButton6->isEnabled()) {
        state.SkipWithError("\"整列\" is not enabled");
        return;
    }
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        tab.Edit1->setText(++round % 2 ? QStringLiteral("1.5") : QStringLiteral("3"));
        tab.Edit2->setText(QStringLiteral("-10"));
        ui.drawing->clearCallLog();
        state.ResumeTiming();
        tab.SpeedButton6->click();
    }
    reportCadCalls(state, *ui.drawing, TextTabLines);
}
BENCHMARK(BM_AlignLines)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

} // namespace
