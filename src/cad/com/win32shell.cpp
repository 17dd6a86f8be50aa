#include "win32shell.h"

#include "wide.h"
#include "win32windowsystem.h"

#include <shellapi.h>

namespace cad::com {

bool openInNotepad(WindowHandle owner, const std::u16string &path)
{
    // Quoted, so that a folder with blanks in its name still names one file.
    const std::u16string parameter = u"\"" + path + u"\"";
    const HINSTANCE result
        = ShellExecuteW(toHwnd(owner), L"open", L"Notepad", wide(parameter), nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace cad::com
