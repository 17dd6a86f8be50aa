// Tag sets: splitting a line into elements, the block name filter, the
// tag-set list file at start and on reload, and the tag list dialog.

#include "attrtabfixture.h"

#include "app/settingsfile.h"
#include "attrtab/tagset.h"
#include "attrtab/tmorvattform.h"
#include "form/sidefiles.h"

#include <QListWidget>
#include <QPushButton>

namespace {

struct SplitCase
{
    QString line;
    QStringList elements;

    friend void PrintTo(const SplitCase &c, std::ostream *os)
    {
        *os << caseLabel(c.line);
    }
};

class AttrTabSplit : public ::testing::TestWithParam<SplitCase>
{};

TEST_P(AttrTabSplit, AttrTabTagSetLineSplitsIntoElements)
{
    EXPECT_EQ(splitQuotedList(GetParam().line, QLatin1Char(',')), GetParam().elements) << GetParam().line.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Lines, AttrTabSplit,
    ::testing::Values(SplitCase{"機器,NAME,NAME1,SPEC,TYPE", {"機器", "NAME", "NAME1", "SPEC", "TYPE"}},
                      SplitCase{"名前,\"TAG,1\",X", {"名前", "TAG,1", "X"}},
                      SplitCase{"a,\"say \"\"hi\"\"\",b", {"a", "say \"hi\"", "b"}},
                      SplitCase{" a b , c ", {" a b ", " c "}},
                      SplitCase{"a,b,", {"a", "b", ""}},
                      SplitCase{"a,,b", {"a", "", "b"}},
                      SplitCase{",", {"", ""}},
                      SplitCase{"name", {"name"}},
                      SplitCase{"", {}}));

struct FilterNameCase
{
    QString name;
    QString filter;

    friend void PrintTo(const FilterNameCase &c, std::ostream *os)
    {
        *os << caseLabel(c.name);
    }
};

class AttrTabFilterName : public ::testing::TestWithParam<FilterNameCase>
{};

TEST_P(AttrTabFilterName, AttrTabBlockFilterComesFromTheBrackets)
{
    EXPECT_EQ(blockFilterOfName(GetParam().name), GetParam().filter) << GetParam().name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Names, AttrTabFilterName,
                         ::testing::Values(FilterNameCase{"図枠[ABC*]", "ABC*"}, FilterNameCase{"図枠[]", "*"},
                                           FilterNameCase{"図枠]x[", "*"}, FilterNameCase{"図枠", "*"},
                                           FilterNameCase{"x[A]y[B]", "A"}, FilterNameCase{"x[A", "*"}));

TEST(AttrTabTagSet, AttrTabTagSetHasANameAndItsTagsInColumnOrder)
{
    const TagSet set = readTagSet(QStringLiteral("図枠[TTL*],DWGNO, REV"));
    EXPECT_EQ(set.name, "図枠[TTL*]");
    EXPECT_EQ(set.blockFilter, "TTL*");
    EXPECT_EQ(set.tags, QStringList({"DWGNO", " REV"}));
    EXPECT_TRUE(readTagSet(QString()).tags.isEmpty());
}

// --- The tag-set list file ---

const QString TagSetFile = QStringLiteral("MorvEdit2ATagList.txt");

QStringList items(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

TEST(AttrTabTagSetFile, AttrTabStartUsesTheDesignItemsWithoutAFile)
{
    HeadlessForm ui;
    ui.start();
    EXPECT_EQ(ui.form().TabSheet2->ComboBox2->count(), 5);
    EXPECT_EQ(ui.form().TabSheet2->ComboBox2->currentIndex(), 0);
    EXPECT_TRUE(items(ui.form().TabSheet2->ComboBox2).contains("機器,NAME,NAME1,SPEC,TYPE"));
}

struct StartCase
{
    const char *name;
    int savedIndex;
    int chosen;

    friend void PrintTo(const StartCase &c, std::ostream *os)
    {
        *os << caseLabel(QString::fromUtf8(c.name));
    }
};

class AttrTabTagSetStart : public ::testing::TestWithParam<StartCase>
{};

TEST_P(AttrTabTagSetStart, AttrTabStartReadsEveryLineAndChoosesTheSavedItem)
{
    HeadlessForm ui;
    ui.writeSideFile(TagSetFile, {"b,B1", "", "a,A1"});
    MorvSettings settings;
    settings.attTagIndex2 = GetParam().savedIndex;
    SettingsFile::write(SideFiles::settingsPath(), settings);
    ui.start();
    const QComboBox *box = ui.form().TabSheet2->ComboBox2;

    EXPECT_EQ(items(box), QStringList({"", "a,A1", "b,B1"})); // the blank line too, sorted
    EXPECT_EQ(box->currentIndex(), GetParam().chosen) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Indexes, AttrTabTagSetStart,
                         ::testing::Values(StartCase{"saved 2", 2, 2}, StartCase{"beyond the end", 3, 0},
                                           StartCase{"none chosen", -1, -1}));

TEST(AttrTabTagSetFile, AttrTabSettingsOfTheTabRoundTrip)
{
    HeadlessForm ui;
    ui.start();
    TAttrTab &tab = *ui.form().TabSheet2;
    tab.ComboBox2->setCurrentIndex(3);
    tab.CheckBox2->setChecked(false);
    tab.CheckBox6->setChecked(true);
    tab.CheckBox7->setChecked(false);
    ui.close();

    const MorvSettings saved = SettingsFile::read(SideFiles::settingsPath());
    EXPECT_EQ(saved.attTagIndex2, 3);
    EXPECT_FALSE(saved.cursor);
    EXPECT_TRUE(saved.zoomCenter);
    EXPECT_FALSE(saved.attEnter);

    ui.start();
    EXPECT_EQ(ui.form().TabSheet2->ComboBox2->currentIndex(), 3);
    EXPECT_FALSE(ui.form().TabSheet2->CheckBox2->isChecked());
    EXPECT_TRUE(ui.form().TabSheet2->CheckBox6->isChecked());
    EXPECT_FALSE(ui.form().TabSheet2->CheckBox7->isChecked());
}

struct ReloadCase
{
    const char *name;
    int chosenBefore;
    QStringList file;
    QStringList items;
    int chosenAfter;

    friend void PrintTo(const ReloadCase &c, std::ostream *os)
    {
        *os << caseLabel(QString::fromUtf8(c.name));
    }
};

class AttrTabReload : public ::testing::TestWithParam<ReloadCase>
{};

TEST_P(AttrTabReload, AttrTabReloadTakesTheLinesThatAreNotBlank)
{
    const ReloadCase &c = GetParam();
    HeadlessForm ui;
    ui.start();
    TAttrTab &tab = *ui.form().TabSheet2;
    tab.ComboBox2->setCurrentIndex(c.chosenBefore);
    ui.writeSideFile(TagSetFile, c.file);

    tab.AG2->trigger();

    EXPECT_EQ(items(tab.ComboBox2), c.items) << c.name;
    EXPECT_EQ(tab.ComboBox2->currentIndex(), c.chosenAfter) << c.name;
    EXPECT_TRUE(ui.messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, AttrTabReload,
    ::testing::Values(ReloadCase{"blank lines dropped, choice kept", 1, {"b,B", "  ", "", "a,A", " c,C"},
                                 {" c,C", "a,A", "b,B"}, 1},
                      ReloadCase{"shorter file: item 0", 4, {"x,X", "y,Y"}, {"x,X", "y,Y"}, 0},
                      ReloadCase{"none chosen stays none", -1, {"x,X"}, {"x,X"}, -1}));

TEST(AttrTabTagSetFile, AttrTabMissingFileIsReportedByBothMenuItems)
{
    HeadlessForm ui;
    ui.start();
    TAttrTab &tab = *ui.form().TabSheet2;
    const QString path = ui.sideFile(TagSetFile);

    tab.AG1->trigger();
    tab.AG2->trigger();

    ASSERT_EQ(ui.messages.shown.size(), 2u);
    EXPECT_EQ(ui.messages.shown[0].kind, CapturingMessageBoxes::Information);
    EXPECT_EQ(ui.messages.shown[0].text, path + "\nファイルが見つかりません．");
    EXPECT_EQ(ui.messages.shown[1].kind, CapturingMessageBoxes::Plain);
    EXPECT_EQ(ui.messages.shown[1].text, path + "\nが、見つかりません．");
    EXPECT_EQ(tab.ComboBox2->count(), 5);
    EXPECT_TRUE(ui.openedFiles.isEmpty());

    ui.writeSideFile(TagSetFile, {"a,A"});
    tab.AG1->trigger();
    EXPECT_EQ(ui.openedFiles, QStringList({path}));
}

// --- The tag list dialog ---

class AttrTabTagListDialog : public AttrTabTest
{
protected:
    TMorvAttForm &dialog() { return *tab().MorvAttForm; }
    QStringList firstTabItems() { return ui.form().firstTabTagItems(); }
    // Opens the dialog with "..." of the first tab and acts in it.
    void openDialog(std::function<void()> act)
    {
        answerDialog(std::move(act));
        ui.form().TabSheet1->SpeedButton9->click();
    }
};

TEST_F(AttrTabTagListDialog, AttrTabDialogShowsTheFirstTabsListAndOkHandsItBack)
{
    ui.form().setFirstTabTagItems({"NAME:機器名", "SENBAN:線番"});
    QStringList shown;
    int selected = 0;
    bool dialogTopmost = false;
    openDialog([&] {
        shown = dialog().entries();
        selected = dialog().ListBox1->currentRow();
        dialogTopmost = dialog().windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        dialog().Edit1->setText("TYPE");
        dialog().Edit2->setText("型式");
        dialog().Button2->click();
        dialog().Button4->click();
    });

    EXPECT_EQ(shown, QStringList({"NAME:機器名", "SENBAN:線番"}));
    EXPECT_EQ(selected, -1);
    EXPECT_TRUE(dialogTopmost);
    EXPECT_EQ(firstTabItems(), QStringList({"NAME:機器名", "SENBAN:線番", "TYPE:型式"}));
    EXPECT_TRUE(ui.form().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(AttrTabTagListDialog, AttrTabDialogCancelLeavesTheListAndKeepsTheFields)
{
    ui.form().setFirstTabTagItems({"NAME:機器名"});
    openDialog([&] {
        dialog().Edit1->setText("X");
        dialog().Button2->click();
        dialog().ListBox1->setCurrentRow(0);
        dialog().Button3->click();
        dialog().Button5->click();
    });

    EXPECT_EQ(firstTabItems(), QStringList({"NAME:機器名"}));
    EXPECT_EQ(dialog().Edit1->text(), "X"); // the entry selected after the deletion
}

struct EntryCase
{
    QString entry;
    QString tag;
    QString prompt;

    friend void PrintTo(const EntryCase &c, std::ostream *os)
    {
        *os << caseLabel(c.entry);
    }
};

class AttrTabDialogEntry : public AttrTabTagListDialog, public ::testing::WithParamInterface<EntryCase>
{};

TEST_P(AttrTabDialogEntry, AttrTabChoosingAnEntryFillsTagAndPrompt)
{
    dialog().setEntries({GetParam().entry});
    dialog().ListBox1->setCurrentRow(0);
    dialog().ListBox1Click();
    EXPECT_EQ(dialog().Edit1->text(), GetParam().tag);
    EXPECT_EQ(dialog().Edit2->text(), GetParam().prompt);
}

INSTANTIATE_TEST_SUITE_P(Entries, AttrTabDialogEntry,
                         ::testing::Values(EntryCase{"NAME:機器名", "NAME", "機器名"},
                                           EntryCase{"NAME", "NAME", ""},
                                           EntryCase{"A:b:c", "A", "b"},
                                           EntryCase{"\"T:1\":p", "T:1", "p"}));

TEST_F(AttrTabTagListDialog, AttrTabDialogUpdateAddAndDeleteKeepTheListSorted)
{
    dialog().setEntries({"B:b", "D:d"});
    dialog().Button1Click(); // nothing selected: nothing changes
    dialog().Button3Click();
    EXPECT_EQ(dialog().entries(), QStringList({"B:b", "D:d"}));

    dialog().ListBox1->setCurrentRow(1);
    dialog().Edit1->setText("A");
    dialog().Edit2->setText("a");
    dialog().Button1Click();
    EXPECT_EQ(dialog().entries(), QStringList({"A:a", "B:b"}));

    dialog().Edit1->clear();
    dialog().Edit2->clear();
    dialog().Button2Click();
    dialog().Button2Click();
    EXPECT_EQ(dialog().entries(), QStringList({":", ":", "A:a", "B:b"}));

    dialog().ListBox1->setCurrentRow(3);
    dialog().Button3Click(); // the last one: the new last one is shown
    EXPECT_EQ(dialog().ListBox1->currentRow(), 2);
    EXPECT_EQ(dialog().Edit1->text(), "A");

    dialog().setEntries({"ONLY:x"});
    dialog().ListBox1->setCurrentRow(0);
    dialog().Button3Click();
    EXPECT_EQ(dialog().Edit1->text(), "");
    EXPECT_EQ(dialog().Edit2->text(), "");
}

// "削除": the new last entry when the last one went, else the first entry
// (ListBox1Click's rule for a list without selection).
struct DeleteCase
{
    int deleted;
    QStringList left;
    int selected;
    QString tag;

    friend void PrintTo(const DeleteCase &c, std::ostream *os) { *os << "delete " << c.deleted; }
};

class AttrTabDialogDelete : public AttrTabTagListDialog, public ::testing::WithParamInterface<DeleteCase>
{};

TEST_P(AttrTabDialogDelete, AttrTabDeleteSelectsTheLastOnlyAfterTheLastElseTheFirst)
{
    dialog().setEntries({"A:a", "B:b", "C:c", "D:d"});
    dialog().ListBox1->setCurrentRow(GetParam().deleted);
    dialog().Button3Click();
    EXPECT_EQ(dialog().entries(), GetParam().left);
    EXPECT_EQ(dialog().ListBox1->currentRow(), GetParam().selected);
    EXPECT_EQ(dialog().Edit1->text(), GetParam().tag);
}

INSTANTIATE_TEST_SUITE_P(Entries, AttrTabDialogDelete,
                         ::testing::Values(DeleteCase{0, {"B:b", "C:c", "D:d"}, 0, "B"},
                                           DeleteCase{2, {"A:a", "B:b", "D:d"}, 0, "A"},
                                           DeleteCase{3, {"A:a", "B:b", "C:c"}, 2, "C"}));

TEST_F(AttrTabTagListDialog, AttrTabArrowKeysFillTheFieldsAsAClickDoes)
{
    dialog().setEntries({"A:a", "B:b", "C:c"});
    EXPECT_EQ(dialog().ListBox1->currentRow(), -1); // nothing chosen by opening
    dialog().ListBox1->setCurrentRow(0);
    QTest::keyClick(dialog().ListBox1, Qt::Key_Down);
    EXPECT_EQ(dialog().Edit1->text(), "B");
    EXPECT_EQ(dialog().Edit2->text(), "b");

    dialog().Edit2->setText("bb");
    dialog().Button1Click(); // "更新" replaces the entry the keys chose
    EXPECT_EQ(dialog().entries(), QStringList({"A:a", "B:bb", "C:c"}));
}

struct PickCase
{
    const char *name;
    int picked; // 0: an attribute with a definition, 1: one without, 2: a TEXT
    QString tag;
    QString prompt;

    friend void PrintTo(const PickCase &c, std::ostream *os)
    {
        *os << caseLabel(QString::fromUtf8(c.name));
    }
};

class AttrTabDialogPick : public AttrTabTagListDialog, public ::testing::WithParamInterface<PickCase>
{};

TEST_P(AttrTabDialogPick, AttrTabReferenceTakesTagAndPromptOfAPickedAttribute)
{
    const Handle eq = addEquipment(u"P-1", u"100V", {0, 0, 0});
    const Handle loose = drawing().addBlockReference(u"NODEF", {0, 10, 0}, {{u"CODE", u"c"}});
    const Handle text = drawing().addText(u"t", {0, 20, 0});
    const Handle picks[] = {attributeOf(eq, u"SPEC"), attributeOf(loose, u"CODE"), text};
    drawing().scriptSubEntityPick(picks[GetParam().picked]);
    dialog().Edit1->setText("old");
    dialog().Edit2->setText("old prompt");
    ui.windows.escapes = 0;

    dialog().SpeedButton1->click();

    EXPECT_EQ(dialog().Edit1->text(), GetParam().tag) << GetParam().name;
    EXPECT_EQ(dialog().Edit2->text(), GetParam().prompt) << GetParam().name;
    EXPECT_TRUE(ui.messages.shown.empty());
    EXPECT_EQ(ui.windows.foreground, cad::WindowHandle(dialog().winId()));
    EXPECT_EQ(ui.windows.escapes, 2); // before and after the pick
}

INSTANTIATE_TEST_SUITE_P(Picks, AttrTabDialogPick,
                         ::testing::Values(PickCase{"attribute with a definition", 0, "SPEC", "仕様"},
                                           PickCase{"attribute without a definition", 1, "CODE", ""},
                                           PickCase{"a TEXT: unchanged", 2, "old", "old prompt"}));

TEST_F(AttrTabTagListDialog, AttrTabReferenceCancelledIsReportedAndKeepsTheFields)
{
    drawing().scriptCancelledPick();
    dialog().Edit1->setText("old");

    dialog().SpeedButton1->click();

    EXPECT_EQ(dialog().Edit1->text(), "old");
    ASSERT_EQ(ui.messages.shown.size(), 1u);
    EXPECT_EQ(ui.messages.shown[0].kind, CapturingMessageBoxes::Error);
}

} // namespace
