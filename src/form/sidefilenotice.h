#pragma once
// What the user is told about a file beside the executable that the tool
// could not read or write. Each message names the file on its first line
// and says what happened on the second.

#include "textfile.h"

class MessageBoxes;

#include <QString>

#include <optional>

namespace SideFileNotice {

// The message for a file read with trouble (not a plain file, refused by
// the system, too large, not text, lines left out); nothing when it was
// read whole or is not there at all.
std::optional<QString> forRead(const QString &path, const TextFile::ReadResult &read);

// The message for a file that could not be written: the old one stays.
QString forWrite(const QString &path);

// Shows the message of forRead(), if any, in a plain box.
void tellAboutRead(MessageBoxes &messages, const QString &path, const TextFile::ReadResult &read);

} // namespace SideFileNotice
