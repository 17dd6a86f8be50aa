// "すべて置換" and "選択範囲を置換" of the editor's pop-up menu.

#include "editor_fakehost.h"

#include "transform/editor/editorpopupmenu.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

struct TransformEditorReplace : ::testing::Test
{
    FakeEditorHost host;
    EditorPopupMenu menu{host, &host.window};
    TMorvTikanForm &dialog = host.tikanForm;
    // The fields as the dialog opened with them.
    QString proposedFind, proposedRepl;

    // The user types the texts, sets the check box and clicks "実行".
    void answerWith(const QString &find, const QString &repl, bool ignoreCase)
    {
        host.answerDialog = [=, this](QDialog &shown) {
            ASSERT_EQ(&shown, &dialog);
            proposedFind = dialog.Edit1->text();
            proposedRepl = dialog.Edit2->text();
            dialog.Edit1->setText(find);
            dialog.Edit2->setText(repl);
            dialog.CheckBox1->setChecked(ignoreCase);
            dialog.Button1->click();
        };
    }
};

struct ReplaceCase
{
    const char *name;
    bool allLines;
    QStringList lines;
    int selectionStart, selectionEnd;
    QString find, repl;
    bool ignoreCase;
    QStringList expected;
};

TEST_F(TransformEditorReplace, ReplacesAllLinesOrTheSelection)
{
    const ReplaceCase cases[] = {
        {"all lines, ignoring case", true, {"abcABC", "ABC"}, 0, 0, "abc", "x", true, {"xx", "x"}},
        {"all lines, with case", true, {"abcABC", "ABC"}, 0, 0, "abc", "x", false, {"xABC", "ABC"}},
        {"all lines, full-width letters fold too", true, {"ａｂｃＡＢＣ"}, 0, 0, "ａｂｃ", "x", true, {"xx"}},
        {"selection, the check box has no effect", false, {"abcABC"}, 0, 6, "abc", "x", true, {"xABC"}},
        {"selection, with case", false, {"abcABC"}, 0, 6, "abc", "x", false, {"xABC"}},
        {"matches do not overlap", true, {"aaa"}, 0, 0, "aa", "b", false, {"ba"}},
        {"inserted text is not searched again", true, {"aba"}, 0, 0, "a", "aa", false, {"aabaa"}},
        {"an empty replacement deletes", true, {"a-b-c", "--"}, 0, 0, "-", "", false, {"abc", ""}},
        {"only inside the selection", false, {"aaaa", "aa"}, 1, 3, "a", "b", false, {"abba", "aa"}},
        {"a selection ending with a line break loses it", false, {"ab", "ab", "c"}, 0, 6, "a", "x", false,
         {"xb", "xbc"}},
    };
    for (const ReplaceCase &c : cases) {
        SCOPED_TRACE(c.name);
        host.setLines(c.lines);
        const QString before = host.SynEdit1->text();
        host.select(c.selectionStart, c.selectionEnd);
        answerWith(c.find, c.repl, c.ignoreCase);
        (c.allLines ? menu.N7 : menu.N8)->trigger();

        EXPECT_EQ(host.lines(), c.expected);
        EXPECT_EQ(host.formState.undoText, before);
        EXPECT_TRUE(host.formState.undoFlag);
        EXPECT_FALSE(host.formState.runFlag);
        EXPECT_FALSE(host.SpeedButton5->isEnabled());
        host.SpeedButton4->click();
        EXPECT_EQ(host.SynEdit1->text(), before);
    }
}

TEST_F(TransformEditorReplace, DialogOpensWithTheFirstLineOrTheSelectionUpToItsLineBreak)
{
    struct Case
    {
        const char *name;
        QAction *item;
        int selectionStart, selectionEnd;
        QString proposal;
    };
    const Case cases[] = {
        {"すべて置換", menu.N7, 5, 5, "配管A-1"},
        {"選択範囲を置換, one line", menu.N8, 2, 5, "A-1"},
        {"選択範囲を置換, up to the first line break", menu.N8, 2, 11, "A-1"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        host.setLines({"配管A-1", "配管B-2"});
        host.select(c.selectionStart, c.selectionEnd);
        dialog.setSearchText(QStringLiteral("earlier"));
        answerWith(QString(), QString(), false);
        c.item->trigger();
        EXPECT_EQ(proposedFind, c.proposal);
        EXPECT_EQ(proposedRepl, c.proposal);
    }
}

TEST_F(TransformEditorReplace, EmptyEditorKeepsTheEarlierFields)
{
    host.setLines({});
    dialog.Edit1->setText(QStringLiteral("find"));
    dialog.Edit2->setText(QStringLiteral("repl"));
    answerWith(QString(), QString(), false);
    menu.N7->trigger();
    EXPECT_EQ(proposedFind, QStringLiteral("find"));
    EXPECT_EQ(proposedRepl, QStringLiteral("repl"));
}

TEST_F(TransformEditorReplace, EmptySearchTextOrCancelChangesNothing)
{
    for (QAction *item : {menu.N7, menu.N8}) {
        SCOPED_TRACE(item->text().toStdString());
        host.setLines({"abc"});
        host.select(0, 3);
        host.undoMarks = 0;

        answerWith(QString(), QStringLiteral("x"), false);
        item->trigger();
        EXPECT_EQ(host.lines(), QStringList({"abc"}));

        host.answerDialog = [this](QDialog &) {
            dialog.Edit1->setText(QStringLiteral("a"));
            dialog.Edit2->setText(QStringLiteral("x"));
            dialog.Button2->click(); // "取り消し"
        };
        item->trigger();
        EXPECT_EQ(host.lines(), QStringList({"abc"}));
        EXPECT_EQ(host.undoMarks, 0) << "no undo point";
        EXPECT_FALSE(host.SpeedButton5->isEnabled());
    }
    EXPECT_EQ(host.shownDialogs.size(), 4u);
}

TEST_F(TransformEditorReplace, StopKeepsTheLinesReplacedSoFar)
{
    host.setLines({"a1", "a2", "a3", "a4"});
    const QString before = host.SynEdit1->text();
    answerWith(QStringLiteral("a"), QStringLiteral("b"), false);
    host.testPump.onCall = [this](int call) {
        if (call == 2)
            host.SpeedButton5->click();
    };
    menu.N7->trigger();
    EXPECT_EQ(host.lines(), QStringList({"b1", "b2", "a3", "a4"}));
    EXPECT_EQ(host.formState.undoText, before);
}

} // namespace
