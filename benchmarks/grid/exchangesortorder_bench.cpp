// The exact exchange-order sort of the search results: 1,000,000 records
// with many equal texts, against the literal exchange procedure at 20,000
// records (n * n / 2 comparisons, so its time grows with the square of n).

#include "form/messagepump.h"
#include "grid/exchangesortorder.h"
#include "searchtab/sortsearchtexts.h"

#include <QLabel>

#include <benchmark/benchmark.h>

#include <random>

namespace {

// n records whose texts take one of a thousand values: about a thousand
// records share each text.
Morv2List recordsWithTies(int n)
{
    std::mt19937 random(20261211);
    Morv2List records(size_t(n), Morv2{});
    for (int i = 0; i < n; ++i) {
        records[size_t(i)].text = QStringLiteral("TEXT-%1").arg(int(random() % 1000), 3, 10, QLatin1Char('0'));
        records[size_t(i)].index = i;
    }
    return records;
}

void BM_ExactSort(benchmark::State &state)
{
    const Morv2List unsorted = recordsWithTies(int(state.range(0)));
    QLabel label;
    MessagePump pump;
    for (auto _ : state) {
        state.PauseTiming();
        Morv2List records = unsorted;
        state.ResumeTiming();
        SortSearchTexts(records, &label, pump);
        benchmark::DoNotOptimize(records.data());
    }
    state.counters["items"] = double(state.range(0));
}
BENCHMARK(BM_ExactSort)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The literal procedure: every pair compared, the whole records exchanged.
void BM_LiteralExchangeSort(benchmark::State &state)
{
    const Morv2List records = recordsWithTies(int(state.range(0)));
    for (auto _ : state) {
        const std::vector<int> order = exchangeSortOrderStepByStep(int(records.size()), [&records](int a, int b) {
            return textSortsAfter(records[size_t(a)].text, records[size_t(b)].text);
        });
        benchmark::DoNotOptimize(order.data());
    }
    state.counters["items"] = double(state.range(0));
}
BENCHMARK(BM_LiteralExchangeSort)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace
