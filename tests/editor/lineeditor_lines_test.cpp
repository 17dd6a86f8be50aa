// Lines of the editor: loading, reading, changing single lines.

#include "lineeditorfixture.h"

#include <ostream>

namespace {

struct LoadCase
{
    const char *name;
    QString loaded;
    QStringList lines;
    QString text;
};

void PrintTo(const LoadCase &c, std::ostream *os)
{
    *os << c.name;
}

class EditorLinesLoad : public LineEditorFixture, public ::testing::WithParamInterface<LoadCase>
{
};

TEST_P(EditorLinesLoad, setTextGivesTheLinesAndTheTextBack)
{
    const LoadCase &c = GetParam();
    editor.setText(c.loaded);
    EXPECT_EQ(editor.lineCount(), c.lines.size());
    EXPECT_EQ(editor.lines(), c.lines);
    for (int i = 0; i < c.lines.size(); ++i)
        EXPECT_EQ(editor.line(i), c.lines.at(i)) << "line " << i;
    EXPECT_EQ(editor.text(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EditorLinesLoad,
    ::testing::Values(
        LoadCase{"Empty", QString(), {}, QString()},
        LoadCase{"OneLine", QStringLiteral("A-01"), {QStringLiteral("A-01")}, QStringLiteral("A-01")},
        LoadCase{"Lf", QStringLiteral("a\nb\nc"), {"a", "b", "c"}, QStringLiteral("a\nb\nc")},
        LoadCase{"CrLf", QStringLiteral("a\r\nb\r\n"), {"a", "b", ""}, QStringLiteral("a\nb\n")},
        LoadCase{"LoneCr", QStringLiteral("a\rb"), {"a", "b"}, QStringLiteral("a\nb")},
        LoadCase{"BlankLinesKept", QStringLiteral("\n\nx\n"), {"", "", "x", ""}, QStringLiteral("\n\nx\n")},
        LoadCase{"TrailingBlanksKept", QStringLiteral("AB  \nC\t"), {"AB  ", "C\t"},
                 QStringLiteral("AB  \nC\t")},
        LoadCase{"Japanese", QStringLiteral(u"配電盤　１\nｶﾞｽ管"), {QStringLiteral(u"配電盤　１"), QStringLiteral(u"ｶﾞｽ管")},
                 QStringLiteral(u"配電盤　１\nｶﾞｽ管")}),
    [](const ::testing::TestParamInfo<LoadCase> &info) { return std::string(info.param.name); });

class EditorLines : public LineEditorFixture
{
};

TEST_F(EditorLines, setLinesRoundTripsAndReplacesEverything)
{
    editor.setLines({"old 1", "old 2", "old 3"});
    const QStringList lines = {QStringLiteral(u"ＰＣ－１"), QString(), QStringLiteral("B  "), QStringLiteral(u"盤")};
    editor.setLines(lines);
    EXPECT_EQ(editor.lines(), lines);
    EXPECT_EQ(editor.lineCount(), 4);
}

TEST_F(EditorLines, clearLeavesNoLines)
{
    editor.setLines({"a", "b"});
    editor.clear();
    EXPECT_EQ(editor.lineCount(), 0);
    EXPECT_EQ(editor.text(), QString());
    EXPECT_TRUE(editor.lines().isEmpty());
}

TEST_F(EditorLines, lineOutsideTheTextIsEmpty)
{
    editor.setLines({"a", "b"});
    EXPECT_EQ(editor.line(-1), QString());
    EXPECT_EQ(editor.line(2), QString());
}

TEST_F(EditorLines, setLineChangesOnlyThatLine)
{
    editor.setLines({"a", "b", "c"});
    editor.setLine(1, QStringLiteral(u"ｂ２ "));
    editor.setLine(2, QString());
    EXPECT_EQ(editor.lines(), QStringList({"a", QStringLiteral(u"ｂ２ "), ""}));
}

TEST_F(EditorLines, setLineOutsideTheTextChangesNothing)
{
    editor.setLines({"a"});
    editor.setLine(1, "x");
    editor.setLine(-1, "x");
    EXPECT_EQ(editor.lines(), QStringList({"a"}));
}

TEST_F(EditorLines, insertLineMovesTheFollowingLinesDown)
{
    editor.setLines({"1", "2", "3"});
    editor.insertLine(0, "first");
    editor.insertLine(2, "middle");
    editor.insertLine(5, "last"); // at lineCount(): appended
    EXPECT_EQ(editor.lines(), QStringList({"first", "1", "middle", "2", "3", "last"}));
}

TEST_F(EditorLines, appendLineToAnEmptyEditorGivesOneLine)
{
    editor.appendLine(QStringLiteral(u"Ａ－０１"));
    editor.appendLine("A-02");
    EXPECT_EQ(editor.lines(), QStringList({QStringLiteral(u"Ａ－０１"), "A-02"}));
}

TEST_F(EditorLines, anEmptyFirstLineIsALine)
{
    // A drawing text may be empty: line i must stay the i-th text given.
    editor.appendLine(QString());
    EXPECT_EQ(editor.lineCount(), 1);
    editor.appendLine("x");
    EXPECT_EQ(editor.lines(), QStringList({"", "x"}));

    editor.setLines({QString()});
    EXPECT_EQ(editor.lineCount(), 1);
    editor.insertLine(0, "y");
    EXPECT_EQ(editor.lines(), QStringList({"y", ""}));
}

TEST_F(EditorLines, emptyingTheOnlyLineKeepsOneLine)
{
    editor.setLines({"a"});
    editor.setLine(0, QString());
    EXPECT_EQ(editor.lineCount(), 1);

    editor.setLines({"b"});
    editor.setCaret(1, 2);
    press(Qt::Key_Backspace);
    EXPECT_EQ(editor.lineCount(), 1);
    EXPECT_EQ(editor.line(0), QString());
}

} // namespace
