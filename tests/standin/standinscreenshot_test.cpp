// A screenshot of the stand-in showing the project's Japanese sample drawing
// under Xvfb, kept in the build folder (standin-screenshot.png) for a person
// to look at. The test asserts only that something was drawn and that the
// viewer's font has a glyph for every character of every text it draws.

#include "app/caddocument.h"
#include "app/shapebuilder.h"

#include <QFileInfo>
#include <QFontInfo>
#include <QImage>
#include <QProcess>
#include <QRawFont>
#include <QSet>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

TEST(StandInScreenshot, JapaneseTextsDrawWithoutMissingGlyphs)
{
    // Every text the viewer draws, block references' attributes and the
    // blocks' own texts among them.
    const auto document = standin::CadDocument::open(QStringLiteral(MORVEX_SAMPLE_DRAWING));
    const standin::ShapeBuilder shapes(*document);
    QStringList texts;
    for (cad::Handle handle : document->drawing()->drawingOrder()) {
        for (const standin::PlacedText &text : shapes.shape(handle).texts)
            texts << text.text;
    }
    ASSERT_FALSE(texts.isEmpty());

    const QFont font = standin::ShapeBuilder::textFont();
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("IPAGothic")) << "the CJK font is not installed";
    const QRawFont raw = QRawFont::fromFont(font);
    ASSERT_TRUE(raw.isValid());
    int japanese = 0;
    for (const QString &text : std::as_const(texts)) {
        for (const uint character : text.toUcs4()) {
            if (QChar::isSpace(character))
                continue;
            EXPECT_TRUE(raw.supportsCharacter(character))
                << "no glyph for U+" << std::hex << character << " in " << text.toStdString();
            japanese += character >= 0x3000;
        }
        for (const quint32 glyph : raw.glyphIndexesForString(QString(text).remove(u' ')))
            EXPECT_NE(glyph, 0u) << "missing glyph in " << text.toStdString();
    }
    EXPECT_GT(japanese, 50) << "the sample should show Japanese";

    if (QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty())
        GTEST_SKIP() << "Xvfb is missing (xvfb-run): no screenshot taken";
    const QString picture = QStringLiteral(MORVEX_SCREENSHOT_FILE);
    QFile::remove(picture);
    QProcess xvfb;
    xvfb.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("SHOT_CAD"), QStringLiteral(MORVEX_CAD_PROGRAM));
    environment.insert(QStringLiteral("SHOT_GRAB"), QStringLiteral(MORVEX_SCREENSHOT_PROGRAM));
    environment.insert(QStringLiteral("SHOT_DRAWING"), QStringLiteral(MORVEX_SAMPLE_DRAWING));
    environment.insert(QStringLiteral("SHOT_FILE"), picture);
    xvfb.setProcessEnvironment(environment);
    xvfb.start(QStringLiteral("xvfb-run"),
               {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x800x24"),
                QStringLiteral("sh"), QStringLiteral("-c"),
                QStringLiteral("\"$SHOT_CAD\" -geometry 1200x760+0+0 --progid MorvexTest.Screenshot$$ \"$SHOT_DRAWING\" & "
                               "cad=$!; \"$SHOT_GRAB\" --wait 30 \"$SHOT_FILE\"; status=$?; "
                               "kill $cad; wait $cad; exit $status")});
    ASSERT_TRUE(xvfb.waitForFinished(90000));
    EXPECT_EQ(xvfb.exitCode(), 0);

    const QImage image(picture);
    ASSERT_FALSE(image.isNull()) << "no screenshot at " << picture.toStdString();
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    }
    EXPECT_GT(colours.size(), 20) << "the screenshot shows hardly anything";
    std::printf("Screenshot: %s\n", qPrintable(QFileInfo(picture).absoluteFilePath()));
}

} // namespace
