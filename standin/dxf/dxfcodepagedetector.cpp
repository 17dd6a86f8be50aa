#include "dxfcodepagedetector.h"

#include <QStringDecoder>

#include <algorithm>

namespace {

bool isLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool isUserDefinedLead(unsigned char byte)
{
    return byte >= 0xF0 && byte <= 0xF9;
}

// A double-byte character seen in Japanese text far more than in Latin
// text read as Shift_JIS: hiragana and katakana (lead 82, 83) or a trail
// byte above the ASCII range.
bool looksJapanese(unsigned char lead, unsigned char trail)
{
    return lead == 0x82 || lead == 0x83 || trail >= 0x80;
}

} // namespace

void DxfCodePageDetector::add(QByteArrayView value)
{
    if (!m_wellFormed)
        return;
    if (std::all_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return;

    // Windows-31J as the converter knows it, NEC row 13 and the IBM
    // extensions included; a byte pair it leaves undefined fails here.
    QStringDecoder decoder("CP932", QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(value);
    if (decoder.hasError() || text.isEmpty()) {
        m_wellFormed = false;
        return;
    }

    int run = 0;                // double-byte characters in a row
    bool runLooksJapanese = false;
    auto endRun = [&] {
        if (run >= 2 && runLooksJapanese)
            m_japanese = true;
        run = 0;
        runLooksJapanese = false;
    };
    for (qsizetype i = 0; i < value.size(); ++i) {
        const auto byte = static_cast<unsigned char>(value[i]);
        if (!isLeadByte(byte) || i + 1 >= value.size()) {
            endRun();
            continue;
        }
        if (isUserDefinedLead(byte)) {
            m_wellFormed = false;
            return;
        }
        const auto trail = static_cast<unsigned char>(value[i + 1]);
        ++run;
        runLooksJapanese = runLooksJapanese || looksJapanese(byte, trail);
        ++i;
    }
    endRun();
}

QByteArray DxfCodePageDetector::codePage() const
{
    return isShiftJis() ? QByteArray("ANSI_932") : QByteArray("ANSI_1252");
}
