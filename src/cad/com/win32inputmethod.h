#pragma once
// The input method of a window, as the fields with "input method closed"
// need it: switched off when such a field is entered; the user may switch
// it on again (Hankaku/Zenkaku) and type Japanese there.

#include "cad/windowsystem.h"

namespace cad::com {

// ImmSetOpenStatus(FALSE) on the window's input context; nothing when the
// window has none (no input method installed).
void closeInputMethod(WindowHandle window);

} // namespace cad::com
