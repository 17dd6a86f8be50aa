#include "textfile.h"

#include "shiftjistext.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace TextFile {

namespace {

std::function<bool(const QString &)> &commitCheck()
{
    static std::function<bool(const QString &)> check;
    return check;
}

// Tab and the line ends are the only control characters a text of these
// files holds; any other one (a NUL above all) means binary data.
bool holdsOnlyText(const QString &text)
{
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t code = text.at(i).unicode();
        if (code < 0x20 && code != u'\t' && code != u'\r' && code != u'\n')
            return false;
        if (code >= 0x7F && code <= 0x9F)
            return false;
        // The UTF-16 decoder lets a lone surrogate through.
        if (QChar::isHighSurrogate(code)) {
            if (i + 1 >= length || !text.at(i + 1).isLowSurrogate())
                return false;
            ++i;
        } else if (QChar::isLowSurrogate(code)) {
            return false;
        }
    }
    return true;
}

// The encoding a byte order mark at the start of the bytes names, if any.
// encodingForData() also guesses UTF-16/32 from zero bytes; only a real
// byte order mark is trusted here.
std::optional<QStringConverter::Encoding> byteOrderMarkEncoding(const QByteArray &bytes)
{
    const bool hasBom = bytes.startsWith("\xEF\xBB\xBF")
            || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    return hasBom ? QStringConverter::encodingForData(bytes) : std::nullopt;
}

// The bytes in one encoding; nothing when they are not valid in it.
std::optional<QString> decodeStrictly(QStringConverter::Encoding encoding, const QByteArray &bytes)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

bool commitWrite(QSaveFile &file, const QString &path, QString *errorString)
{
    if (commitCheck() && !commitCheck()(path))
        file.cancelWriting();
    if (file.commit())
        return true;
    if (errorString)
        *errorString = file.errorString();
    return false;
}

} // namespace

std::optional<QString> decode(const QByteArray &bytes)
{
    std::optional<QString> text;
    if (const auto marked = byteOrderMarkEncoding(bytes))
        text = decodeStrictly(*marked, bytes);
    else if (!(text = decodeStrictly(QStringConverter::Utf8, bytes)))
        text = decodeShiftJis(bytes);
    if (!text || !holdsOnlyText(*text))
        return std::nullopt;
    return text;
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < length && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < length)
        lines.append(text.mid(start));
    return lines;
}

ReadResult readFile(const QString &path, const ReadLimits &limits)
{
    ReadResult result;
    result.limits = limits;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.status = ReadStatus::Missing;
        return result;
    }
    // Opening a pipe would wait for a writer: only plain files are opened.
    if (!info.isFile()) {
        result.status = ReadStatus::NotAFile;
        return result;
    }
    if (info.size() > limits.maxBytes) {
        result.status = ReadStatus::TooLarge;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = ReadStatus::Unreadable;
        return result;
    }
    // The size may lie (a file still growing, a system file): one byte more
    // than the limit tells.
    QByteArray bytes = file.read(limits.maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        result.status = ReadStatus::Unreadable;
        return result;
    }
    if (bytes.size() > limits.maxBytes) {
        result.status = ReadStatus::TooLarge;
        return result;
    }
    const std::optional<QString> text = decode(bytes);
    if (!text) {
        result.status = ReadStatus::NotText;
        return result;
    }
    for (QString &line : splitLines(*text)) {
        if (line.size() > limits.maxLineLength)
            ++result.skippedLines;
        else
            result.lines.append(std::move(line));
    }
    result.bytes = std::move(bytes);
    result.status = ReadStatus::Read;
    return result;
}

std::optional<QStringList> readLines(const QString &path)
{
    ReadResult result = readFile(path);
    if (!result.readWhole())
        return std::nullopt;
    return std::move(result.lines);
}

QByteArray encodeLines(const QStringList &lines)
{
    // UTF-8 holds every character a user can type, and the byte order mark
    // lets Windows Notepad (which the tool opens on these files) recognise
    // it as UTF-8 rather than the ANSI code page. CR LF is the line end
    // Notepad shows everywhere.
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    QStringEncoder encoder(QStringConverter::Utf8, QStringConverter::Flag::WriteBom);
    return encoder.encode(text);
}

bool writeLines(const QString &path, const QStringList &lines, QString *errorString)
{
    return writeBytes(path, encodeLines(lines), errorString);
}

bool writeBytes(const QString &path, const QByteArray &bytes, QString *errorString)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        if (errorString)
            *errorString = file.errorString();
        file.cancelWriting();
        return false;
    }
    return commitWrite(file, path, errorString);
}

bool copyFile(const QString &path, const QString &copyPath, QString *errorString)
{
    QFile source(path);
    if (!QFileInfo(path).isFile() || !source.open(QIODevice::ReadOnly)) {
        if (errorString)
            *errorString = source.errorString();
        return false;
    }
    QSaveFile copy(copyPath);
    if (!copy.open(QIODevice::WriteOnly)) {
        if (errorString)
            *errorString = copy.errorString();
        return false;
    }
    QByteArray piece(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 got = source.read(piece.data(), piece.size());
        if (got == 0)
            break;
        if (got < 0 || copy.write(piece.constData(), got) != got) {
            if (errorString)
                *errorString = got < 0 ? source.errorString() : copy.errorString();
            copy.cancelWriting();
            return false;
        }
    }
    return commitWrite(copy, copyPath, errorString);
}

QString keptCopyPath(const QString &path)
{
    return path + QLatin1String(".bak");
}

bool keepUnreadFile(const QString &path, const ReadResult &read, QString *errorString)
{
    if (!read.hasTrouble())
        return true;
    return copyFile(path, keptCopyPath(path), errorString);
}

void setCommitCheck(std::function<bool(const QString &path)> check)
{
    commitCheck() = std::move(check);
}

bool isBlank(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() > 32)
            return false;
    }
    return true;
}

QStringList nonBlankLines(const QStringList &lines)
{
    QStringList kept;
    for (const QString &line : lines) {
        if (!isBlank(line))
            kept.append(line);
    }
    return kept;
}

} // namespace TextFile
