#include "shiftjistext.h"

#include <windows.h>

namespace {

constexpr UINT WindowsJapanese = 932;

} // namespace

std::optional<QString> decodeShiftJis(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QString();
    // MB_ERR_INVALID_CHARS: bytes the table does not hold fail the call
    // instead of turning into a default character.
    const int length = MultiByteToWideChar(WindowsJapanese, MB_ERR_INVALID_CHARS, bytes.constData(),
                                           int(bytes.size()), nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    QString text(length, Qt::Uninitialized);
    MultiByteToWideChar(WindowsJapanese, MB_ERR_INVALID_CHARS, bytes.constData(), int(bytes.size()),
                        reinterpret_cast<wchar_t *>(text.data()), length);
    return text;
}

std::optional<QByteArray> encodeShiftJis(const QString &text)
{
    if (text.isEmpty())
        return QByteArray();
    const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
    BOOL lost = FALSE;
    const int length = WideCharToMultiByte(WindowsJapanese, 0, wide, int(text.size()), nullptr, 0, nullptr, &lost);
    if (length <= 0 || lost)
        return std::nullopt;
    QByteArray bytes(length, Qt::Uninitialized);
    WideCharToMultiByte(WindowsJapanese, 0, wide, int(text.size()), bytes.data(), length, nullptr, nullptr);
    return bytes;
}
