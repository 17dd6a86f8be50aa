#include "win32inputmethod.h"

#include "win32windowsystem.h"

#include <imm.h>

namespace cad::com {

void closeInputMethod(WindowHandle window)
{
    const HWND hwnd = toHwnd(window);
    const HIMC context = ImmGetContext(hwnd);
    if (!context)
        return;
    ImmSetOpenStatus(context, FALSE);
    ImmReleaseContext(hwnd, context);
}

} // namespace cad::com
