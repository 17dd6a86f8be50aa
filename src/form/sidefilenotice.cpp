#include "sidefilenotice.h"

#include "messageboxes.h"

namespace SideFileNotice {

std::optional<QString> forRead(const QString &path, const TextFile::ReadResult &read)
{
    using TextFile::ReadStatus;
    QString what;
    switch (read.status) {
    case ReadStatus::Missing:
        return std::nullopt;
    case ReadStatus::Read:
        if (read.skippedLines == 0)
            return std::nullopt;
        what = QStringLiteral("の %1 行は %2 文字を超えるため、読み飛ばしました．")
                       .arg(read.skippedLines)
                       .arg(read.limits.maxLineLength);
        break;
    case ReadStatus::NotAFile:
        what = QStringLiteral("はファイルではないため、読み込めませんでした．");
        break;
    case ReadStatus::Unreadable:
        what = QStringLiteral("を読み込めませんでした．");
        break;
    case ReadStatus::TooLarge:
        what = QStringLiteral("は %1 KB を超えるため、読み込めませんでした．")
                       .arg(read.limits.maxBytes / 1024);
        break;
    case ReadStatus::NotText:
        what = QStringLiteral("はテキストとして読めないため、読み込めませんでした．");
        break;
    }
    return path + u'\n' + what;
}

QString forWrite(const QString &path)
{
    return path + u'\n' + QStringLiteral("に保存できませんでした．元のファイルはそのままです．");
}

void tellAboutRead(MessageBoxes &messages, const QString &path, const TextFile::ReadResult &read)
{
    if (const std::optional<QString> notice = forRead(path, read))
        messages.plain(*notice);
}

} // namespace SideFileNotice
