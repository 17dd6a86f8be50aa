#include "editor_fakehost.h"

#include "transform/editor/editorpopupmenu.h"

#include <QAction>
#include <QMenu>

#include <stdexcept>

#include <gtest/gtest.h>

namespace {

struct TransformEditorMenu : ::testing::Test
{
    FakeEditorHost host;
    EditorPopupMenu menu{host, &host.window};

    std::vector<QAction *> selectionItems() const
    {
        return {menu.N2, menu.N5, menu.N8, menu.N10, menu.N11, menu.N15};
    }
    std::vector<QAction *> allLinesItems() const { return {menu.N1, menu.N4, menu.N7, menu.N14}; }
    std::vector<QAction *> alwaysEnabledItems() const
    {
        std::vector<QAction *> items{menu.N20, menu.N12, menu.N28, menu.N21->menuAction(), menu.N17,
                                     menu.N39, menu.N40, menu.N25, menu.N19};
        for (QAction *item : menu.N21->actions())
            items.push_back(item);
        return items;
    }
};

TEST_F(TransformEditorMenu, MenuItemsInOrderWithTheirCaptions)
{
    const QString separator = QStringLiteral("-");
    const std::vector<std::pair<QAction *, QString>> expected{
        {menu.N20, QStringLiteral("クリア")},
        {menu.N10, QStringLiteral("カット")},
        {menu.N11, QStringLiteral("コピー")},
        {menu.N12, QStringLiteral("ペースト")},
        {menu.N9, separator},
        {menu.N1, QStringLiteral("すべて全角に")},
        {menu.N2, QStringLiteral("選択範囲を全角に")},
        {menu.N3, separator},
        {menu.N4, QStringLiteral("すべて半角に")},
        {menu.N5, QStringLiteral("選択範囲を半角に")},
        {menu.N22, separator},
        {menu.N28, QStringLiteral("すべての半角 ( ) を全角に ")},
        {menu.N29, separator},
        {menu.N21->menuAction(), QStringLiteral("その他のすべてを変換")},
        {menu.N6, separator},
        {menu.N7, QStringLiteral("すべて置換")},
        {menu.N8, QStringLiteral("選択範囲を置換")},
        {menu.N13, separator},
        {menu.N14, QStringLiteral("すべて加算")},
        {menu.N15, QStringLiteral("選択範囲を加算")},
        {menu.N16, separator},
        {menu.N17, QStringLiteral("連番作成")},
        {menu.N18, separator},
        {menu.N39, QStringLiteral("■ タグリストを編集（メモ帳を起動）")},
        {menu.N40, QStringLiteral("■ タグリストを再読み込み")},
        {menu.N41, separator},
        {menu.N25, QStringLiteral("バージョン情報")},
        {menu.N30, separator},
        {menu.N19, QStringLiteral("取り消し")},
    };
    const QList<QAction *> actions = menu.PopupMenu1->actions();
    ASSERT_EQ(actions.size(), qsizetype(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(actions[qsizetype(i)], expected[i].first);
        if (expected[i].second == separator)
            EXPECT_TRUE(actions[qsizetype(i)]->isSeparator());
        else
            EXPECT_EQ(actions[qsizetype(i)]->text(), expected[i].second);
    }
}

TEST_F(TransformEditorMenu, SubmenuHoldsTheTenClassItems)
{
    const std::vector<std::pair<QAction *, QString>> expected{
        {menu.N23, QStringLiteral("半角カタカナを全角に")},
        {menu.N24, QStringLiteral("全角カタカナを半角に")},
        {menu.N091, QStringLiteral("半角数字(0..9)を全角に")},
        {menu.N092, QStringLiteral("全角数字(0..9)を半角に")},
        {menu.N094, QStringLiteral("半角数値(0..9+-.,)を全角に")},
        {menu.N093, QStringLiteral("全角数値(0..9+-.,)を半角に")},
        {menu.AZ1, QStringLiteral("半角アルファベット(A..Z)を全角に")},
        {menu.AZ2, QStringLiteral("全角アルファベット(A..Z)を半角に")},
        {menu.N27, QStringLiteral("半角記号を全角に")},
        {menu.N26, QStringLiteral("全角記号を半角に")},
    };
    const QList<QAction *> actions = menu.N21->actions();
    ASSERT_EQ(actions.size(), qsizetype(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actions[qsizetype(i)], expected[i].first) << i;
        EXPECT_EQ(actions[qsizetype(i)]->text(), expected[i].second) << i;
    }
}

TEST_F(TransformEditorMenu, EveryItemEnabledBeforeTheFirstOpening)
{
    for (QAction *item : menu.PopupMenu1->actions())
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
}

TEST_F(TransformEditorMenu, EnabledStatesFollowLinesAndSelection)
{
    struct Case
    {
        const char *name;
        QStringList lines;
        int selectionStart, selectionEnd;
        bool allLinesEnabled, selectionEnabled;
    };
    const Case cases[] = {
        {"empty editor", {}, 0, 0, false, false},
        {"lines, no selection", {"abc", "def"}, 2, 2, true, false},
        {"lines, a selection", {"abc", "def"}, 1, 5, true, true},
        {"one empty line", {""}, 0, 0, true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        host.setLines(c.lines);
        host.select(c.selectionStart, c.selectionEnd);
        menu.PopupMenu1Popup();
        for (QAction *item : allLinesItems())
            EXPECT_EQ(item->isEnabled(), c.allLinesEnabled) << item->text().toStdString();
        for (QAction *item : selectionItems())
            EXPECT_EQ(item->isEnabled(), c.selectionEnabled) << item->text().toStdString();
        for (QAction *item : alwaysEnabledItems())
            EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
    }
}

TEST_F(TransformEditorMenu, OpeningTheMenuSetsTheEnabledStates)
{
    host.window.show();
    host.setLines({});
    menu.popup(host.window.mapToGlobal(QPoint(20, 80)));
    EXPECT_TRUE(menu.PopupMenu1->isVisible());
    EXPECT_FALSE(menu.N1->isEnabled());
    EXPECT_FALSE(menu.N11->isEnabled());
    EXPECT_TRUE(menu.N20->isEnabled());
    menu.PopupMenu1->close();
}

TEST_F(TransformEditorMenu, TabItemsRunTheTabsCommands)
{
    host.setLines({"abc"});
    for (QAction *item : {menu.N20, menu.N10, menu.N11, menu.N12, menu.N39, menu.N40, menu.N25})
        item->trigger();
    EXPECT_EQ(host.hostCommands,
              QStringList({"N20Click", "N10Click", "N11Click", "N12Click", "N39Click", "N40Click", "N25Click"}));
}

TEST_F(TransformEditorMenu, CancelItemChangesNothing)
{
    host.setLines({"abc", "ｶﾞ"});
    host.select(0, 3);
    menu.N19->trigger();
    EXPECT_EQ(host.lines(), QStringList({"abc", "ｶﾞ"}));
    EXPECT_EQ(host.undoMarks, 0);
    EXPECT_TRUE(host.hostCommands.isEmpty());
    EXPECT_TRUE(host.shownDialogs.empty());
}

TEST_F(TransformEditorMenu, NoSecondCommandWhileOneRuns)
{
    host.setLines({"a", "b", "c"});
    host.window.show();
    bool checked = false;
    host.testPump.onCall = [&](int call) {
        if (call != 2)
            return;
        checked = true;
        EXPECT_TRUE(menu.isRunning());
        EXPECT_TRUE(host.SynEdit1->isReadOnly()) << "typing would be lost when the lines are written back";
        EXPECT_TRUE(host.SpeedButton5->isEnabled());
        EXPECT_TRUE(host.formState.runFlag);
        menu.N4->trigger(); // refused: the first command goes on
        menu.popup(host.window.mapToGlobal(QPoint(20, 80)));
        EXPECT_FALSE(menu.PopupMenu1->isVisible());
    };
    menu.N1->trigger();
    EXPECT_TRUE(checked);
    EXPECT_EQ(host.lines(), QStringList({"ａ", "ｂ", "ｃ"}));
    EXPECT_EQ(host.undoMarks, 1);
    EXPECT_FALSE(menu.isRunning());
    EXPECT_FALSE(host.SynEdit1->isReadOnly());
    EXPECT_FALSE(host.SpeedButton5->isEnabled());
    EXPECT_FALSE(host.formState.runFlag);
}

} // namespace

namespace {

// A failure inside a command ends it with the general error report and
// leaves no command marked as running.
TEST_F(TransformEditorMenu, FailureEndsTheCommandAndIsReported)
{
    host.setLines({"a", "b", "c"});
    host.testPump.onCall = [](int call) {
        if (call == 2)
            throw std::runtime_error("out of memory");
    };
    menu.N1->trigger();
    EXPECT_EQ(host.boxes.shown, QStringList({"out of memory"}));
    EXPECT_FALSE(menu.isRunning());
    EXPECT_FALSE(host.formState.runFlag);
    EXPECT_FALSE(host.SpeedButton5->isEnabled());
    EXPECT_FALSE(host.SynEdit1->isReadOnly());
    EXPECT_EQ(host.formState.undoText, QStringLiteral("a\nb\nc"));

    host.testPump.onCall = nullptr;
    menu.N4->trigger(); // the menu works again
    EXPECT_FALSE(host.formState.runFlag);
    EXPECT_EQ(host.boxes.shown.size(), 1);
}

} // namespace
