#include "win32windowsystem.h"

#include "wide.h"

namespace cad::com {

bool Win32WindowSystem::topLevelWindowTitled(const std::u16string &title)
{
    return FindWindowW(nullptr, wide(title)) != nullptr;
}

bool Win32WindowSystem::isIconic(WindowHandle window)
{
    return IsIconic(toHwnd(window)) != FALSE;
}

void Win32WindowSystem::openIcon(WindowHandle window)
{
    OpenIcon(toHwnd(window));
}

void Win32WindowSystem::sleep(int milliseconds)
{
    Sleep(DWORD(milliseconds));
}

void Win32WindowSystem::minimizeWindow(WindowHandle window)
{
    ShowWindow(toHwnd(window), SW_MINIMIZE);
}

void Win32WindowSystem::showNormal(WindowHandle window)
{
    ShowWindow(toHwnd(window), SW_SHOWNORMAL);
}

void Win32WindowSystem::setForegroundWindow(WindowHandle window)
{
    SetForegroundWindow(toHwnd(window));
}

WindowHandle Win32WindowSystem::foregroundWindow()
{
    return fromHwnd(GetForegroundWindow());
}

void Win32WindowSystem::pressEscape()
{
    keybd_event(VK_ESCAPE, 0, 0, 0);
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
}

ThreadId Win32WindowSystem::windowThread(WindowHandle window)
{
    return ThreadId(GetWindowThreadProcessId(toHwnd(window), nullptr));
}

void Win32WindowSystem::attachThreadInput(ThreadId from, ThreadId to, bool attach)
{
    AttachThreadInput(DWORD(from), DWORD(to), attach ? TRUE : FALSE);
}

void Win32WindowSystem::bringWindowToTop(WindowHandle window)
{
    BringWindowToTop(toHwnd(window));
}

void Win32WindowSystem::drawPolyline(WindowHandle window, const MarkerPen &pen,
                                     const std::vector<ScreenPoint> &points)
{
    if (points.empty())
        return;
    const HWND hwnd = toHwnd(window);
    HDC dc = GetDC(hwnd);
    if (!dc)
        return;
    HPEN drawingPen = CreatePen(PS_SOLID, pen.width, RGB(pen.red, pen.green, pen.blue));
    if (drawingPen) {
        const HGDIOBJ previousPen = SelectObject(dc, drawingPen);
        if (pen.xorMode)
            SetROP2(dc, R2_XORPEN);
        MoveToEx(dc, points.front().x, points.front().y, nullptr);
        for (size_t i = 1; i < points.size(); ++i)
            LineTo(dc, points[i].x, points[i].y);
        SelectObject(dc, previousPen);
        DeleteObject(drawingPen);
    }
    ReleaseDC(hwnd, dc);
}

} // namespace cad::com
