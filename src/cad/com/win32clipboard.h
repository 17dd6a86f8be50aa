#pragma once
// The Windows clipboard's text exactly as the program that copied it put it
// there (CF_UNICODETEXT), line ends included.

#include <optional>
#include <string>

namespace cad::com {

// Nothing when the clipboard holds no text or cannot be opened.
std::optional<std::u16string> clipboardUnicodeText();
// Puts the text on the clipboard as another program would (tests).
bool setClipboardUnicodeText(const std::u16string &text);

} // namespace cad::com
