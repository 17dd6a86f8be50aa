// The text tools over 100,000 editor lines of 20 characters, through the
// editor's all-lines pattern as the pop-up menu runs them: "すべて全角に"
// (AllHanToZen), "全角カタカナを半角に" (KanaZenToHan), "すべて置換" and
// "すべて加算" (their dialogs answered as the user does).

#include "support/benchform.h"

#include "editor/lineeditor.h"
#include "texttab/ttexttab.h"
#include "transform/dialogs/tmorvkasanform.h"
#include "transform/dialogs/tmorvtikanform.h"
#include "transform/editor/editorpopupmenu.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <functional>

namespace {

constexpr int ToolLines = 100000;

// Twenty characters a line, the number in it counting up.
QStringList toolLines(const QString &pattern)
{
    QStringList lines;
    lines.reserve(ToolLines);
    for (int i = 0; i < ToolLines; ++i)
        lines << pattern.arg(i % 100000, 5, 10, QLatin1Char('0'));
    return lines;
}

// Answers the dialog as soon as it shows (the command opens it modally).
void answerWhenShown(QDialog &dialog, std::function<void()> answer)
{
    auto *timer = new QTimer(&dialog);
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, &dialog, [timer, &dialog, answer] {
        if (!dialog.isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        answer();
    });
    timer->start();
}

enum class Tool { AllHanToZen, KanaZenToHan, Replace, Add };

void BM_EditorTool(benchmark::State &state)
{
    const Tool tool = Tool(state.range(0));
    BenchForm ui;
    ui.start(0);
    TTextTab &tab = *ui.form().TabSheet1;
    EditorPopupMenu &menu = *tab.PopupMenu1;
    const QStringList lines = toolLines(tool == Tool::KanaZenToHan ? QStringLiteral("カタカナ%1ガギグゲゴパピプ")
                                                                   : QStringLiteral("ﾃｽﾄ abc No.%1 ﾊﾟﾈﾙ12"));
    for (auto _ : state) {
        state.PauseTiming();
        tab.SynEdit1->setLines(lines);
        if (tool == Tool::Replace) {
            TMorvTikanForm &dialog = ui.form().MorvTikanForm();
            answerWhenShown(dialog, [&dialog] {
                dialog.Edit1->setText(QStringLiteral("abc"));
                dialog.Edit2->setText(QStringLiteral("ＡＢＣＤ"));
                dialog.Button1->click();
            });
        } else if (tool == Tool::Add) {
            TMorvKasanForm &dialog = ui.form().MorvKasanForm();
            answerWhenShown(dialog, [&dialog] {
                dialog.SpeedButton1->click();
                dialog.Edit1->setText(QStringLiteral("7"));
                dialog.Button1->click();
            });
        }
        state.ResumeTiming();
        switch (tool) {
        case Tool::AllHanToZen: menu.N1->trigger(); break;
        case Tool::KanaZenToHan: menu.N24->trigger(); break;
        case Tool::Replace: menu.N7->trigger(); break;
        case Tool::Add: menu.N14->trigger(); break;
        }
    }
    const QStringList after = tab.SynEdit1->lines();
    if (after.size() != ToolLines || after == lines)
        state.SkipWithError("the tool did not change the lines");
    state.counters["items"] = ToolLines;
}
BENCHMARK(BM_EditorTool)
    ->ArgName("tool")
    ->Arg(int(Tool::AllHanToZen))
    ->Arg(int(Tool::KanaZenToHan))
    ->Arg(int(Tool::Replace))
    ->Arg(int(Tool::Add))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

} // namespace
