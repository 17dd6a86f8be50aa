// "TEXT" of 10,000 picked TEXTs into the editor.

#include "texttabbench.h"

#include "support/cadcalls.h"

#include <benchmark/benchmark.h>

namespace {

void BM_AcquireTexts(benchmark::State &state)
{
    BenchForm ui;
    ui.start(0);
    std::vector<cad::Handle> handles;
    for (int i = 0; i < TextTabLines; ++i)
        handles.push_back(ui.drawing->addText(QStringLiteral("機器-%1").arg(i).toStdU16String(), {0, -10.0 * i, 0}));
    TTextTab &tab = *ui.form().TabSheet1;
    for (auto _ : state) {
        state.PauseTiming();
        ui.drawing->scriptPick(handles);
        ui.drawing->clearCallLog();
        state.ResumeTiming();
        tab.SpeedButton1->click();
    }
    if (tab.SynEdit1->lines().size() != TextTabLines)
        state.SkipWithError("the acquisition did not take every text");
    reportCadCalls(state, *ui.drawing, TextTabLines);
}
BENCHMARK(BM_AcquireTexts)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace
