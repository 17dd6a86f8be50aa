// What the editor looks like: background colour, font, gutter, no wrapping.

#include "lineeditorfixture.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

class EditorAppearance : public LineEditorFixture
{
};

TEST_F(EditorAppearance, backgroundColourIsSetReadAndPainted)
{
    const QColor pink(255, 200, 200);
    ASSERT_NE(editor.backgroundColor(), pink);
    editor.setBackgroundColor(pink);
    EXPECT_EQ(editor.backgroundColor(), pink);

    const QImage shot = editor.viewport()->grab().toImage();
    // Bottom right of an empty editor: no text there, only background.
    EXPECT_EQ(QColor(shot.pixel(shot.width() - 3, shot.height() - 3)), pink);
}

TEST_F(EditorAppearance, usesAFixedPitchJapaneseFont)
{
    const QStringList japaneseFonts = {QStringLiteral(u"ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                                       QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("IPAGothic")};
    EXPECT_TRUE(japaneseFonts.contains(LineEditor::editorFontFamily()))
            << LineEditor::editorFontFamily().toStdString();
    EXPECT_EQ(QFontInfo(editor.font()).family(), LineEditor::editorFontFamily());
    EXPECT_EQ(editor.font().pixelSize(), 15);

    // A full-width character takes exactly the room of two half-width ones.
    const QFontMetrics metrics(editor.font());
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral(u"配線")), metrics.horizontalAdvance(QStringLiteral("W1.i")));
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("iiii")), metrics.horizontalAdvance(QStringLiteral("WWWW")));
}

TEST_F(EditorAppearance, longLinesAreNotWrapped)
{
    editor.setLines({QString(300, QLatin1Char('x')) + QStringLiteral(u"　配線")});
    editor.grab(); // lay out
    EXPECT_EQ(editor.document()->firstBlock().layout()->lineCount(), 1);
    EXPECT_EQ(editor.lineCount(), 1);
}

TEST_F(EditorAppearance, theGutterWidensForMoreDigits)
{
    editor.setLines({"1", "2"});
    const int narrow = editor.viewport()->x();
    EXPECT_GT(narrow, 0);

    QStringList many;
    for (int i = 0; i < 1200; ++i)
        many.append(QString::number(i));
    editor.setLines(many);
    EXPECT_GT(editor.viewport()->x(), narrow);
}

TEST_F(EditorAppearance, theGutterShowsLineNumbers)
{
    editor.setLines({"a", "b"});
    const QImage withNumbers = editor.grab().toImage();
    editor.setLines({"a"});
    const QImage withOneNumber = editor.grab().toImage();
    // Only the gutter and the text area differ; the second line's number
    // must be gone from the gutter.
    const int gutterWidth = editor.viewport()->x();
    bool gutterChanged = false;
    for (int y = 0; y < withNumbers.height() && !gutterChanged; ++y)
        for (int x = 0; x < gutterWidth && !gutterChanged; ++x)
            gutterChanged = withNumbers.pixel(x, y) != withOneNumber.pixel(x, y);
    EXPECT_TRUE(gutterChanged);
}

} // namespace
