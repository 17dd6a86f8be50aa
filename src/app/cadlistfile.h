#ifndef CADLISTFILE_H
#define CADLISTFILE_H

#include <QString>
#include <QStringList>

#include "form/textfile.h"

#include <optional>

// The CAD list file "TargetCAD_APIVersion.txt": one CAD per line, its
// display name, a tab and its automation ProgID.
namespace CadListFile {

// A handful of lines, a name and a ProgID each.
inline constexpr TextFile::ReadLimits Limits{64 * 1024, 4096};

struct Entry
{
    QString name;
    QString progId;
};

// Splits a line at its first tab. A line without a tab has an empty name
// and is a ProgID as a whole.
Entry splitLine(const QString &line);

// A line with name and ProgID as the file stores it.
QString joinLine(const QString &name, const QString &progId);

// Whether the line belongs to progId: it holds a tab immediately followed
// by progId anywhere, so a stored "X.Application.22" belongs to
// "X.Application" too.
bool lineBelongsTo(const QString &line, const QString &progId);

// The position of the first line that belongs to progId, or -1.
qsizetype indexOfProgId(const QStringList &lines, const QString &progId);

// The name of the first line that belongs to progId: the text before the
// tab that precedes the ProgID.
std::optional<QString> cadNameForProgId(const QStringList &lines, const QString &progId);

// The main window's caption naming the target CAD: the application title,
// " [ ", the name and " ]".
QString captionWithCadName(const QString &applicationTitle, const QString &cadName);

// The file's lines and how reading it went.
TextFile::ReadResult read(const QString &path);

// Replaces the file by the lines, atomically. A file that could not be read
// whole is kept as a ".bak" copy first; when that copy cannot be made,
// nothing is written.
bool write(const QString &path, const QStringList &lines, QString *errorString = nullptr);

} // namespace CadListFile

#endif // CADLISTFILE_H
