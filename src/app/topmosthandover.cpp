#include "topmosthandover.h"

#include <QDialog>
#include <QWidget>

namespace {

void setTopmost(QWidget *window, bool topmost)
{
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost)
        return;
    // Changing the flag re-creates the native window: keep its place.
    const QRect geometry = window->geometry();
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    window->setGeometry(geometry);
    if (visible)
        window->show();
}

} // namespace

int execOverTopmost(QWidget *mainWindow, QDialog *dialog)
{
    setTopmost(mainWindow, false);
    setTopmost(dialog, true);
    const int result = dialog->exec();
    setTopmost(dialog, false);
    setTopmost(mainWindow, true);
    return result;
}
