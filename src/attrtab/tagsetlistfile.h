#ifndef TAGSETLISTFILE_H
#define TAGSETLISTFILE_H

#include <QString>
#include <QStringList>

#include <optional>

// The tag-set list file "MorvEdit2ATagList.txt" behind the attribute grid's
// tag sets: one comma-separated tag set per line. The user keeps it in a
// text editor; the tool only reads it.
namespace TagSetListFile {

// Reading at start: every line, blank ones included. Nothing when the file
// cannot be read.
std::optional<QStringList> readAll(const QString &path);

// Reading on the user's request: the lines that are not blank, each exactly
// as in the file. Nothing when the file cannot be read.
std::optional<QStringList> reloadNonBlank(const QString &path);

} // namespace TagSetListFile

#endif // TAGSETLISTFILE_H
