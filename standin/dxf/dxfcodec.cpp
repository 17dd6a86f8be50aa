#include "dxfcodec.h"

#include "dxferror.h"

#include <QStringConverter>

#include <algorithm>

DxfCodec::DxfCodec() : m_name("UTF-8"), m_codePage("UTF-8"), m_utf8(true) {}

DxfCodec::DxfCodec(const QByteArray &converter, const QByteArray &codePage, bool utf8)
    : m_name(converter), m_codePage(codePage), m_utf8(utf8)
{
}

DxfCodec::DxfCodec(const QByteArray &acadVersion, const QByteArray &dwgCodePage) : DxfCodec()
{
    if (!isUnicodeVersion(acadVersion))
        *this = forCodePage(converterName(dwgCodePage).isEmpty() ? QByteArray("ANSI_1252") : dwgCodePage);
}

DxfCodec DxfCodec::forCodePage(const QByteArray &dwgCodePage)
{
    const QByteArray converter = converterName(dwgCodePage);
    if (converter.isEmpty())
        throw DxfError(QStringLiteral("unknown code page \"%1\"").arg(QString::fromLatin1(dwgCodePage.trimmed())));
    if (!QStringDecoder(converter.constData()).isValid() || !QStringEncoder(converter.constData()).isValid())
        throw DxfError(QStringLiteral("no converter for code page %1").arg(QString::fromLatin1(dwgCodePage)));
    return DxfCodec(converter, dwgCodePage.trimmed().toUpper(), false);
}

bool DxfCodec::isUnicodeVersion(const QByteArray &acadVersion)
{
    // AC1021 is R2007; the versions compare as text ("AC1009" < "AC1021").
    const QByteArray version = acadVersion.trimmed().toUpper();
    return version.startsWith("AC") && version >= "AC1021";
}

QByteArray DxfCodec::converterName(const QByteArray &dwgCodePage)
{
    // The names CAD programs write into $DWGCODEPAGE, Windows and DOS code
    // pages and the few others they know.
    struct Entry { const char *dxf; const char *converter; };
    static const Entry table[] = {
        {"ANSI_874", "windows-874"},   {"ANSI_932", "CP932"},
        {"ANSI_936", "windows-936"},   {"ANSI_949", "windows-949"},
        {"ANSI_950", "windows-950"},   {"ANSI_1250", "windows-1250"},
        {"ANSI_1251", "windows-1251"}, {"ANSI_1252", "windows-1252"},
        {"ANSI_1253", "windows-1253"}, {"ANSI_1254", "windows-1254"},
        {"ANSI_1255", "windows-1255"}, {"ANSI_1256", "windows-1256"},
        {"ANSI_1257", "windows-1257"}, {"ANSI_1258", "windows-1258"},
        {"DOS437", "IBM437"},          {"DOS737", "IBM737"},
        {"DOS775", "IBM775"},          {"DOS850", "IBM850"},
        {"DOS852", "IBM852"},          {"DOS855", "IBM855"},
        {"DOS857", "IBM857"},          {"DOS860", "IBM860"},
        {"DOS861", "IBM861"},          {"DOS863", "IBM863"},
        {"DOS864", "IBM864"},          {"DOS865", "IBM865"},
        {"DOS866", "IBM866"},          {"DOS869", "IBM869"},
        {"DOS932", "CP932"},           {"MACINTOSH", "macintosh"},
        {"BIG5", "Big5"},              {"GB2312", "GB2312"},
        {"KSC5601", "windows-949"},
    };
    const QByteArray key = dwgCodePage.trimmed().toUpper();
    for (const Entry &entry : table) {
        if (key == entry.dxf)
            return entry.converter;
    }
    return QByteArray();
}

static int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Replaces each \U+XXXX (four hex digits of either case) by its UTF-16 unit;
// an escaped surrogate pair becomes the pair, so the character is whole again.
static QString decodeEscapes(const QString &text)
{
    if (!text.contains(QLatin1String("\\U+")))
        return text;
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'\\' && i + 6 < text.size() && text.at(i + 1) == u'U'
            && text.at(i + 2) == u'+') {
            int value = 0;
            bool ok = true;
            for (int k = 3; k < 7 && ok; ++k) {
                const QChar c = text.at(i + k);
                const int digit = c.unicode() < 128 ? hexValue(char(c.unicode())) : -1;
                ok = digit >= 0;
                value = value * 16 + digit;
            }
            if (ok) {
                result += QChar(char16_t(value));
                i += 6;
                continue;
            }
        }
        result += text.at(i);
    }
    return result;
}

QString DxfCodec::convert(QByteArrayView bytes, bool *error) const
{
    QStringDecoder decoder = m_utf8
            ? QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless)
            : QStringDecoder(m_name.constData(), QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    *error = decoder.hasError();
    return text;
}

// Bytes the converter cannot read, one character at a time: the longest
// well-formed character at each place, else the undefined byte itself. A
// lead and trail byte that make a code the table leaves empty (the
// converter reads them as one character it cannot show) are taken together,
// so the trail byte is not read as a character of its own.
QString DxfCodec::decodeByteByByte(QByteArrayView bytes) const
{
    const qsizetype longest = m_utf8 ? 4 : 2;
    QString text;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            text += QChar(byte);
            ++i;
            continue;
        }
        qsizetype taken = 0;
        for (qsizetype length = 1; length <= longest && i + length <= bytes.size() && !taken; ++length) {
            bool error = false;
            const QString character = convert(bytes.sliced(i, length), &error);
            if (!error && !character.isEmpty()) {
                text += character;
                taken = length;
            }
        }
        if (!taken && !m_utf8 && i + 1 < bytes.size()) {
            bool error = false;
            if (convert(bytes.sliced(i, 2), &error) == QString(QChar(QChar::ReplacementCharacter))) {
                text += undefinedByte(byte);
                text += undefinedByte(static_cast<unsigned char>(bytes[i + 1]));
                taken = 2;
            }
        }
        if (!taken) {
            text += undefinedByte(byte);
            taken = 1;
        }
        i += taken;
    }
    return text;
}

QString DxfCodec::decode(QByteArrayView bytes) const
{
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii)
        return decodeEscapes(QString::fromLatin1(bytes));
    bool error = false;
    const QString text = convert(bytes, &error);
    return decodeEscapes(error ? decodeByteByByte(bytes) : text);
}

static QByteArray escape(char16_t unit)
{
    return "\\U+" + QByteArray::number(unit, 16).toUpper().rightJustified(4, '0');
}

QByteArray DxfCodec::encode(const QString &text) const
{
    if (std::none_of(text.begin(), text.end(), isUndefinedByte))
        return encodeDefined(text);

    // The undefined bytes as they were, the characters between them encoded.
    QByteArray bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isUndefinedByte(text.at(i)))
            continue;
        bytes += encodeDefined(text.mid(start, i - start));
        if (i < text.size())
            bytes += char(text.at(i).unicode() - UndefinedByteBase);
        start = i + 1;
    }
    // Beside other bytes an undefined byte may join them into another
    // character: then the string cannot be written as it stands.
    if (decode(bytes) != decodeEscapes(text))
        throw DxfError(QStringLiteral("the string \"%1\" holds bytes that code page %2 does not define, "
                                      "and this change would not keep them")
                           .arg(decode(bytes), QString::fromLatin1(m_codePage)));
    return bytes;
}

QByteArray DxfCodec::encodeDefined(const QString &text) const
{
    // A line break inside a value would split the group: write it escaped.
    const bool hasLineBreak = text.contains(u'\n') || text.contains(u'\r');
    if (m_utf8 && !hasLineBreak)
        return text.toUtf8();
    if (!m_utf8 && !hasLineBreak) {
        // A converter's error flag stays set once raised (resetState() keeps
        // it), so each encode gets a converter of its own.
        QStringEncoder encoder(m_name.constData(), QStringConverter::Flag::Stateless);
        QByteArray bytes = encoder.encode(text);
        if (!encoder.hasError())
            return bytes;
    }
    return encodeEachCharacter(text);
}

// The slow path: characters one at a time, escaping those the code page
// cannot hold (and line breaks).
QByteArray DxfCodec::encodeEachCharacter(const QString &text) const
{
    QByteArray result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length =
                (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ? 2 : 1;
        const QString character = text.mid(i, length);
        const char16_t unit = text.at(i).unicode();
        if (unit == u'\n' || unit == u'\r') {
            result += escape(unit);
        } else if (m_utf8) {
            result += character.toUtf8();
        } else {
            QStringEncoder encoder(m_name.constData(), QStringConverter::Flag::Stateless);
            const QByteArray bytes = encoder.encode(character);
            if (encoder.hasError()) {
                for (qsizetype k = 0; k < length; ++k)
                    result += escape(text.at(i + k).unicode());
            } else {
                result += bytes;
            }
        }
        i += length - 1;
    }
    return result;
}
