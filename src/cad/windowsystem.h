#pragma once
// The window-system operations the CAD link needs: bringing windows up,
// the Escape key for the CAD, and the marker drawn on the CAD's window.
// Handles are the platform's window handles as 64-bit integers.

#include <cstdint>
#include <string>
#include <vector>

namespace cad {

using WindowHandle = int64_t;
using ThreadId = uint32_t;

struct ScreenPoint
{
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint &) const = default;
};

struct MarkerPen
{
    int width = 1;
    uint8_t red = 0, green = 0, blue = 0;
    bool xorMode = false;
    bool operator==(const MarkerPen &) const = default;
};

class WindowSystem
{
public:
    virtual ~WindowSystem() = default;

    virtual bool topLevelWindowTitled(const std::u16string &title) = 0;
    virtual bool isIconic(WindowHandle window) = 0;
    virtual void openIcon(WindowHandle window) = 0;
    virtual void sleep(int milliseconds) = 0;
    virtual void minimizeWindow(WindowHandle window) = 0;
    virtual void showNormal(WindowHandle window) = 0;
    virtual void setForegroundWindow(WindowHandle window) = 0;
    virtual WindowHandle foregroundWindow() = 0;
    // One press and release of Escape, delivered to the foreground window.
    virtual void pressEscape() = 0;
    virtual ThreadId windowThread(WindowHandle window) = 0;
    virtual void attachThreadInput(ThreadId from, ThreadId to, bool attach) = 0;
    virtual void bringWindowToTop(WindowHandle window) = 0;
    // A polyline in window coordinates (y downward) drawn straight onto the
    // window; it is gone at the window's next repaint.
    virtual void drawPolyline(WindowHandle window, const MarkerPen &pen,
                              const std::vector<ScreenPoint> &points) = 0;
};

} // namespace cad
