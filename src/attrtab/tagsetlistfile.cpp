#include "tagsetlistfile.h"

#include "form/textfile.h"

namespace TagSetListFile {

std::optional<QStringList> readAll(const QString &path)
{
    return TextFile::readLines(path);
}

std::optional<QStringList> reloadNonBlank(const QString &path)
{
    std::optional<QStringList> lines = TextFile::readLines(path);
    if (lines)
        *lines = TextFile::nonBlankLines(*lines);
    return lines;
}

} // namespace TagSetListFile
