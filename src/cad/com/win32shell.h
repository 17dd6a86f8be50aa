#pragma once
// The shell of Windows: a side file opened in Notepad, as the tag list
// menu items do.

#include "cad/windowsystem.h"

#include <string>

namespace cad::com {

// ShellExecuteW with the owner window, the verb "open", the program
// "Notepad", the quoted path as its parameter, no working folder and the
// normal show state. Does not wait for Notepad. False when it did not start.
bool openInNotepad(WindowHandle owner, const std::u16string &path);

} // namespace cad::com
