#ifndef TEXTFILE_H
#define TEXTFILE_H

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Reading and writing the plain text files the tool keeps beside itself
// (settings, CAD list, tag lists). Users edit these files in Notepad, and
// files written by older Windows tools are in Shift_JIS, so reading accepts
// every encoding such a file may come in; writing is whole and atomic.
//
// The files are small by nature. A file a user broke (a binary file saved
// under the name, a log pasted into it, a folder of that name) must not
// hold up the start, so every read has limits and says how it went.
namespace TextFile {

// How large a file of one kind may be, and how long one of its lines.
struct ReadLimits
{
    qint64 maxBytes = 1024 * 1024;
    qsizetype maxLineLength = 4096;
};

enum class ReadStatus {
    Read,       // the lines are there; overlong ones are left out (skippedLines)
    Missing,    // nothing at the path
    NotAFile,   // a folder, a pipe or a device in place of the file
    Unreadable, // the system refused to open or to read it
    TooLarge,   // larger than the limit: left unread
    NotText,    // binary data, or bytes that no encoding of these files reads
};

struct ReadResult
{
    ReadStatus status = ReadStatus::Missing;
    QStringList lines;      // the lines read, without the overlong ones
    QByteArray bytes;       // the file's bytes, when it was read
    int skippedLines = 0;   // lines longer than the limit, left out
    ReadLimits limits;      // the limits it was read with

    bool isRead() const { return status == ReadStatus::Read; }
    // Read, and nothing of it left out.
    bool readWhole() const { return isRead() && skippedLines == 0; }
    // The file is there but the tool could not take all of it.
    bool hasTrouble() const { return status != ReadStatus::Missing && !readWhole(); }
};

// Reads the file at path within the limits. Never reads more than
// limits.maxBytes + 1 bytes, whatever the file's size.
ReadResult readFile(const QString &path, const ReadLimits &limits = {});

// Decodes a whole file: UTF-8 or UTF-16 when a byte order mark says so,
// UTF-8 when the bytes are valid UTF-8, otherwise Shift_JIS (the Windows
// code page 932 table). Nothing when the bytes are not text in any of them
// (invalid sequences, control characters other than tab and line ends).
std::optional<QString> decode(const QByteArray &bytes);

// Splits text into lines at CR LF, LF or a lone CR. A line end at the very
// end of the text does not start another line, so "a\nb\n" holds two lines
// and an empty text none.
QStringList splitLines(const QString &text);

// The lines of the file at path, or nothing when it cannot be read whole
// within the default limits.
std::optional<QStringList> readLines(const QString &path);

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

// Copies the file at path to copyPath atomically, a piece at a time (the
// file may be large). Fails for anything but a readable plain file.
bool copyFile(const QString &path, const QString &copyPath,
              QString *errorString = nullptr);

// Before a file the tool could not read whole is replaced, its text is
// kept beside it as path + ".bak". True when the file may be replaced:
// there was nothing to keep, or the copy is made.
bool keepUnreadFile(const QString &path, const ReadResult &read,
                    QString *errorString = nullptr);

// The name of the copy keepUnreadFile() makes.
QString keptCopyPath(const QString &path);

// Lets a test stop every write just before the new file replaces the old
// one, as a full disk or the program's end at that moment would: while the
// check returns false for a path, writing it fails and the old file stays.
// An empty function restores normal writing.
void setCommitCheck(std::function<bool(const QString &path)> check);

// A text that holds nothing but characters of code 32 or less.
bool isBlank(const QString &text);

// The lines that are not blank, each kept exactly as it is.
QStringList nonBlankLines(const QStringList &lines);

} // namespace TextFile

#endif // TEXTFILE_H
