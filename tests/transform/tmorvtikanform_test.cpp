#include "transform/dialogs/tmorvtikanform.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Shows the dialog modally and clicks the button once the dialog runs.
int execClicking(QDialog &dialog, QPushButton *button)
{
    QTimer::singleShot(0, button, [button] { button->click(); });
    return dialog.exec();
}

TEST(TransformTikanForm, StartsEmptyWithIgnoreCaseChecked)
{
    TMorvTikanForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("文字列置換"));
    EXPECT_TRUE(form.Edit1->text().isEmpty());
    EXPECT_TRUE(form.Edit2->text().isEmpty());
    EXPECT_TRUE(form.ignoreCase());
    EXPECT_EQ(form.CheckBox1->text(), QStringLiteral("大文字/小文字を無視"));
    EXPECT_EQ(form.Button1->text(), QStringLiteral("実行"));
    EXPECT_EQ(form.Button2->text(), QStringLiteral("取り消し"));
    EXPECT_EQ(form.size(), QSize(233, 128));
}

TEST(TransformTikanForm, SearchTextFillsBothFields)
{
    TMorvTikanForm form;
    form.setSearchText(QStringLiteral("配管A"));
    EXPECT_EQ(form.findText(), u"配管A");
    EXPECT_EQ(form.replaceText(), u"配管A");
}

TEST(TransformTikanForm, RunGivesTheTypedTexts)
{
    TMorvTikanForm form;
    form.setSearchText(QStringLiteral("abc"));
    form.Edit2->clear();
    QTest::keyClicks(form.Edit2, QStringLiteral("x"));
    QTest::sendKeyEvent(QTest::Click, form.Edit2, Qt::Key_unknown, QStringLiteral("日本"), {});
    form.CheckBox1->setChecked(false);

    EXPECT_EQ(execClicking(form, form.Button1), QDialog::Accepted);
    EXPECT_EQ(form.findText(), u"abc");
    EXPECT_EQ(form.replaceText(), u"x日本");
    EXPECT_FALSE(form.ignoreCase());
}

TEST(TransformTikanForm, CancelKeepsFieldsForTheNextShowing)
{
    TMorvTikanForm form;
    form.Edit1->setText(QStringLiteral("find"));
    form.Edit2->setText(QStringLiteral("repl"));
    EXPECT_EQ(execClicking(form, form.Button2), QDialog::Rejected);
    EXPECT_EQ(execClicking(form, form.Button1), QDialog::Accepted);
    EXPECT_EQ(form.findText(), u"find");
    EXPECT_EQ(form.replaceText(), u"repl");
}

} // namespace
