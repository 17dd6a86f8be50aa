// The target CAD dialog against a CAD list file in a test folder.
#include "app/ttargetcadform.h"
#include "form/textfile.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "support/qstringprinter.h"

namespace {

const QString Bricscad = QStringLiteral("BricscadApp.AcadApplication");

class AppTargetCadForm : public ::testing::Test
{
protected:
    AppTargetCadForm()
    {
        form.setCadListPath(listPath());
        form.setTargetProgId(Bricscad);
    }
    QString listPath() const
    {
        return QDir(dir.path()).filePath(QStringLiteral("TargetCAD_APIVersion.txt"));
    }
    void writeList(const QStringList &lines) const
    {
        ASSERT_TRUE(TextFile::writeLines(listPath(), lines));
    }
    QStringList fileLines() const { return TextFile::readLines(listPath()).value_or(QStringList()); }
    void setFields(const QString &name, const QString &progId)
    {
        form.Edit1->setText(name);
        form.Edit2->setText(progId);
    }
    void select(int index)
    {
        form.ListBox1->setCurrentRow(index);
        form.ListBox1Click();
    }

    QTemporaryDir dir;
    TTargetCADForm form;
};

TEST_F(AppTargetCadForm, DialogOfTheRightShape)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("ターゲット CAD"));
    EXPECT_EQ(form.size(), QSize(315, 307));
    EXPECT_EQ(form.SpeedButton1->text(), QStringLiteral("追加"));
    EXPECT_EQ(form.SpeedButton2->text(), QStringLiteral("削除"));
    EXPECT_EQ(form.SpeedButton3->text(), QStringLiteral("変更"));
    EXPECT_EQ(form.Button1->text(), QStringLiteral("OK"));
    EXPECT_EQ(form.Button2->text(), QStringLiteral("取り消し"));
    EXPECT_EQ(form.ListBox1->geometry(), QRect(8, 8, 297, 137));
    EXPECT_EQ(form.Edit2->geometry(), QRect(16, 73, 198, 24));
}

TEST_F(AppTargetCadForm, ShowingSelectsTheFirstSortedLineThatContainsTheTarget)
{
    writeList({ "B\tBricscadApp.AcadApplication", "A\tBricscadApp.AcadApplication.22" });
    form.show();
    EXPECT_EQ(form.items(),
              QStringList({ "A\tBricscadApp.AcadApplication.22", "B\tBricscadApp.AcadApplication" }));
    EXPECT_EQ(form.selectedIndex(), 0);
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("A"));
    EXPECT_EQ(form.Edit2->text(), QStringLiteral("BricscadApp.AcadApplication.22"));
    form.hide();
}

TEST_F(AppTargetCadForm, NoMatchSelectsNothingAndFieldsKeepTheirText)
{
    writeList({ "A\tOther.Application" });
    setFields("typed", "Typed.Application");
    form.FormShow();
    EXPECT_EQ(form.items(), QStringList({ "A\tOther.Application" }));
    EXPECT_EQ(form.selectedIndex(), -1);
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("typed"));
    EXPECT_EQ(form.Edit2->text(), QStringLiteral("Typed.Application"));
}

TEST_F(AppTargetCadForm, MissingFileLeavesTheListAsItWas)
{
    writeList({ "A\tBricscadApp.AcadApplication" });
    form.FormShow();
    ASSERT_TRUE(QFile::remove(listPath()));
    form.FormShow();
    EXPECT_EQ(form.items(), QStringList({ "A\tBricscadApp.AcadApplication" }));
}

TEST_F(AppTargetCadForm, ListSortsInJapaneseOrder)
{
    // By code point hiragana き comes before katakana カ; a Japanese reader
    // expects か-row before き-row.
    writeList({ QStringLiteral("き\tK.Application"), QStringLiteral("カ\tC.Application"),
                QStringLiteral("B\tB.Application") });
    form.FormShow();
    EXPECT_EQ(form.items(), QStringList({ QStringLiteral("B\tB.Application"),
                                          QStringLiteral("カ\tC.Application"),
                                          QStringLiteral("き\tK.Application") }));
}

TEST_F(AppTargetCadForm, LineWithoutTabIsAProgIdWithoutName)
{
    writeList({ "NoTab.Application" });
    form.FormShow();
    setFields("old", "old");
    select(0);
    EXPECT_EQ(form.Edit1->text(), QString());
    EXPECT_EQ(form.Edit2->text(), QStringLiteral("NoTab.Application"));
}

TEST_F(AppTargetCadForm, DeletingSelectsTheNextEntryOrTheNewLast)
{
    struct Case { QStringList lines; int deleted; int selectedAfter; QString nameAfter; };
    const Case cases[] = {
        { { "A\ta", "B\tb", "C\tc" }, 1, 1, "C" },  // second of three: the third follows
        { { "A\ta", "B\tb", "C\tc" }, 2, 1, "B" },  // last of three: the new last
        { { "A\ta" }, 0, -1, "" },                 // only entry: nothing, fields empty
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.deleted);
        writeList(c.lines);
        form.FormShow();
        select(c.deleted);
        form.SpeedButton2->click();

        QStringList remaining = c.lines;
        remaining.removeAt(c.deleted);
        EXPECT_EQ(form.items(), remaining);
        EXPECT_EQ(fileLines(), remaining);
        EXPECT_EQ(form.selectedIndex(), c.selectedAfter);
        EXPECT_EQ(form.Edit1->text(), c.nameAfter);
        EXPECT_EQ(form.Edit2->text(), c.nameAfter.toLower());
    }
}

TEST_F(AppTargetCadForm, DeletingWithoutSelectionDoesNothing)
{
    writeList({ "A\ta" });
    form.FormShow();
    setFields("A", "a");
    form.SpeedButton2->click();
    EXPECT_EQ(form.items(), QStringList({ "A\ta" }));
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("A"));
}

TEST_F(AppTargetCadForm, EnterInEitherFieldReplacesTheSelectedEntry)
{
    for (QLineEdit *field : { form.Edit1, form.Edit2 }) {
        SCOPED_TRACE(field == form.Edit1 ? "Edit1" : "Edit2");
        writeList({ "A\ta", "M\tm" });
        form.show();
        select(1);
        setFields("Z", "New.Application");
        QTest::keyClick(field, Qt::Key_Return);

        EXPECT_TRUE(form.isVisible());  // Enter does not close the dialog
        EXPECT_EQ(form.items(), QStringList({ "A\ta", "Z\tNew.Application" }));
        EXPECT_EQ(fileLines(), form.items());
        EXPECT_EQ(form.selectedIndex(), 1);
        form.hide();
    }
}

TEST_F(AppTargetCadForm, ChangedEntryMovesToItsSortedPlaceAndStaysSelected)
{
    writeList({ "A\ta", "M\tm", "Z\tz" });
    form.FormShow();
    select(2);
    setFields("B", "b");
    form.SpeedButton3->click();
    EXPECT_EQ(form.items(), QStringList({ "A\ta", "B\tb", "M\tm" }));
    EXPECT_EQ(fileLines(), form.items());
    EXPECT_EQ(form.selectedIndex(), 1);
}

TEST_F(AppTargetCadForm, ChangeWithoutSelectionAddsTheTypedEntry)
{
    form.FormShow();  // no file yet: empty list
    form.SpeedButton3->click();
    EXPECT_TRUE(form.items().isEmpty());  // two empty fields add nothing
    EXPECT_FALSE(QFile::exists(listPath()));

    setFields("X", "X.Application");
    QTest::keyClick(form.Edit2, Qt::Key_Return);
    EXPECT_EQ(form.items(), QStringList({ "X\tX.Application" }));
    EXPECT_EQ(fileLines(), form.items());
    EXPECT_EQ(form.selectedIndex(), 0);
}

TEST_F(AppTargetCadForm, AddingADuplicateAddsASecondLineAndSelectsTheFirst)
{
    writeList({ "A\ta", "B\tb", "C\tc" });
    form.FormShow();
    setFields("B", "b");
    form.SpeedButton1->click();
    EXPECT_EQ(form.items(), QStringList({ "A\ta", "B\tb", "B\tb", "C\tc" }));
    EXPECT_EQ(fileLines(), form.items());
    EXPECT_EQ(form.selectedIndex(), 1);
}

TEST_F(AppTargetCadForm, FirstAddCreatesTheFile)
{
    setFields(QStringLiteral("汎用 CAD"), Bricscad);
    form.SpeedButton1->click();
    EXPECT_EQ(fileLines(), QStringList({ QStringLiteral("汎用 CAD\t") + Bricscad }));
}

TEST_F(AppTargetCadForm, OkConfirmsTheFieldsAsTheNewTarget)
{
    writeList({ "A\tBricscadApp.AcadApplication" });
    form.show();
    setFields("X", "Y.Application");
    form.Button1->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.chosenName(), QStringLiteral("X"));
    EXPECT_EQ(form.chosenProgId(), QStringLiteral("Y.Application"));
    EXPECT_EQ(form.targetProgId(), QStringLiteral("Y.Application"));
    // The list is not touched by OK.
    EXPECT_EQ(fileLines(), QStringList({ "A\tBricscadApp.AcadApplication" }));
}

TEST_F(AppTargetCadForm, CancelAfterAddingKeepsTheEntryAndTheTarget)
{
    form.show();
    setFields("New", "New.Application");
    form.SpeedButton1->click();
    form.Button2->click();
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(form.targetProgId(), Bricscad);
    EXPECT_EQ(form.chosenProgId(), QString());
    EXPECT_EQ(fileLines(), QStringList({ "New\tNew.Application" }));
}

TEST_F(AppTargetCadForm, FieldsAndListSurviveBetweenShowings)
{
    writeList({ "A\tOther.Application" });
    form.show();
    setFields("typed", "Typed.Application");
    form.Button2->click();
    form.show();
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("typed"));
    EXPECT_EQ(form.items(), QStringList({ "A\tOther.Application" }));
    form.hide();
}

} // namespace
