#ifndef TEXTFILE_H
#define TEXTFILE_H

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Reading and writing the plain text files the tool keeps beside itself
// (settings, CAD list, tag lists). Users edit these files in Notepad, and
// files written by older Windows tools are in Shift_JIS, so reading accepts
// every encoding such a file may come in; writing is whole and atomic.
namespace TextFile {

// Decodes a whole file: UTF-8 or UTF-16 when a byte order mark says so,
// UTF-8 when the bytes are valid UTF-8, otherwise Shift_JIS (the Windows
// code page 932 table).
QString decode(const QByteArray &bytes);

// Splits text into lines at CR LF, LF or a lone CR. A line end at the very
// end of the text does not start another line, so "a\nb\n" holds two lines
// and an empty text none.
QStringList splitLines(const QString &text);

// The lines of the file at path, or nothing when it cannot be read.
std::optional<QStringList> readLines(const QString &path);

// The file's raw bytes, or nothing when it cannot be read.
std::optional<QByteArray> readBytes(const QString &path);

// The bytes writeLines() puts into a file for these lines.
QByteArray encodeLines(const QStringList &lines);

// Writes the lines, each ended by CR LF, replacing the file at path
// atomically: a temporary file beside it is renamed over it only once it is
// complete, so a failure never leaves a half-written file.
bool writeLines(const QString &path, const QStringList &lines,
                QString *errorString = nullptr);

// Writes raw bytes atomically, as writeLines() does.
bool writeBytes(const QString &path, const QByteArray &bytes,
                QString *errorString = nullptr);

// A text that holds nothing but characters of code 32 or less.
bool isBlank(const QString &text);

// The lines that are not blank, each kept exactly as it is.
QStringList nonBlankLines(const QStringList &lines);

} // namespace TextFile

#endif // TEXTFILE_H
