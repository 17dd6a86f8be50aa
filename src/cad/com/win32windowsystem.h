#pragma once
// The window-system operations of the CAD link on Windows, each the Win32
// call of the same name: bringing windows up, the Escape key, the threads
// that own windows, and the marker drawn straight onto the CAD's window.

#include "cad/windowsystem.h"

#include <windows.h>

namespace cad::com {

inline HWND toHwnd(WindowHandle window)
{
    return reinterpret_cast<HWND>(static_cast<intptr_t>(window));
}

inline WindowHandle fromHwnd(HWND window)
{
    return WindowHandle(reinterpret_cast<intptr_t>(window));
}

class Win32WindowSystem : public WindowSystem
{
public:
    bool topLevelWindowTitled(const std::u16string &title) override;
    bool isIconic(WindowHandle window) override;
    void openIcon(WindowHandle window) override;
    void sleep(int milliseconds) override;
    void minimizeWindow(WindowHandle window) override;
    void showNormal(WindowHandle window) override;
    void setForegroundWindow(WindowHandle window) override;
    WindowHandle foregroundWindow() override;
    void pressEscape() override;
    ThreadId windowThread(WindowHandle window) override;
    void attachThreadInput(ThreadId from, ThreadId to, bool attach) override;
    void bringWindowToTop(WindowHandle window) override;
    void drawPolyline(WindowHandle window, const MarkerPen &pen,
                      const std::vector<ScreenPoint> &points) override;
};

} // namespace cad::com
