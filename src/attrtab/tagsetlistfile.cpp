#include "tagsetlistfile.h"

#include "form/textfile.h"

namespace TagSetListFile {

TextFile::ReadResult readAll(const QString &path)
{
    return TextFile::readFile(path, Limits);
}

TextFile::ReadResult reloadNonBlank(const QString &path)
{
    TextFile::ReadResult read = TextFile::readFile(path, Limits);
    read.lines = TextFile::nonBlankLines(read.lines);
    return read;
}

} // namespace TagSetListFile
