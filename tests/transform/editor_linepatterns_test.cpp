// Splitting a selected text into lines and joining the result back.

#include "transform/editor/editorlinepatterns.h"

#include <gtest/gtest.h>

namespace {

TEST(TransformEditorLinePatterns, SplitAtEveryKindOfLineBreak)
{
    struct Case
    {
        QString text;
        QStringList lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"\n", {""}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"a\n\r", {"a", ""}},
        {"\r\n\r\n", {"", ""}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(splitTextLines(c.text), c.lines) << c.text.toStdString();
}

TEST(TransformEditorLinePatterns, JoinWithCrLfAndTrimBlanksAtBothEnds)
{
    struct Case
    {
        std::vector<std::u16string> lines;
        QString joined;
    };
    const Case cases[] = {
        {{}, ""},
        {{u"a"}, "a"},
        {{u"a", u"", u"b"}, "a\r\n\r\nb"},
        {{u"  a\t", u"b  "}, "a\t\r\nb"},
        {{u"", u""}, ""},
        {{u"\u3000a\u3000"}, u"\u3000a\u3000"_qs},
        {{u"\x01x\x1f"}, "x"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(joinTrimmedLines(c.lines), c.joined) << c.joined.toStdString();
}

} // namespace
