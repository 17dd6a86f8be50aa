#include "shiftjistext.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// ICU knows the Windows table under both names; which one a Qt build
// accepts depends on its converter back end.
template <typename Converter>
Converter shiftJisConverter(QStringConverter::Flags flags = QStringConverter::Flag::Default)
{
    Converter converter("Shift_JIS", flags);
    if (!converter.isValid())
        converter = Converter("CP932", flags);
    return converter;
}

} // namespace

std::optional<QString> decodeShiftJis(const QByteArray &bytes)
{
    // Stateless: a lead byte at the very end counts as an error instead of
    // waiting for more input.
    auto decoder = shiftJisConverter<QStringDecoder>(QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return std::nullopt;
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

std::optional<QByteArray> encodeShiftJis(const QString &text)
{
    auto encoder = shiftJisConverter<QStringEncoder>();
    if (!encoder.isValid())
        return std::nullopt;
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}
