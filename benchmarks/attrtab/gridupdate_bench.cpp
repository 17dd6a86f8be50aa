// "更新" of the attribute grid with 40,000 changed cells.

#include "attrtabbench.h"

#include "support/cadcalls.h"

#include "grid/stringgrid.h"

#include <QToolButton>

#include <benchmark/benchmark.h>

namespace {

void BM_UpdateGrid(benchmark::State &state)
{
    BenchForm ui;
    ui.start(1);
    ui.drawing->scriptPick(addEquipment(ui, GridBlockReferences));
    TAttrTab &tab = *ui.form().TabSheet2;
    tab.SpeedButton10->click();
    StringGrid *grid = tab.StringGrid1;
    if (grid->rowCount() != GridBlockReferences + 1 || grid->colCount() != GridTags + 1) {
        state.SkipWithError("the grid does not show every block reference");
        return;
    }
    const int cells = GridBlockReferences * GridTags;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++round;
        for (int row = 1; row < grid->rowCount(); ++row) {
            for (int col = 1; col < grid->colCount(); ++col)
                grid->setCellText(col, row, QStringLiteral("新%1-%2-%3").arg(row).arg(col).arg(round));
        }
        ui.drawing->clearCallLog();
        state.ResumeTiming();
        tab.SpeedButton11->click();
    }
    reportCadCalls(state, *ui.drawing, cells);
}
BENCHMARK(BM_UpdateGrid)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace
