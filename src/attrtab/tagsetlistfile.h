#ifndef TAGSETLISTFILE_H
#define TAGSETLISTFILE_H

#include <QString>
#include <QStringList>

#include "form/textfile.h"

// The tag-set list file "MorvEdit2ATagList.txt" behind the attribute grid's
// tag sets: one comma-separated tag set per line. The user keeps it in a
// text editor; the tool only reads it.
namespace TagSetListFile {

// A few hundred tag sets of some dozens of tags at the most.
inline constexpr TextFile::ReadLimits Limits{256 * 1024, 4096};

// Reading at start: every line, blank ones included.
TextFile::ReadResult readAll(const QString &path);

// Reading on the user's request: the lines that are not blank, each exactly
// as in the file.
TextFile::ReadResult reloadNonBlank(const QString &path);

} // namespace TagSetListFile

#endif // TAGSETLISTFILE_H
