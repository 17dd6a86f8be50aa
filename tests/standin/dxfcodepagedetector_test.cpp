// The code page of a pre-R2007 drawing that names none: Shift_JIS when the
// texts show it, windows-1252 otherwise, and never Shift_JIS for the
// accented Latin texts of European drawings.

#include "dxf/dxfcodepagedetector.h"

#include <QStringEncoder>
#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

namespace {

QByteArray bytesIn(const char *converter, const QString &text)
{
    QStringEncoder encoder(converter);
    const QByteArray bytes = encoder.encode(text);
    EXPECT_FALSE(encoder.hasError()) << text.toStdString();
    return bytes;
}

QByteArray detect(const std::vector<QByteArray> &values)
{
    DxfCodePageDetector detector;
    for (const QByteArray &value : values)
        detector.add(value);
    return detector.codePage();
}

} // namespace

TEST(DxfCodePageDetector, JapaneseEvidenceInARunOfDoubleByteCharacters)
{
    const struct
    {
        const char *name;
        std::vector<QByteArray> values;
        const char *expected;
    } cases[] = {
        {"kana and kanji", {"\x82\x50\x8A\x4B\x95\xBD\x96\xCA\x90\x7D"}, "ANSI_932"},          // １階平面図
        {"a layer name, trail bytes above 7F", {"PLAN", "\x8B\x40\x8A\xED"}, "ANSI_932"},     // 機器
        {"NEC row 13 and IBM extensions", {"\x87\x82\xFB\xFC", "\x87\x40"}, "ANSI_932"},      // №髙, ①
        {"trail bytes 5C", {"\x95\x5C\x8E\xA6\x83\x5C"}, "ANSI_932"},                         // 表示ソ
        {"Japanese among ASCII values", {"A-1", "No.9", "\x83\x7C\x83\x93\x83\x76-01"}, "ANSI_932"},
        // No run of two double-byte characters, or none that looks Japanese.
        {"one double-byte character", {"\x94\xD5"}, "ANSI_1252"},                             // 盤
        {"one per value", {"\x94\xD5", "A\x8B\x40"}, "ANSI_1252"},
        {"half-width kana only", {"\xD3\xB0\xC0\xB0\x31"}, "ANSI_1252"},                      // ﾓｰﾀｰ1
        {"kanji with ASCII trail bytes only", {"\x8F\x5C\x8D\x5C"}, "ANSI_1252"},             // 十構
        {"IBM extensions with ASCII trail bytes only", {"\xFA\x40\xFA\x41"}, "ANSI_1252"},   // ⅰⅱ
        // Not well-formed Windows-31J anywhere: the whole file is not Shift_JIS.
        {"user-defined area", {"\xF0\x40\x82\xA0\x82\xA2"}, "ANSI_1252"},
        {"user-defined area in another value", {"\x82\xA0\x82\xA2", "\xF9\xFC"}, "ANSI_1252"},
        {"an empty double-byte code", {"\x82\xA0\x82\xA2", "\x85\x40"}, "ANSI_1252"},
        {"a lead byte cut off", {"\x82\xA0\x82\xA2\x82"}, "ANSI_1252"},
        {"a lead byte before a control", {"\x82\xA0\x82\xA2", "\x82\x09"}, "ANSI_1252"},
        {"ASCII only", {"PLAN", "A-1"}, "ANSI_1252"},
        {"nothing", {}, "ANSI_1252"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(detect(c.values), c.expected);
    }
}

// Texts of German, French and Spanish drawings, one to three of them in a
// drawing, in every order: none reads as Shift_JIS.
TEST(DxfCodePageDetector, LatinDrawingTextsStayWindows1252)
{
    const QStringList texts = {
        // German
        QStringLiteral("für"), QStringLiteral("Größe"), QStringLiteral("Maßstab 1:100"),
        QStringLiteral("Änderung"), QStringLiteral("Übersicht"), QStringLiteral("Öffnung"),
        QStringLiteral("Straße"), QStringLiteral("Grundriß EG"), QStringLiteral("Gebäude"),
        QStringLiteral("Fläche m²"), QStringLiteral("Höhe ü. NN"), QStringLiteral("Länge"),
        QStringLiteral("Außenwand"), QStringLiteral("Türöffnung"), QStringLiteral("Fußboden"),
        QStringLiteral("Schnitt A–A"), QStringLiteral("Maße in mm"), QStringLiteral("geprüft"),
        QStringLiteral("Ø 12 mm"), QStringLiteral("± 0,5"), QStringLiteral("„Entwurf“"),
        QStringLiteral("‚Detail‘"), QStringLiteral("Bemaßung"), QStringLiteral("Geländer"),
        QStringLiteral("Stützmauer"), QStringLiteral("Kühlraum"), QStringLiteral("Wärmedämmung"),
        QStringLiteral("Rohbaumaß"), QStringLiteral("Gefälle 2 %"),
        // French
        QStringLiteral("d’eau"), QStringLiteral("Œil-de-bœuf"), QStringLiteral("échelle"),
        QStringLiteral("élévation"), QStringLiteral("façade"), QStringLiteral("côte"),
        QStringLiteral("réservé"), QStringLiteral("étage"), QStringLiteral("entrée"),
        QStringLiteral("pièce"), QStringLiteral("fenêtre"), QStringLiteral("clé n°"),
        QStringLiteral("coupe « A »"), QStringLiteral("matériaux"), QStringLiteral("dégagement"),
        QStringLiteral("à vérifier"), QStringLiteral("vue générale"), QStringLiteral("château d’eau"),
        QStringLiteral("cote … brute"),
        // Spanish
        QStringLiteral("sección"), QStringLiteral("ubicación"), QStringLiteral("año"),
        QStringLiteral("diseño"), QStringLiteral("baño"), QStringLiteral("cañería"),
        QStringLiteral("núm."), QStringLiteral("¿cota?"), QStringLiteral("¡atención!"),
        QStringLiteral("dimensión"), QStringLiteral("señalización"),
    };
    std::vector<QByteArray> values;
    for (const QString &text : texts)
        values.push_back(bytesIn("windows-1252", text));

    const qsizetype n = qsizetype(values.size());
    for (qsizetype a = 0; a < n; ++a) {
        ASSERT_EQ(detect({values[a]}), "ANSI_1252") << texts[a].toStdString();
        for (qsizetype b = 0; b < n; ++b) {
            ASSERT_EQ(detect({values[a], values[b]}), "ANSI_1252")
                    << texts[a].toStdString() << " | " << texts[b].toStdString();
            for (qsizetype c = 0; c < n; ++c) {
                ASSERT_EQ(detect({values[a], values[b], values[c]}), "ANSI_1252")
                        << texts[a].toStdString() << " | " << texts[b].toStdString() << " | "
                        << texts[c].toStdString();
            }
        }
    }
}
