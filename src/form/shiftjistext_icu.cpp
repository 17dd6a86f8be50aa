#include "shiftjistext.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// ICU knows the Windows table under both names; which one a Qt build
// accepts depends on its converter back end.
template <typename Converter>
Converter shiftJisConverter()
{
    Converter converter("Shift_JIS");
    if (!converter.isValid())
        converter = Converter("CP932");
    return converter;
}

} // namespace

std::optional<QString> decodeShiftJis(const QByteArray &bytes)
{
    auto decoder = shiftJisConverter<QStringDecoder>();
    if (!decoder.isValid())
        return std::nullopt;
    return decoder.decode(bytes);
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
