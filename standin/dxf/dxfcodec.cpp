#include "dxfcodec.h"

#include "dxferror.h"

#include <QStringConverter>

#include <algorithm>

DxfCodec::DxfCodec() : m_name("UTF-8"), m_utf8(true) {}

DxfCodec::DxfCodec(const QByteArray &acadVersion, const QByteArray &dwgCodePage)
{
    if (isUnicodeVersion(acadVersion)) {
        m_name = "UTF-8";
        m_utf8 = true;
        return;
    }
    m_name = converterName(dwgCodePage);
    m_utf8 = false;
    if (!QStringDecoder(m_name.constData()).isValid() || !QStringEncoder(m_name.constData()).isValid())
        throw DxfError(QStringLiteral("no converter for code page %1")
                           .arg(QString::fromLatin1(dwgCodePage)));
}

bool DxfCodec::isUnicodeVersion(const QByteArray &acadVersion)
{
    // AC1021 is R2007; the versions compare as text ("AC1009" < "AC1021").
    const QByteArray version = acadVersion.trimmed().toUpper();
    return version.startsWith("AC") && version >= "AC1021";
}

QByteArray DxfCodec::converterName(const QByteArray &dwgCodePage)
{
    struct Entry { const char *dxf; const char *converter; };
    static const Entry table[] = {
        {"ANSI_874", "windows-874"},   {"ANSI_932", "CP932"},
        {"ANSI_936", "windows-936"},           {"ANSI_949", "windows-949"},
        {"ANSI_950", "windows-950"},          {"ANSI_1250", "windows-1250"},
        {"ANSI_1251", "windows-1251"}, {"ANSI_1252", "windows-1252"},
        {"ANSI_1253", "windows-1253"}, {"ANSI_1254", "windows-1254"},
        {"ANSI_1255", "windows-1255"}, {"ANSI_1256", "windows-1256"},
        {"ANSI_1257", "windows-1257"}, {"ANSI_1258", "windows-1258"},
        {"DOS437", "IBM437"},          {"DOS850", "IBM850"},
        {"DOS852", "IBM852"},          {"DOS866", "IBM866"},
        {"DOS932", "CP932"},
    };
    const QByteArray key = dwgCodePage.trimmed().toUpper();
    for (const Entry &entry : table) {
        if (key == entry.dxf)
            return entry.converter;
    }
    // Absent or unknown ("ASCII", "UNDEFINED"): the Windows default.
    return "windows-1252";
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

QString DxfCodec::decode(QByteArrayView bytes) const
{
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    QString text;
    if (ascii)
        text = QString::fromLatin1(bytes);
    else if (m_utf8)
        text = QString::fromUtf8(bytes);
    else
        text = QStringDecoder(m_name.constData(), QStringConverter::Flag::Stateless).decode(bytes);
    return decodeEscapes(text);
}

static QByteArray escape(char16_t unit)
{
    return "\\U+" + QByteArray::number(unit, 16).toUpper().rightJustified(4, '0');
}

QByteArray DxfCodec::encode(const QString &text) const
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
