#ifndef DXFCODEC_H
#define DXFCODEC_H

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The text encoding of one DXF file. R2007 and later files are UTF-8
// whatever $DWGCODEPAGE says; older files are in the code page $DWGCODEPAGE
// names (ANSI_1252 when absent; ANSI_932 is Shift_JIS as Windows writes it).
// Decoding turns \U+XXXX escapes (either case of hex) into the character;
// encoding writes a character the code page cannot hold as \U+XXXX.
class DxfCodec
{
public:
    // A UTF-8 codec.
    DxfCodec();
    DxfCodec(const QByteArray &acadVersion, const QByteArray &dwgCodePage);

    // The converter name for a $DWGCODEPAGE value ("ANSI_932" -> "CP932").
    static QByteArray converterName(const QByteArray &dwgCodePage);
    static bool isUnicodeVersion(const QByteArray &acadVersion);

    QByteArray name() const { return m_name; }
    bool isUtf8() const { return m_utf8; }

    QString decode(QByteArrayView bytes) const;
    QByteArray encode(const QString &text) const;

private:
    QByteArray encodeEachCharacter(const QString &text) const;

    QByteArray m_name;
    bool m_utf8 = true;
};

#endif // DXFCODEC_H
