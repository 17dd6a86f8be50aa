#include "dxfparser.h"

#include "dxferror.h"

#include <charconv>
#include <cstring>

namespace {

// Reads the file line by line without copying.
class LineReader
{
public:
    explicit LineReader(const QByteArray &bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_pos >= m_bytes.size(); }
    int lineNumber() const { return m_line; }
    qsizetype position() const { return m_pos; }

    // The next line, split into text and line end.
    void next(QByteArray *text, QByteArray *end)
    {
        const char *data = m_bytes.constData();
        const qsizetype size = m_bytes.size();
        const void *found = std::memchr(data + m_pos, '\n', size - m_pos);
        qsizetype textEnd = found ? static_cast<const char *>(found) - data : size;
        qsizetype lineEnd = found ? textEnd + 1 : size;
        if (found && textEnd > m_pos && data[textEnd - 1] == '\r')
            --textEnd;
        *text = QByteArray::fromRawData(data + m_pos, textEnd - m_pos);
        *end = QByteArray::fromRawData(data + textEnd, lineEnd - textEnd);
        m_pos = lineEnd;
        ++m_line;
    }

private:
    const QByteArray &m_bytes;
    qsizetype m_pos = 0;
    int m_line = 0;
};

bool parseCode(const QByteArray &text, int *code)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text.at(begin) == ' ' || text.at(begin) == '\t'))
        ++begin;
    while (end > begin && (text.at(end - 1) == ' ' || text.at(end - 1) == '\t'))
        --end;
    if (begin == end)
        return false;
    const char *first = text.constData() + begin;
    const char *last = text.constData() + end;
    const auto [ptr, ec] = std::from_chars(first, last, *code);
    return ec == std::errc() && ptr == last;
}

QString shown(const QByteArray &text)
{
    QString s = QString::fromUtf8(text.left(40));
    for (QChar &c : s) {
        if (!c.isPrint())
            c = u'?';
    }
    return s;
}

} // namespace

DxfParser::Result DxfParser::parse(const QByteArray &bytes)
{
    if (bytes.startsWith("AutoCAD Binary DXF"))
        throw DxfError(QStringLiteral("binary DXF files are not supported, only ASCII DXF"));
    if (bytes.isEmpty())
        throw DxfError(QStringLiteral("the file is empty"));

    Result result;
    LineReader reader(bytes);
    DxfSection *open = nullptr;          // the section being read
    int openLine = 0;
    DxfObject current;
    int currentLine = 0;

    // Files an object to its section once its last group has been read.
    auto finishObject = [&]() {
        if (current.groups.isEmpty())
            return;
        const QByteArray type = current.type();
        if (type == "SECTION") {
            if (open)
                throw DxfError(QStringLiteral("section %1 (line %2) is not closed by ENDSEC")
                                   .arg(QString::fromLatin1(open->name)).arg(openLine),
                               currentLine);
            DxfSection section;
            if (current.groups.size() < 2 || current.groups.at(1).code != 2)
                throw DxfError(QStringLiteral("SECTION without a name (group 2)"), currentLine);
            section.name = current.groups.at(1).trimmedValue();
            result.sections.append(section);
            open = &result.sections.last();
            openLine = currentLine;
            open->objects.append(std::move(current));
        } else if (open) {
            open->objects.append(std::move(current));
            if (type == "ENDSEC")
                open = nullptr;
        } else {
            if (type == "ENDSEC")
                throw DxfError(QStringLiteral("ENDSEC outside a section"), currentLine);
            if (result.sections.isEmpty() || !result.sections.last().name.isEmpty())
                result.sections.append(DxfSection());
            result.sections.last().objects.append(std::move(current));
        }
        current = DxfObject();
    };

    bool sawEof = false;
    while (!reader.atEnd()) {
        DxfGroup group;
        QByteArray codeText;
        QByteArray codeEnd;
        reader.next(&codeText, &codeEnd);
        group.line = reader.lineNumber();
        if (group.line == 1 && codeText.startsWith("\xEF\xBB\xBF"))
            codeText = codeText.mid(3);   // a UTF-8 byte order mark, kept in codeLine below
        if (!parseCode(codeText, &group.code)) {
            if (reader.atEnd() && codeText.trimmed().isEmpty())
                throw DxfError(QStringLiteral("unexpected end of file: no EOF group (the file "
                                              "seems truncated)"), group.line);
            throw DxfError(QStringLiteral("group code expected, found \"%1\"")
                               .arg(shown(codeText)), group.line);
        }
        if (reader.atEnd())
            throw DxfError(QStringLiteral("group code %1 has no value line (the file seems "
                                          "truncated)").arg(group.code), group.line);
        // The code line as read, with a byte order mark if there was one.
        const char *lineStart = group.line == 1 ? bytes.constData() : codeText.constData();
        group.codeLine = QByteArray::fromRawData(
                lineStart, codeEnd.constData() + codeEnd.size() - lineStart);
        reader.next(&group.value, &group.valueEnd);

        if (group.code == 0) {
            finishObject();
            currentLine = group.line;
        }
        const bool eof = group.code == 0 && group.trimmedValue() == "EOF";
        current.groups.append(std::move(group));
        if (eof) {
            if (open)
                throw DxfError(QStringLiteral("section %1 (line %2) is not closed by ENDSEC")
                                   .arg(QString::fromLatin1(open->name)).arg(openLine),
                               currentLine);
            finishObject();
            sawEof = true;
            break;
        }
    }
    if (!sawEof) {
        const QString where = open ? QStringLiteral(" in section %1").arg(QString::fromLatin1(open->name))
                                   : QString();
        throw DxfError(QStringLiteral("unexpected end of file%1 after line %2: no EOF group "
                                      "(the file seems truncated)")
                           .arg(where).arg(reader.lineNumber()));
    }
    result.afterEof = bytes.mid(reader.position());
    return result;
}
