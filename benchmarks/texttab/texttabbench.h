#pragma once
// The first tab over 10,000 acquired TEXTs, one below the other.

#include "support/benchform.h"

#include "editor/lineeditor.h"
#include "texttab/ttexttab.h"

#include <QStringList>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <vector>

constexpr int TextTabLines = 10000;

// Picks `count` TEXTs with "TEXT"; returns the number of editor lines.
inline int acquireTexts(BenchForm &ui, int count)
{
    std::vector<cad::Handle> handles;
    handles.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        const QString text = QStringLiteral("機器-%1 ABC").arg(i, 5, 10, QLatin1Char('0'));
        handles.push_back(ui.drawing->addText(text.toStdU16String(), {0, -10.0 * i, 0}));
    }
    ui.drawing->scriptPick(handles);
    TTextTab &tab = *ui.form().TabSheet1;
    tab.SpeedButton1->click();
    return int(tab.SynEdit1->lines().size());
}

// Starts the window and picks TextTabLines TEXTs; false (the benchmark
// skipped with the reason) when the editor did not get every one.
inline bool startWithAcquiredTexts(BenchForm &ui, benchmark::State &state)
{
    ui.start(0);
    if (acquireTexts(ui, TextTabLines) == TextTabLines)
        return true;
    state.SkipWithError("the acquisition did not take every text");
    return false;
}

// The editor's lines, every one different from the lines of another round.
inline QStringList changedLines(int count, int round)
{
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("機器-%1 第%2版").arg(i, 5, 10, QLatin1Char('0')).arg(round);
    return lines;
}
