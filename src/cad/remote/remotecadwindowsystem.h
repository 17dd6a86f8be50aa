#pragma once
// The window operations of the CAD link when the CAD is a stand-in behind a
// socket. Another process's window cannot be raised or drawn on portably,
// so operations on the CAD's windows (the handles its application and
// active document report as HWND) are asked of the CAD itself, over the
// connection of the last attach, by the reserved "MorvexWindow." members of
// its application object. Everything else concerns this process's own
// windows and goes to the local window system.

#include "socketrunningobjecttable.h"

#include "cad/windowsystem.h"

namespace cad::remote {

class RemoteCadWindowSystem : public WindowSystem
{
public:
    // `local` handles this process's windows; without one they are left alone.
    RemoteCadWindowSystem(const SocketRunningObjectTable &rot, WindowSystem *local);

    bool topLevelWindowTitled(const std::u16string &title) override;
    bool isIconic(WindowHandle window) override;
    void openIcon(WindowHandle window) override;
    void sleep(int milliseconds) override;
    void minimizeWindow(WindowHandle window) override;
    void showNormal(WindowHandle window) override;
    void setForegroundWindow(WindowHandle window) override;
    // The CAD's application window while the CAD says its window is active.
    WindowHandle foregroundWindow() override;
    // Escape goes to the CAD while its window is active: it ends a pending pick there.
    void pressEscape() override;
    ThreadId windowThread(WindowHandle window) override;
    void attachThreadInput(ThreadId from, ThreadId to, bool attach) override;
    void bringWindowToTop(WindowHandle window) override;
    void drawPolyline(WindowHandle window, const MarkerPen &pen, const std::vector<ScreenPoint> &points) override;

    // The thread id reported for the CAD's windows: a thread of another
    // process, never attached to.
    static constexpr ThreadId CadThread = 0xCAD;

private:
    // The attached CAD's application object when `window` is one of its
    // windows, else null.
    ObjectRef cadOwning(WindowHandle window) const;
    ObjectRef activeCad() const;

    const SocketRunningObjectTable &m_rot;
    WindowSystem *m_local;
};

} // namespace cad::remote
