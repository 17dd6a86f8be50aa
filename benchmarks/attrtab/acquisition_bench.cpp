// "取得" of 5,000 block references with eight tags each into the grid.

#include "attrtabbench.h"

#include "support/cadcalls.h"

#include "grid/stringgrid.h"

#include <QToolButton>

#include <benchmark/benchmark.h>

namespace {

void BM_AcquireBlocks(benchmark::State &state)
{
    BenchForm ui;
    ui.start(1);
    const std::vector<cad::Handle> refs = addEquipment(ui, GridBlockReferences);
    TAttrTab &tab = *ui.form().TabSheet2;
    for (auto _ : state) {
        state.PauseTiming();
        ui.drawing->scriptPick(refs);
        ui.drawing->clearCallLog();
        state.ResumeTiming();
        tab.SpeedButton10->click();
    }
    if (tab.StringGrid1->rowCount() != GridBlockReferences + 1 || tab.StringGrid1->colCount() != GridTags + 1)
        state.SkipWithError("the grid does not show every block reference");
    reportCadCalls(state, *ui.drawing, GridBlockReferences);
    state.counters["cells"] = GridBlockReferences * GridTags;
}
BENCHMARK(BM_AcquireBlocks)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace
