#include "qtmessageboxes.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

namespace {

void show(QMessageBox::Icon icon, const QString &title, const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok);
    // Above the always-on-top main window, and centred on the screen.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = box.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        box.move(frame.topLeft());
    }
    box.exec();
}

} // namespace

void QtMessageBoxes::plain(const QString &text)
{
    show(QMessageBox::NoIcon, QApplication::applicationName(), text);
}

void QtMessageBoxes::information(const QString &text)
{
    show(QMessageBox::Information, QStringLiteral("情報"), text);
}

void QtMessageBoxes::error(const QString &text)
{
    show(QMessageBox::Critical, QApplication::applicationName(), text);
}
