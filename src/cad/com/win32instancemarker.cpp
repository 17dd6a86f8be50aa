#include "win32instancemarker.h"

#include "wide.h"

namespace cad::com {

bool Win32InstanceMarker::exists(const std::u16string &windowClass)
{
    return FindWindowW(wide(windowClass), nullptr) != nullptr;
}

Win32InstanceMarker::Win32InstanceMarker(const std::u16string &windowClass)
    : m_class(windowClass)
    , m_instance(GetModuleHandleW(nullptr))
{
    WNDCLASSW windowClassInfo{};
    windowClassInfo.lpfnWndProc = DefWindowProcW;
    windowClassInfo.hInstance = m_instance;
    windowClassInfo.lpszClassName = wide(m_class);
    RegisterClassW(&windowClassInfo); // fails harmlessly when already registered
    // Never shown: it exists only to be found.
    m_window = CreateWindowExW(WS_EX_TOOLWINDOW, wide(m_class), L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                               nullptr, m_instance, nullptr);
}

Win32InstanceMarker::~Win32InstanceMarker()
{
    if (m_window)
        DestroyWindow(m_window);
    UnregisterClassW(wide(m_class), m_instance);
}

} // namespace cad::com
