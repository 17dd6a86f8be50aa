// Figures of a process of its own (morvex-bench-probe): the tool's start-up
// to its main window shown, against an empty Qt main window shown the same
// way; the peak memory of a "検索" of 100,000 TEXTs.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

QProcessEnvironment probeEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

// Starts the probe and times it until it says "shown".
void timeUntilShown(benchmark::State &state, const QString &mode)
{
    for (auto _ : state) {
        QProcess probe;
        probe.setProcessEnvironment(probeEnvironment());
        const auto start = Clock::now();
        probe.start(QStringLiteral(MORVEX_BENCH_PROBE), {mode});
        bool shown = false;
        while (!shown && probe.waitForReadyRead(10000))
            shown = probe.readAllStandardOutput().contains("shown");
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        probe.waitForFinished(10000);
        if (!shown) {
            state.SkipWithError("the window was not shown (is another copy of the tool running?)");
            return;
        }
        state.SetIterationTime(seconds);
    }
}

void BM_StartupToWindowShown(benchmark::State &state)
{
    timeUntilShown(state, QStringLiteral("startup"));
}
BENCHMARK(BM_StartupToWindowShown)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

void BM_BareQtWindowShown(benchmark::State &state)
{
    timeUntilShown(state, QStringLiteral("bare"));
}
BENCHMARK(BM_BareQtWindowShown)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

void BM_SearchPeakMemory(benchmark::State &state)
{
    for (auto _ : state) {
        QProcess probe;
        probe.setProcessEnvironment(probeEnvironment());
        probe.start(QStringLiteral(MORVEX_BENCH_PROBE), {QStringLiteral("search-memory")});
        if (!probe.waitForFinished(120000) || probe.exitCode() != 0) {
            state.SkipWithError("the probe failed");
            return;
        }
        const QStringList kb = QString::fromLatin1(probe.readAllStandardOutput()).split(u' ', Qt::SkipEmptyParts);
        if (kb.size() != 2) {
            state.SkipWithError("the probe gave no figures");
            return;
        }
        state.counters["before_MB"] = kb[0].toDouble() / 1024;
        state.counters["peak_MB"] = kb[1].toDouble() / 1024;
    }
}
BENCHMARK(BM_SearchPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace
