// morvex-screenshot: saves the whole X screen as a PNG. The run command and
// the screenshot test use it where the programs run under Xvfb and a
// screenshot is the only way to see them.
//
//   morvex-screenshot [--wait SECONDS] picture.png
//
// --wait: grab again until something shows on the screen (a program still
// starting leaves it blank), at most that long.
//
// A screen that stays blank is no picture of anything: then nothing is
// saved, the helper says so and ends with status 3.

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include <cstdio>

namespace {

constexpr int RetryMs = 250;
// Painting a window takes a moment once it is mapped.
constexpr int SettleMs = 750;

bool isBlank(const QImage &image)
{
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 4) {
        for (int x = 0; x < image.width(); x += 4) {
            if (image.pixel(x, y) != first)
                return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption waitOption(QStringLiteral("wait"),
                                        QStringLiteral("Grab until the screen is not blank, at most SECONDS."),
                                        QStringLiteral("SECONDS"), QStringLiteral("0"));
    parser.addOption(waitOption);
    parser.addPositionalArgument(QStringLiteral("picture"), QStringLiteral("The PNG file to write."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1) {
        std::fprintf(stderr, "usage: morvex-screenshot [--wait SECONDS] picture.png\n");
        return 2;
    }
    const QString path = parser.positionalArguments().front();
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen) {
        std::fprintf(stderr, "morvex-screenshot: no screen\n");
        return 1;
    }

    const qint64 waitMs = qint64(parser.value(waitOption).toDouble() * 1000);
    QElapsedTimer waited;
    waited.start();
    QPixmap picture = screen->grabWindow(0);
    if (waitMs > 0) {
        while (isBlank(picture.toImage()) && waited.elapsed() < waitMs) {
            QThread::msleep(RetryMs);
            picture = screen->grabWindow(0);
        }
        QThread::msleep(SettleMs);
        picture = screen->grabWindow(0);
    }
    if (!picture.isNull() && isBlank(picture.toImage())) {
        std::fprintf(stderr, "morvex-screenshot: the screen stayed blank: nothing is shown on it\n");
        return 3;
    }
    if (picture.isNull() || !picture.save(path)) {
        std::fprintf(stderr, "morvex-screenshot: cannot save %s\n", qPrintable(path));
        return 1;
    }
    return 0;
}
