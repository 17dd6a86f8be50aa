#include "textfile.h"

#include "shiftjistext.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace TextFile {

QString decode(const QByteArray &bytes)
{
    if (std::optional<QStringConverter::Encoding> bomEncoding =
            QStringConverter::encodingForData(bytes)) {
        // encodingForData() also guesses UTF-16/32 from zero bytes; only a
        // real byte order mark is trusted here.
        const bool hasBom = bytes.startsWith("\xEF\xBB\xBF")
                || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
        if (hasBom) {
            QStringDecoder decoder(*bomEncoding);
            return decoder.decode(bytes);
        }
    }

    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString asUtf8 = utf8.decode(bytes);
    if (!utf8.hasError())
        return asUtf8;

    if (const std::optional<QString> asShiftJis = decodeShiftJis(bytes))
        return *asShiftJis;
    // No Japanese converter on this system: keep what UTF-8 could read.
    return asUtf8;
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

std::optional<QByteArray> readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

std::optional<QStringList> readLines(const QString &path)
{
    const std::optional<QByteArray> bytes = readBytes(path);
    if (!bytes)
        return std::nullopt;
    return splitLines(decode(*bytes));
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
    const bool written = file.open(QIODevice::WriteOnly)
            && file.write(bytes) == bytes.size()
            && file.commit();
    if (!written) {
        if (errorString)
            *errorString = file.errorString();
        file.cancelWriting();
    }
    return written;
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
