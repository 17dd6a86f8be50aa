// morvex-screenshot: saves the whole X screen as a PNG. The run command uses
// it on a machine without a display, where both programs run under Xvfb and
// a screenshot is the only way to see them.
//
//   morvex-screenshot picture.png

#include <QApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: morvex-screenshot picture.png\n");
        return 2;
    }
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen) {
        std::fprintf(stderr, "morvex-screenshot: no screen\n");
        return 1;
    }
    const QPixmap picture = screen->grabWindow(0);
    if (picture.isNull() || !picture.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "morvex-screenshot: cannot save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
