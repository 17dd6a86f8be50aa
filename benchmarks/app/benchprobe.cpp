// A program the benchmarks start afresh, so that a figure holds for a
// process of its own:
//   morvex-bench-probe startup        the tool's start-up to its main window
//                                     shown (prints "shown", then closes it)
//   morvex-bench-probe bare           the same for an empty Qt main window
//   morvex-bench-probe search-memory  the peak memory of a process during a
//                                     "検索" of 100,000 TEXTs (prints the
//                                     resident kB before and the peak)
#include "support/benchform.h"

#include "app/morvexprogram.h"
#include "app/tmorvmainform.h"
#include "searchtab/tsearchtab.h"

#include "../searchtab/searchdrawing.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>

#include <cstdio>
#include <cstring>

namespace {

void sayShown()
{
    std::fputs("shown\n", stdout);
    std::fflush(stdout);
}

// A field of /proc/self/status in kB ("VmRSS", "VmHWM").
long statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(status.readAll());
    const QRegularExpression line(QStringLiteral("%1:\\s+(\\d+)").arg(QLatin1String(field)));
    const QRegularExpressionMatch match = line.match(text);
    return match.hasMatch() ? match.captured(1).toLong() : -1;
}

int searchMemory(int argc, char *argv[])
{
    QApplication app(argc, argv);
    constexpr int Texts = 100000;
    BenchForm ui;
    addSearchTexts(*ui.drawing, Texts);
    ui.start(2);
    const long before = statusKb("VmRSS");
    // From here the peak counts from the present size.
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (!clearRefs.open(QIODevice::WriteOnly) || clearRefs.write("5") != 1)
        return 3;
    clearRefs.close();
    TSearchTab &tab = *ui.form().TEST;
    tab.Edit3->setText(QString());
    tab.SpeedButton14->click();
    if (tab.SearchTexts.size() != size_t(Texts))
        return 4;
    std::printf("%ld %ld\n", before, statusKb("VmHWM"));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const char *mode = argc > 1 ? argv[1] : "";
    if (std::strcmp(mode, "startup") == 0) {
        return runMorvex(1, argv, [](TMorvMainForm &form) {
            sayShown();
            form.close();
        });
    }
    if (std::strcmp(mode, "bare") == 0) {
        int one = 1;
        QApplication app(one, argv);
        QMainWindow window;
        window.resize(TMorvMainForm::ClientWidth, TMorvMainForm::ClientHeight);
        window.show();
        QTimer::singleShot(0, &window, [&window] {
            sayShown();
            window.close();
        });
        return app.exec();
    }
    if (std::strcmp(mode, "search-memory") == 0) {
        int one = 1;
        return searchMemory(one, argv);
    }
    std::fputs("usage: morvex-bench-probe startup|bare|search-memory\n", stderr);
    return 2;
}
