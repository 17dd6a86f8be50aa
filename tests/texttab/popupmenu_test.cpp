// The editor's pop-up menu as the first tab carries it.
#include "texttabfixture.h"

#include "transform/editor/editorpopupmenu.h"

#include <QAction>

namespace {

TEST_F(TextTabTest, MenuCommandsWorkOnTheEditorWithTheTabsUndoPoint)
{
    ui.setEditorLines({"abc-1", "ﾓｰﾀｰ"});
    tab().PopupMenu1->N1Click(); // "すべて全角に"
    EXPECT_EQ(ui.editorLines(), (QStringList{"ａｂｃ－１", "モーター"}));
    EXPECT_TRUE(tab().SpeedButton4->isEnabled());
    EXPECT_FALSE(ui.form().state().runFlag);
    EXPECT_FALSE(tab().SpeedButton5->isEnabled());
    tab().SpeedButton4->click();
    EXPECT_EQ(ui.editorLines(), (QStringList{"abc-1", "ﾓｰﾀｰ"}));
}

TEST_F(TextTabTest, MenuItemsOfTheWindowReachIt)
{
    tab().PopupMenu1->N25->trigger(); // "バージョン情報"
    tab().PopupMenu1->N39->trigger(); // the tag list file does not exist yet
    ASSERT_EQ(ui.messages.shown.size(), 2u);
    EXPECT_TRUE(ui.messages.shown[0].text.contains("2024.12.26"));
    EXPECT_TRUE(ui.messages.shown[1].text.endsWith("ファイルが見つかりません．"));
}

} // namespace
