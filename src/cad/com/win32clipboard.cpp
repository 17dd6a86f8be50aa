#include "win32clipboard.h"

#include <windows.h>

#include <cstring>

namespace cad::com {

namespace {

// Another program may hold the clipboard open for a moment.
bool openClipboard()
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (OpenClipboard(nullptr))
            return true;
        Sleep(10);
    }
    return false;
}

} // namespace

std::optional<std::u16string> clipboardUnicodeText()
{
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !openClipboard())
        return std::nullopt;
    std::optional<std::u16string> text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto *chars = static_cast<const char16_t *>(GlobalLock(data))) {
            // Up to the terminating NUL, never beyond the block.
            const size_t capacity = GlobalSize(data) / sizeof(char16_t);
            size_t length = 0;
            while (length < capacity && chars[length] != 0)
                ++length;
            text = std::u16string(chars, length);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool setClipboardUnicodeText(const std::u16string &text)
{
    if (!openClipboard())
        return false;
    EmptyClipboard();
    bool placed = false;
    const size_t bytes = (text.size() + 1) * sizeof(char16_t);
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void *target = GlobalLock(block)) {
            std::memcpy(target, text.c_str(), bytes);
            GlobalUnlock(block);
            placed = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
        }
        if (!placed)
            GlobalFree(block);
    }
    CloseClipboard();
    return placed;
}

} // namespace cad::com
