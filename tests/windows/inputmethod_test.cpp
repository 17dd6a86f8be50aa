// The input method of a window switched off on entering a field that wants
// it closed, and the user's own switch left to the user.

#include "cad/com/win32inputmethod.h"
#include "cad/com/win32windowsystem.h"

#include <gtest/gtest.h>

#include <imm.h>
#include <windows.h>

namespace {

using namespace cad::com;

struct FieldWindow
{
    FieldWindow()
    {
        WNDCLASSW c{};
        c.lpfnWndProc = DefWindowProcW;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = L"MorvexInputMethodTestWindow";
        RegisterClassW(&c);
        hwnd = CreateWindowExW(0, c.lpszClassName, L"field", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                               c.hInstance, nullptr);
    }
    ~FieldWindow() { DestroyWindow(hwnd); }
    FieldWindow(const FieldWindow &) = delete;
    FieldWindow &operator=(const FieldWindow &) = delete;

    bool isOpen() const
    {
        const HIMC context = ImmGetContext(hwnd);
        const bool open = context && ImmGetOpenStatus(context);
        if (context)
            ImmReleaseContext(hwnd, context);
        return open;
    }
    void setOpen(bool open) const
    {
        const HIMC context = ImmGetContext(hwnd);
        ASSERT_TRUE(context) << "the window has no input context";
        ImmSetOpenStatus(context, open);
        ImmReleaseContext(hwnd, context);
    }

    HWND hwnd;
};

TEST(Win32InputMethod, EnteringTheFieldClosesItAndTheUserMayOpenItAgain)
{
    const FieldWindow window;
    ASSERT_TRUE(window.hwnd);
    window.setOpen(true);
    ASSERT_TRUE(window.isOpen());

    closeInputMethod(fromHwnd(window.hwnd));
    EXPECT_FALSE(window.isOpen());

    // Closed, not disabled: the user's Hankaku/Zenkaku key opens it again.
    window.setOpen(true);
    EXPECT_TRUE(window.isOpen());
}

} // namespace
