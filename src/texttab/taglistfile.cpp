#include "taglistfile.h"

#include "form/textfile.h"

#include <QFileInfo>

#include <algorithm>

namespace {

QStringList sortedByCodePoint(QStringList items)
{
    std::sort(items.begin(), items.end());
    return items;
}

} // namespace

TagListFile::TagListFile(const QString &path)
    : m_path(path)
{
}

bool TagListFile::exists() const
{
    return QFileInfo::exists(m_path);
}

TextFile::ReadResult TagListFile::readAll()
{
    return readAndRemember(false);
}

TextFile::ReadResult TagListFile::reloadNonBlank()
{
    return readAndRemember(true);
}

TextFile::ReadResult TagListFile::readAndRemember(bool nonBlankOnly)
{
    TextFile::ReadResult read = TextFile::readFile(m_path, Limits);
    if (!read.isRead())
        return read;
    if (nonBlankOnly)
        read.lines = TextFile::nonBlankLines(read.lines);
    remember(read.lines, read.bytes, read.readWhole());
    return read;
}

TagListFile::CloseResult TagListFile::saveAtClose(const QStringList &currentItems)
{
    m_errorString.clear();
    const TextFile::ReadResult onDisk = TextFile::readFile(m_path, Limits);
    const bool present = onDisk.status != TextFile::ReadStatus::Missing;
    if (present && !listChangedSinceSync(currentItems))
        return CloseResult::LeftUntouched;

    // A file never read, changed since, or not taken whole holds text the
    // tool has not shown: keep it before the list replaces it.
    const bool keep = present
            && (!onDisk.isRead() || onDisk.bytes != m_syncedBytes || !m_syncedWhole);
    if (keep && !TextFile::copyFile(m_path, backupPath(), &m_errorString))
        return CloseResult::Failed;

    const QByteArray newBytes = TextFile::encodeLines(currentItems);
    if (!TextFile::writeBytes(m_path, newBytes, &m_errorString))
        return CloseResult::Failed;
    remember(currentItems, newBytes, true);
    return keep ? CloseResult::WrittenWithBackup : CloseResult::Written;
}

void TagListFile::remember(const QStringList &items, const QByteArray &fileBytes, bool whole)
{
    m_syncedItems = items;
    m_syncedBytes = fileBytes;
    m_syncedWhole = whole;
}

bool TagListFile::listChangedSinceSync(const QStringList &currentItems) const
{
    if (!m_syncedItems)
        return true;
    return sortedByCodePoint(currentItems) != sortedByCodePoint(*m_syncedItems);
}
