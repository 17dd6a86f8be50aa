#pragma once
// The window system for the real program: our own main window through Qt;
// the CAD's windows through the CAD backend's window operations (on
// systems without a desktop-wide window manager API, the stand-in CAD
// moves its own window when asked over its connection).

#include "cad/windowsystem.h"

#include <QPointer>
#include <QWidget>

class QtWindowSystem : public cad::WindowSystem
{
public:
    explicit QtWindowSystem(cad::WindowSystem *cadWindows = nullptr);

    void setMainWindow(QWidget *window) { m_mainWindow = window; }
    void setCadWindows(cad::WindowSystem *cadWindows) { m_cadWindows = cadWindows; }

    bool topLevelWindowTitled(const std::u16string &title) override;
    bool isIconic(cad::WindowHandle window) override;
    void openIcon(cad::WindowHandle window) override;
    void sleep(int milliseconds) override;
    void minimizeWindow(cad::WindowHandle window) override;
    void showNormal(cad::WindowHandle window) override;
    void setForegroundWindow(cad::WindowHandle window) override;
    cad::WindowHandle foregroundWindow() override;
    void pressEscape() override;
    cad::ThreadId windowThread(cad::WindowHandle window) override;
    void attachThreadInput(cad::ThreadId from, cad::ThreadId to, bool attach) override;
    void bringWindowToTop(cad::WindowHandle window) override;
    void drawPolyline(cad::WindowHandle window, const cad::MarkerPen &pen,
                      const std::vector<cad::ScreenPoint> &points) override;

private:
    bool isMain(cad::WindowHandle window) const;

    QPointer<QWidget> m_mainWindow;
    cad::WindowSystem *m_cadWindows;
    cad::WindowHandle m_lastForeground = 0;
};
