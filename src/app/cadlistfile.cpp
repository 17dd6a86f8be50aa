#include "cadlistfile.h"

#include "form/textfile.h"

namespace CadListFile {

Entry splitLine(const QString &line)
{
    const qsizetype tab = line.indexOf(u'\t');
    if (tab < 0)
        return { QString(), line };
    return { line.left(tab), line.mid(tab + 1) };
}

QString joinLine(const QString &name, const QString &progId)
{
    return name + u'\t' + progId;
}

bool lineBelongsTo(const QString &line, const QString &progId)
{
    return line.contains(u'\t' + progId);
}

qsizetype indexOfProgId(const QStringList &lines, const QString &progId)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lineBelongsTo(lines.at(i), progId))
            return i;
    }
    return -1;
}

std::optional<QString> cadNameForProgId(const QStringList &lines, const QString &progId)
{
    const qsizetype index = indexOfProgId(lines, progId);
    if (index < 0)
        return std::nullopt;
    const QString &line = lines.at(index);
    return line.left(line.indexOf(u'\t' + progId));
}

QString captionWithCadName(const QString &applicationTitle, const QString &cadName)
{
    return applicationTitle + QLatin1String(" [ ") + cadName + QLatin1String(" ]");
}

TextFile::ReadResult read(const QString &path)
{
    return TextFile::readFile(path, Limits);
}

bool write(const QString &path, const QStringList &lines, QString *errorString)
{
    if (!TextFile::keepUnreadFile(path, TextFile::readFile(path, Limits), errorString))
        return false;
    return TextFile::writeLines(path, lines, errorString);
}

} // namespace CadListFile
