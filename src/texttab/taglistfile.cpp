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

std::optional<QStringList> TagListFile::readAll()
{
    const std::optional<QByteArray> bytes = TextFile::readBytes(m_path);
    if (!bytes)
        return std::nullopt;
    const QStringList lines = TextFile::splitLines(TextFile::decode(*bytes));
    remember(lines, *bytes);
    return lines;
}

std::optional<QStringList> TagListFile::reloadNonBlank()
{
    const std::optional<QByteArray> bytes = TextFile::readBytes(m_path);
    if (!bytes)
        return std::nullopt;
    const QStringList lines =
            TextFile::nonBlankLines(TextFile::splitLines(TextFile::decode(*bytes)));
    remember(lines, *bytes);
    return lines;
}

TagListFile::CloseResult TagListFile::saveAtClose(const QStringList &currentItems)
{
    m_errorString.clear();
    const std::optional<QByteArray> bytesOnDisk = TextFile::readBytes(m_path);
    if (bytesOnDisk && !listChangedSinceSync(currentItems))
        return CloseResult::LeftUntouched;

    // A file never read, or changed since, holds text the tool has not
    // seen: keep it before the list replaces it.
    const bool fileChanged = bytesOnDisk && bytesOnDisk != m_syncedBytes;
    if (fileChanged && !TextFile::writeBytes(backupPath(), *bytesOnDisk, &m_errorString))
        return CloseResult::Failed;

    const QByteArray newBytes = TextFile::encodeLines(currentItems);
    if (!TextFile::writeBytes(m_path, newBytes, &m_errorString))
        return CloseResult::Failed;
    remember(currentItems, newBytes);
    return fileChanged ? CloseResult::WrittenWithBackup : CloseResult::Written;
}

void TagListFile::remember(const QStringList &items, const QByteArray &fileBytes)
{
    m_syncedItems = items;
    m_syncedBytes = fileBytes;
}

bool TagListFile::listChangedSinceSync(const QStringList &currentItems) const
{
    if (!m_syncedItems)
        return true;
    return sortedByCodePoint(currentItems) != sortedByCodePoint(*m_syncedItems);
}
