#include "qtwindowsystem.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

QtWindowSystem::QtWindowSystem(cad::WindowSystem *cadWindows)
    : m_cadWindows(cadWindows)
{
}

bool QtWindowSystem::isMain(cad::WindowHandle window) const
{
    return m_mainWindow && window == cad::WindowHandle(m_mainWindow->winId());
}

bool QtWindowSystem::topLevelWindowTitled(const std::u16string &title)
{
    for (const QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->windowTitle() == QString::fromStdU16String(title))
            return true;
    }
    return m_cadWindows && m_cadWindows->topLevelWindowTitled(title);
}

bool QtWindowSystem::isIconic(cad::WindowHandle window)
{
    if (isMain(window))
        return m_mainWindow->isMinimized();
    return m_cadWindows && m_cadWindows->isIconic(window);
}

void QtWindowSystem::openIcon(cad::WindowHandle window)
{
    if (isMain(window))
        m_mainWindow->showNormal();
    else if (m_cadWindows)
        m_cadWindows->openIcon(window);
}

void QtWindowSystem::sleep(int milliseconds)
{
    // The GUI keeps painting while the CAD window comes up.
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
        QThread::msleep(1);
    }
}

void QtWindowSystem::minimizeWindow(cad::WindowHandle window)
{
    if (isMain(window))
        m_mainWindow->showMinimized();
    else if (m_cadWindows)
        m_cadWindows->minimizeWindow(window);
}

void QtWindowSystem::showNormal(cad::WindowHandle window)
{
    if (isMain(window))
        m_mainWindow->showNormal();
    else if (m_cadWindows)
        m_cadWindows->showNormal(window);
}

void QtWindowSystem::setForegroundWindow(cad::WindowHandle window)
{
    m_lastForeground = window;
    if (isMain(window)) {
        m_mainWindow->raise();
        m_mainWindow->activateWindow();
    } else if (m_cadWindows) {
        m_cadWindows->setForegroundWindow(window);
    }
}

cad::WindowHandle QtWindowSystem::foregroundWindow()
{
    if (m_mainWindow && m_mainWindow->isActiveWindow())
        return cad::WindowHandle(m_mainWindow->winId());
    if (m_cadWindows)
        return m_cadWindows->foregroundWindow();
    return m_lastForeground;
}

void QtWindowSystem::pressEscape()
{
    if (m_cadWindows)
        m_cadWindows->pressEscape();
}

cad::ThreadId QtWindowSystem::windowThread(cad::WindowHandle)
{
    // One GUI thread here; the CAD answers from its own process.
    return 1;
}

void QtWindowSystem::attachThreadInput(cad::ThreadId, cad::ThreadId, bool)
{
}

void QtWindowSystem::bringWindowToTop(cad::WindowHandle window)
{
    if (isMain(window))
        m_mainWindow->raise();
    else if (m_cadWindows)
        m_cadWindows->bringWindowToTop(window);
}

void QtWindowSystem::drawPolyline(cad::WindowHandle window, const cad::MarkerPen &pen,
                                  const std::vector<cad::ScreenPoint> &points)
{
    if (m_cadWindows && !isMain(window))
        m_cadWindows->drawPolyline(window, pen, points);
}
