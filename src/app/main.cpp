// Program entry. The main window comes with its own change; for now the
// frame alone, so that the build and the run command have a program.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Morvex"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("MorvEdit"));
    window.setWindowFlag(Qt::WindowStaysOnTopHint);
    window.resize(328, 320);
    window.show();
    return app.exec();
}
