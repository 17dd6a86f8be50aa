// The main window frame: start-up from the settings and side files, the
// close, the caption, the tag list items and the target CAD dialog.
#include "support/headlessform.h"
#include "support/qstringprinter.h"

#include "app/settingsfile.h"
#include "app/ttargetcadform.h"
#include "attrtab/tattrtab.h"
#include "attrtab/tmorvattform.h"
#include "searchtab/tsearchtab.h"
#include "editor/lineeditor.h"
#include "form/sidefiles.h"
#include "form/textfile.h"
#include "texttab/ttexttab.h"
#include "transform/dialogs/tmorvtikanform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

QPoint centred(const QWidget &w)
{
    return SettingsFile::centredPosition(QGuiApplication::primaryScreen()->geometry().size(), w.size());
}

TEST(AppMainForm, FirstStartUsesTheDefaultsAndTheCloseWritesEveryKey)
{
    HeadlessForm ui;
    ui.start();
    TMorvMainForm &form = ui.form();
    EXPECT_EQ(form.windowTitle(), "MorvEdit");
    EXPECT_EQ(form.TargetProgID, "BricscadApp.AcadApplication");
    EXPECT_EQ(form.size(), QSize(328, 320));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(form.pos(), centred(form));
    EXPECT_EQ(form.PageControl1->tabText(0), "TEXT, 属性編集");
    EXPECT_EQ(form.PageControl1->tabText(1), " 属性編集");
    EXPECT_EQ(form.PageControl1->tabText(2), "TEXT 検索・編集");
    EXPECT_EQ(form.PageControl1->currentIndex(), 0);
    EXPECT_TRUE(ui.textTab().CheckBox1->isChecked());
    EXPECT_FALSE(ui.textTab().CheckBox9->isChecked());
    EXPECT_EQ(ui.textTab().ComboBox1->currentText(), "JCMNT1:コメント１");
    EXPECT_EQ(form.Timer1->interval(), 200);

    const QString ini = SideFiles::settingsPath();
    ui.close();
    const auto lines = TextFile::readLines(ini);
    ASSERT_TRUE(lines);
    QStringList keys;
    for (const QString &line : *lines)
        keys << line.section(QLatin1Char('='), 0, 0);
    EXPECT_EQ(keys, (QStringList{"[MorvEdit]", "Left", "Top", "Sort", "AttTag", "AttTagIndex2", "Cursor",
                                 "AttTagIndex1", "Sentou", "UpperCase", "Enter", "ZoomCenter", "AttEnter",
                                 "AttEnterDown", "ZoomCenter2", "ZenHanSame", "SearchAttributes", "[Target]",
                                 "ProgID"}));
    // The tag list file is created at the first close, in list order.
    const auto tags = TextFile::readLines(ui.sideFile("MorvEditTagList.txt"));
    ASSERT_TRUE(tags);
    EXPECT_EQ(tags->size(), 5);
}

TEST(AppMainForm, TheMessageFilterIsRegisteredAtStartAndRevokedAtTheEnd)
{
    HeadlessForm ui;
    ui.start();
    EXPECT_EQ(ui.messageFilterLog, (QStringList{"create", "register"}));
    ui.close();
    EXPECT_EQ(ui.messageFilterLog, (QStringList{"create", "register", "revoke", "free"}));
}

TEST(AppMainForm, SettingsComeBackAtTheNextStart)
{
    HeadlessForm ui;
    ui.writeSideFile("MorvEditTagList.txt", {"B:b", "A:a", "", "C:c", "D:d"});
    ui.start();
    // At start every line is an item, the blank one too, in sorted order.
    EXPECT_EQ(ui.textTab().tagItems(), (QStringList{"", "A:a", "B:b", "C:c", "D:d"}));
    ui.textTab().CheckBox1->setChecked(false);
    ui.textTab().CheckBox9->setChecked(true);
    ui.textTab().ComboBox1->setCurrentIndex(3);
    ui.form().TargetProgID = "Other.Application";
    ui.form().move(40, 30);
    ui.form().TEST->CheckBox11->setChecked(true);
    ui.close();

    ui.start();
    EXPECT_FALSE(ui.form().TEST->CheckBox10->isChecked());
    EXPECT_TRUE(ui.form().TEST->CheckBox11->isChecked());
    EXPECT_FALSE(ui.textTab().CheckBox1->isChecked());
    EXPECT_TRUE(ui.textTab().CheckBox9->isChecked());
    EXPECT_EQ(ui.textTab().ComboBox1->currentText(), "C:c");
    EXPECT_EQ(ui.form().TargetProgID, "Other.Application");
    EXPECT_EQ(ui.form().pos(), QPoint(40, 30));
}

TEST(AppMainForm, BadValuesGiveDefaultsAndAnOffScreenPositionIsCentred)
{
    HeadlessForm ui;
    ui.writeSideFile(QFileInfo(SideFiles::settingsPath()).fileName(),
                     {"[MorvEdit]", "Left=-5000", "Top=-5000", "Sort=abc", "AttTagIndex1=7", "ZoomCenter2=2"});
    ui.start();
    EXPECT_EQ(ui.form().pos(), centred(ui.form()));
    EXPECT_TRUE(ui.textTab().CheckBox1->isChecked()); // not a number: the default
    EXPECT_TRUE(ui.textTab().CheckBox9->isChecked()); // non-zero is true
    EXPECT_EQ(ui.textTab().ComboBox1->currentIndex(), 0); // 7 of five items
    ui.close();
    const MorvSettings written = SettingsFile::read(SideFiles::settingsPath());
    EXPECT_NE(written.left, std::optional<int>(-5000)); // the centred place is written back
}

TEST(AppMainForm, TheCaptionNamesTheCadWhoseLineContainsTheProgId)
{
    HeadlessForm ui;
    ui.writeSideFile("TargetCAD_APIVersion.txt", {"Y\tOther.Application", "X\tBricscadApp.AcadApplication.22"});
    ui.start();
    EXPECT_EQ(ui.form().windowTitle(), "Morvex [ X ]");
}

TEST(AppMainForm, TheTargetDialogChoosesTheCadAndHandsOverTheTopmostBand)
{
    HeadlessForm ui;
    ui.writeSideFile("TargetCAD_APIVersion.txt", {"X\tY.Application"});
    ui.start();
    bool mainWasTopmost = true;
    bool dialogWasTopmost = false;
    QTimer::singleShot(0, [&] {
        TTargetCADForm *dialog = ui.form().TargetCADForm;
        mainWasTopmost = ui.form().windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        dialogWasTopmost = dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        dialog->Edit1->setText("X");
        dialog->Edit2->setText("Y.Application");
        dialog->Button1->click();
    });
    ui.textTab().SpeedButton7->click();
    EXPECT_FALSE(mainWasTopmost);
    EXPECT_TRUE(dialogWasTopmost);
    EXPECT_TRUE(ui.form().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(ui.form().TargetCADForm->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(ui.form().windowTitle(), "Morvex [ X ]");
    EXPECT_EQ(ui.form().TargetProgID, "Y.Application");

    // The next command looks for a CAD under the new ProgID.
    ui.rot.registerClass(u"Y.Application");
    ui.drawing->scriptPick({});
    ui.textTab().SpeedButton1->click();
    EXPECT_EQ(ui.drawing->pendingScriptedPicks(), 1); // the drawing under the old ProgID was not asked
}

TEST(AppMainForm, TagListReloadAndTheNotepadEditSurvivingTheClose)
{
    HeadlessForm ui;
    ui.writeSideFile("MorvEditTagList.txt", {"A:a", "B:b", "C:c", "D:d", "E:e"});
    ui.start();
    ui.textTab().ComboBox1->setCurrentIndex(4);
    // The user edits the file in a text editor …
    ui.form().N39Click();
    EXPECT_EQ(ui.openedFiles, QStringList{ui.sideFile("MorvEditTagList.txt")});
    ui.writeSideFile("MorvEditTagList.txt", {"X:x", " ", "Y:y ", "Z:z"});
    // … and reloads: blank lines are left out, the others kept untrimmed.
    ui.form().N40Click();
    EXPECT_EQ(ui.textTab().tagItems(), (QStringList{"X:x", "Y:y ", "Z:z"}));
    EXPECT_EQ(ui.textTab().ComboBox1->currentIndex(), 0);

    // An edit made after the reload and not reloaded survives the close.
    ui.writeSideFile("MorvEditTagList.txt", {"Q:q"});
    ui.close();
    EXPECT_EQ(*TextFile::readLines(ui.sideFile("MorvEditTagList.txt")), QStringList{"Q:q"});
}

TEST(AppMainForm, MissingTagListFileMessages)
{
    HeadlessForm ui;
    ui.start();
    ui.form().N39Click();
    ui.form().N40Click();
    const QString path = ui.sideFile("MorvEditTagList.txt");
    ASSERT_EQ(ui.messages.shown.size(), 2u);
    EXPECT_EQ(ui.messages.shown[0].kind, CapturingMessageBoxes::Information);
    EXPECT_EQ(ui.messages.shown[0].text, path + "\nファイルが見つかりません．");
    EXPECT_EQ(ui.messages.shown[1].kind, CapturingMessageBoxes::Plain);
    EXPECT_EQ(ui.messages.shown[1].text, path + "\nが、見つかりません．");
    EXPECT_TRUE(ui.openedFiles.isEmpty());
}

TEST(AppMainForm, VersionBoxNamesTheBuildDate)
{
    HeadlessForm ui;
    ui.start();
    ui.form().N25Click();
    ASSERT_EQ(ui.messages.shown.size(), 1u);
    EXPECT_EQ(ui.messages.shown[0].kind, CapturingMessageBoxes::Information);
    EXPECT_TRUE(ui.messages.shown[0].text.contains("2024.12.26"));
    EXPECT_EQ(ui.messages.shown[0].text.count('\n'), 1);
}

} // namespace

namespace {

// Fields the program fills show the start of a text too long for them.
struct FieldCase
{
    const char *name;
    // Fills the field the program's way with the text; gives the field.
    std::function<QLineEdit *(HeadlessForm &, const QString &)> fill;
};

class AppFieldStart : public ::testing::TestWithParam<FieldCase>
{};

TEST_P(AppFieldStart, AppFieldsFilledByTheProgramShowTheStartOfTheirText)
{
    HeadlessForm ui;
    ui.start();
    const QString text = QStringLiteral("JCMNT1:コメント１ とても長い説明のある項目 0123456789");
    QLineEdit *field = GetParam().fill(ui, text);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text().left(6), text.left(6)) << GetParam().name;
    EXPECT_EQ(field->cursorPosition(), 0) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, AppFieldStart,
    ::testing::Values(
        FieldCase{"TargetCadName",
                  [](HeadlessForm &ui, const QString &text) {
                      TTargetCADForm *dialog = ui.form().TargetCADForm;
                      dialog->ListBox1->addItem(text + "\tX.Application");
                      dialog->ListBox1->setCurrentRow(0);
                      dialog->ListBox1Click();
                      return dialog->Edit1;
                  }},
        FieldCase{"TargetCadProgId",
                  [](HeadlessForm &ui, const QString &text) {
                      TTargetCADForm *dialog = ui.form().TargetCADForm;
                      dialog->ListBox1->addItem("X\t" + text);
                      dialog->ListBox1->setCurrentRow(0);
                      dialog->ListBox1Click();
                      return dialog->Edit2;
                  }},
        FieldCase{"TagListPrompt",
                  [](HeadlessForm &ui, const QString &text) {
                      TMorvAttForm *dialog = ui.form().TabSheet2->MorvAttForm;
                      dialog->setEntries({"TAG:" + text});
                      dialog->ListBox1->setCurrentRow(0);
                      dialog->ListBox1Click();
                      return dialog->Edit2;
                  }},
        FieldCase{"ReplaceSearchField",
                  [](HeadlessForm &ui, const QString &text) {
                      ui.form().MorvTikanForm().setSearchText(text);
                      return ui.form().MorvTikanForm().Edit1;
                  }},
        FieldCase{"ReplaceReplacementField",
                  [](HeadlessForm &ui, const QString &text) {
                      ui.form().MorvTikanForm().setSearchText(text);
                      return ui.form().MorvTikanForm().Edit2;
                  }}),
    [](const ::testing::TestParamInfo<FieldCase> &info) { return std::string(info.param.name); });

} // namespace

namespace {

TEST(AppMainForm, TheCloseKeepsWhatTheUserAddedToTheSettingsFile)
{
    HeadlessForm ui;
    const QString ini = QFileInfo(SideFiles::settingsPath()).fileName();
    ui.writeSideFile(ini, {"; my notes", "[MorvEdit]", "Sort=0", "Extra=1", "[Mine]", "Key=value"});
    ui.start();
    ui.textTab().CheckBox1->setChecked(true);
    ui.close();

    const QStringList lines = TextFile::readLines(ui.sideFile(ini)).value_or(QStringList());
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines.mid(0, 4), QStringList({"; my notes", "[MorvEdit]", "Sort=1", "Extra=1"}));
    EXPECT_TRUE(lines.contains("[Mine]"));
    EXPECT_TRUE(lines.contains("Key=value"));
    EXPECT_TRUE(lines.contains("ProgID=BricscadApp.AcadApplication"));
}

} // namespace
