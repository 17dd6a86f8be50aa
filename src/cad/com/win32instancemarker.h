#pragma once
// The mark of a running tool on Windows: a hidden top-level window of its
// own window class, which a second start finds by class (FindWindowW) and
// then ends silently.

#include <windows.h>

#include <string>

namespace cad::com {

class Win32InstanceMarker
{
public:
    // Whether a top-level window of the class exists, whatever its title.
    static bool exists(const std::u16string &windowClass);

    // Registers the class and creates the hidden window; it goes with this
    // object.
    explicit Win32InstanceMarker(const std::u16string &windowClass);
    ~Win32InstanceMarker();
    Win32InstanceMarker(const Win32InstanceMarker &) = delete;
    Win32InstanceMarker &operator=(const Win32InstanceMarker &) = delete;

    bool isValid() const { return m_window != nullptr; }
    HWND window() const { return m_window; }

private:
    std::u16string m_class;
    HINSTANCE m_instance;
    HWND m_window = nullptr;
};

} // namespace cad::com
