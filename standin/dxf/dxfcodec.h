#ifndef DXFCODEC_H
#define DXFCODEC_H

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The text encoding of one DXF file. R2007 and later files are UTF-8
// whatever $DWGCODEPAGE says; older files are in a code page (ANSI_932 is
// Shift_JIS as Windows writes it). Decoding turns \U+XXXX escapes (either
// case of hex) into the character; encoding writes a character the code
// page cannot hold as \U+XXXX.
//
// A byte the code page leaves undefined (a broken UTF-8 sequence, a
// double-byte code no table fills) reads as the private-use character
// U+F700 + byte, and is written back as that byte: a string nobody edits
// keeps it, and so does an edit around it. An edit that would change what
// such bytes mean, or that brings one where no undefined byte was, is
// refused with a DxfError; nothing is ever written as U+FFFD.
class DxfCodec
{
public:
    // A UTF-8 codec.
    DxfCodec();
    // The encoding of a file of this version naming this code page, as far
    // as the header tells: UTF-8 for R2007 and later, else the code page
    // named, windows-1252 when the name is absent or unknown.
    DxfCodec(const QByteArray &acadVersion, const QByteArray &dwgCodePage);
    // A code page as DXF names it ("ANSI_932", "dos850", any case); throws
    // DxfError for a name without a converter.
    static DxfCodec forCodePage(const QByteArray &dwgCodePage);

    // The converter name for a $DWGCODEPAGE value ("ANSI_932" -> "CP932"),
    // empty for a name that is absent or unknown ("ASCII", "UNDEFINED").
    static QByteArray converterName(const QByteArray &dwgCodePage);
    static bool isUnicodeVersion(const QByteArray &acadVersion);

    // The converter's name ("CP932", "UTF-8").
    QByteArray name() const { return m_name; }
    // The code page as DXF names it, upper case ("ANSI_932", "DOS850");
    // "UTF-8" for a UTF-8 codec.
    QByteArray codePage() const { return m_codePage; }
    bool isUtf8() const { return m_utf8; }

    QString decode(QByteArrayView bytes) const;
    // Throws DxfError when the text holds undefined-byte characters that
    // the bytes written would not read back as.
    QByteArray encode(const QString &text) const;

    static bool isUndefinedByte(QChar c) { return c.unicode() >= UndefinedByteBase && c.unicode() <= UndefinedByteBase + 0xFF; }
    static QChar undefinedByte(unsigned char byte) { return QChar(char16_t(UndefinedByteBase + byte)); }

private:
    static constexpr char16_t UndefinedByteBase = 0xF700;

    DxfCodec(const QByteArray &converter, const QByteArray &codePage, bool utf8);
    QString convert(QByteArrayView bytes, bool *error) const;
    QString decodeByteByByte(QByteArrayView bytes) const;
    QByteArray encodeDefined(const QString &text) const;
    QByteArray encodeEachCharacter(const QString &text) const;

    QByteArray m_name;
    QByteArray m_codePage;
    bool m_utf8 = true;
};

#endif // DXFCODEC_H
