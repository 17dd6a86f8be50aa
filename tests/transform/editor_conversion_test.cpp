// The width conversions of the editor's pop-up menu over all lines and over
// the selection, the stop through "中止" and the undo point.

#include "editor_fakehost.h"

#include "transform/editor/editorpopupmenu.h"

#include <QAction>

#include <gtest/gtest.h>

namespace {

using ItemOf = QAction *(*)(EditorPopupMenu &);

struct TransformEditorConversion : ::testing::Test
{
    FakeEditorHost host;
    EditorPopupMenu menu{host, &host.window};

    // Runs the item as the user does, then checks what every command leaves
    // behind: the undo point holds the text from before, runFlag is false
    // and "中止" disabled.
    void run(QAction *item, const QString &textBefore)
    {
        item->trigger();
        EXPECT_TRUE(host.formState.undoFlag);
        EXPECT_EQ(host.formState.undoText, textBefore);
        EXPECT_TRUE(host.SpeedButton4->isEnabled());
        EXPECT_FALSE(host.formState.runFlag);
        EXPECT_FALSE(host.SpeedButton5->isEnabled());
        EXPECT_FALSE(host.SynEdit1->isReadOnly());
        EXPECT_TRUE(host.boxes.shown.isEmpty()) << host.boxes.shown.join(u'\n').toStdString();
    }
};

struct AllLinesCase
{
    const char *name;
    ItemOf item;
    QStringList lines;
    QStringList expected;
};

TEST_F(TransformEditorConversion, AllLines)
{
    const AllLinesCase cases[] = {
        {"すべて全角に", [](EditorPopupMenu &m) { return m.N1; },
         {"ｶﾞ", "abc 1", "漢字ひらがな", ""}, {"ガ", "ａｂｃ　１", "漢字ひらがな", ""}},
        {"すべて半角に", [](EditorPopupMenu &m) { return m.N4; },
         {u"ガ\u3000Ａ"_qs, "ＡＢＣ１２３"}, {"ｶﾞ A", "ABC123"}},
        {"すべての半角 ( ) を全角に ", [](EditorPopupMenu &m) { return m.N28; },
         {"f(x)", "no brackets", "((a)) (b"}, {"f（x）", "no brackets", "（（a）） （b"}},
        {"半角カタカナを全角に", [](EditorPopupMenu &m) { return m.N23; },
         {"ｶﾞｷﾞｸﾞ", "ﾊﾟﾝ", "ﾞ", "abc"}, {"ガギグ", "パン", "ﾞ", "abc"}},
        {"全角カタカナを半角に", [](EditorPopupMenu &m) { return m.N24; },
         {"ガ", "ヴ", "ヵ"}, {"ｶﾞ", "ｳﾞ", "ヵ"}},
        {"半角数字(0..9)を全角に", [](EditorPopupMenu &m) { return m.N091; },
         {"1,234.5"}, {"１,２３４.５"}},
        {"全角数字(0..9)を半角に", [](EditorPopupMenu &m) { return m.N092; },
         {"１２ａ－"}, {"12ａ－"}},
        {"半角数値(0..9+-.,)を全角に", [](EditorPopupMenu &m) { return m.N094; },
         {"1,234.5", "+-x"}, {"１，２３４．５", "＋－x"}},
        {"全角数値(0..9+-.,)を半角に", [](EditorPopupMenu &m) { return m.N093; },
         {"－１．５Ａ"}, {"-1.5Ａ"}},
        {"半角アルファベット(A..Z)を全角に", [](EditorPopupMenu &m) { return m.AZ1; },
         {"abcXYZ1"}, {"ａｂｃＸＹＺ1"}},
        {"全角アルファベット(A..Z)を半角に", [](EditorPopupMenu &m) { return m.AZ2; },
         {"ａＢ１"}, {"aB１"}},
        {"半角記号を全角に", [](EditorPopupMenu &m) { return m.N27; },
         {"C:\\a b"}, {u"C：￥a\u3000b"_qs}},
        {"全角記号を半角に", [](EditorPopupMenu &m) { return m.N26; },
         {"”A’", "＂"}, {"\"A'", "＂"}},
    };
    for (const AllLinesCase &c : cases) {
        SCOPED_TRACE(c.name);
        host.setLines(c.lines);
        const QString before = host.SynEdit1->text();
        host.testPump.calls = 0;
        run(c.item(menu), before);
        EXPECT_EQ(host.lines(), c.expected);
        EXPECT_EQ(host.testPump.calls, c.lines.size()) << "messages are let through after every line";

        // The first tab's "Undo" brings the text from before back.
        host.SpeedButton4->click();
        EXPECT_EQ(host.SynEdit1->text(), before);
    }
}

struct SelectionCase
{
    const char *name;
    ItemOf item;
    QStringList lines;
    int selectionStart, selectionEnd;
    QStringList expected;
};

TEST_F(TransformEditorConversion, Selection)
{
    const ItemOf toFull = [](EditorPopupMenu &m) { return m.N2; };
    const ItemOf toHalf = [](EditorPopupMenu &m) { return m.N5; };
    const SelectionCase cases[] = {
        {"inside one line", toFull, {"xabcx", "y"}, 1, 4, {"xａｂｃx", "y"}},
        {"across lines, beginning and ending inside them", toFull, {"abc", "def"}, 1, 6,
         {"aｂｃ", "ｄｅf"}},
        {"ending with a line break: the next line joins the last converted one", toFull,
         {"ab", "cd", "ef"}, 0, 6, {"ａｂ", "ｃｄef"}},
        {"an empty line inside the selection stays", toFull, {"a", "", "b"}, 0, 4, {"ａ", "", "ｂ"}},
        {"leading spaces and a trailing ideographic space turned half-width are trimmed", toHalf,
         {u"  ＡＢ\u3000"_qs, "z"}, 0, 5, {"AB", "z"}},
        {"the ideographic space made from a space is not trimmed", toFull, {" a "}, 0, 3,
         {u"\u3000ａ\u3000"_qs}},
        {"to half width, a voiced kana becomes two characters", toHalf, {"xガx"}, 1, 2, {"xｶﾞx"}},
        {"a selection of line breaks only becomes nothing", toFull, {"a", "", "", "b"}, 2, 4,
         {"a", "b"}},
    };
    for (const SelectionCase &c : cases) {
        SCOPED_TRACE(c.name);
        host.setLines(c.lines);
        const QString before = host.SynEdit1->text();
        host.select(c.selectionStart, c.selectionEnd);
        run(c.item(menu), before);
        EXPECT_EQ(host.lines(), c.expected);

        host.SpeedButton4->click();
        EXPECT_EQ(host.SynEdit1->text(), before);
    }
}

TEST_F(TransformEditorConversion, SelectionItemWithoutSelectionDoesNothing)
{
    for (QAction *item : {menu.N2, menu.N5}) {
        SCOPED_TRACE(item->text().toStdString());
        host.setLines({"abc"});
        host.select(1, 1);
        host.undoMarks = 0;
        item->trigger();
        EXPECT_EQ(host.lines(), QStringList({"abc"}));
        EXPECT_EQ(host.undoMarks, 0);
        EXPECT_FALSE(host.formState.runFlag);
        EXPECT_FALSE(host.SpeedButton5->isEnabled());
    }
}

TEST_F(TransformEditorConversion, SelectionResultGoesWhereTheSelectionWasWhenTheCaretMovesMeanwhile)
{
    host.setLines({"abc", "def"});
    host.select(0, 3);
    host.testPump.onCall = [&](int) { host.select(5, 5); }; // a click in the second line
    menu.N2->trigger();
    EXPECT_EQ(host.lines(), QStringList({"ａｂｃ", "def"}));
}

struct StopCase
{
    const char *name;
    ItemOf item;
    bool selectAll;
};

// "中止" clicked while line `stopAt` (from 1) is handled keeps that line and
// the ones before it converted, leaves the rest as they were and keeps the
// undo point of the text before the command.
TEST_F(TransformEditorConversion, StopKeepsTheLinesDoneSoFar)
{
    const StopCase cases[] = {
        {"すべて全角に", [](EditorPopupMenu &m) { return m.N1; }, false},
        {"すべての半角 ( ) を全角に ", [](EditorPopupMenu &m) { return m.N28; }, false},
        {"半角アルファベット(A..Z)を全角に", [](EditorPopupMenu &m) { return m.AZ1; }, false},
        {"選択範囲を全角に", [](EditorPopupMenu &m) { return m.N2; }, true},
    };
    const QStringList lines{"(a)", "(b)", "(c)", "(d)", "(e)"};
    const QStringList converted{"（ａ）", "（ｂ）", "（ｃ）", "（ｄ）", "（ｅ）"};
    const QStringList bracketsOnly{"（a）", "（b）", "（c）", "（d）", "（e）"};
    const QStringList lettersOnly{"(ａ)", "(ｂ)", "(ｃ)", "(ｄ)", "(ｅ)"};
    for (const StopCase &c : cases) {
        for (int stopAt : {1, 2, 5}) {
            SCOPED_TRACE(std::string(c.name) + ", stop at line " + std::to_string(stopAt));
            host.setLines(lines);
            const QString before = host.SynEdit1->text();
            if (c.selectAll)
                host.SynEdit1->selectAll();
            host.testPump.calls = 0;
            host.testPump.onCall = [&](int call) {
                if (call == stopAt) {
                    ASSERT_TRUE(host.SpeedButton5->isEnabled());
                    host.SpeedButton5->click();
                }
            };
            QAction *item = c.item(menu);
            run(item, before);
            host.testPump.onCall = nullptr;

            const QStringList &done = item == menu.N28 ? bracketsOnly : item == menu.AZ1 ? lettersOnly : converted;
            QStringList expected = done.mid(0, stopAt) + lines.mid(stopAt);
            EXPECT_EQ(host.lines(), expected);
            EXPECT_EQ(host.testPump.calls, stopAt) << "no line is handled after the stop";

            host.SpeedButton4->click();
            EXPECT_EQ(host.SynEdit1->text(), before);
        }
    }
}

// The whole run goes into the editor as one update that the first tab's
// "Undo" takes back in one click, and a long text is converted completely.
TEST_F(TransformEditorConversion, LongTextConvertsCompletely)
{
    QStringList lines;
    QStringList expected;
    for (int i = 0; i < 20000; ++i) {
        lines << QStringLiteral("No.%1 ｶﾞ").arg(i);
        expected << QString(QStringLiteral("No.%1 ｶﾞ").arg(i)).replace(QStringLiteral("ｶﾞ"), QStringLiteral("ガ"));
    }
    host.setLines(lines);
    menu.N23->trigger();
    EXPECT_EQ(host.lines(), expected);
    EXPECT_EQ(host.testPump.calls, lines.size());
    host.SpeedButton4->click();
    EXPECT_EQ(host.lines(), lines);
}

} // namespace
