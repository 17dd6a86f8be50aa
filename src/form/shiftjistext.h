#pragma once
// Shift_JIS as Windows writes it (code page 932, Windows-31J: the NEC and
// IBM extensions included), for the files beside the executable that older
// Windows tools wrote. ICU's converter through Qt where Qt has one; on
// Windows the system's own code page 932 (Qt for Windows may be built
// without ICU). The build picks one implementation.

#include <QByteArray>
#include <QString>

#include <optional>

// Nothing when the bytes are not valid Shift_JIS (a byte the table does not
// hold, a lead byte without its trail byte), or when this system has no
// Shift_JIS converter.
std::optional<QString> decodeShiftJis(const QByteArray &bytes);
// The tool itself writes UTF-8; the tests write files as older tools did.
// Nothing when a character has no Shift_JIS form.
std::optional<QByteArray> encodeShiftJis(const QString &text);
