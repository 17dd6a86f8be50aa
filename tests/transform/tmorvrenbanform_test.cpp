#include "transform/dialogs/tmorvrenbanform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <vector>

namespace {

using Texts = std::vector<std::u16string>;

class TransformRenbanForm : public testing::Test
{
protected:
    // Shows the dialog modally and clicks the button once it runs.
    int execClicking(QPushButton *button)
    {
        QTimer::singleShot(0, button, [button] { button->click(); });
        return form.exec();
    }

    QString preview() const { return form.StaticText1->text(); }

    TMorvRenbanForm form;
};

TEST_F(TransformRenbanForm, PreviewIsFilledAtCreation)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("連番作成"));
    EXPECT_EQ(form.size(), QSize(196, 210));
    EXPECT_EQ(preview(), QStringLiteral("[ 00 ] ～ [ 15 ]"));
    EXPECT_EQ(form.Label5->text(), QStringLiteral("10進"));
    EXPECT_EQ(form.Button1->text(), QStringLiteral("追加"));
    EXPECT_EQ(form.Button3->text(), QStringLiteral("挿入"));
    EXPECT_EQ(form.Label7->text(), QStringLiteral("( 開始数なしで固定文字作成 )"));
}

TEST_F(TransformRenbanForm, PreviewFollowsTyping)
{
    QTest::keyClicks(form.Edit1, QStringLiteral("a-"));
    form.Edit2->setText(QStringLiteral("1"));
    form.Edit4->setText(QStringLiteral("3"));
    EXPECT_EQ(preview(), QStringLiteral("[ A-1 ] ～ [ A-3 ]"));

    form.Edit1->clear();
    form.Edit2->setText(QStringLiteral("001"));
    form.Edit4->setText(QStringLiteral("12"));
    EXPECT_EQ(preview(), QStringLiteral("[ 001 ] ～ [ 012 ]"));

    QTest::sendKeyEvent(QTest::Click, form.Edit3, Qt::Key_unknown, QStringLiteral("号"), {});
    EXPECT_EQ(preview(), QStringLiteral("[ 001号 ] ～ [ 012号 ]"));
}

TEST_F(TransformRenbanForm, RadixButtonUpdatesThePreview)
{
    form.Edit2->setText(QStringLiteral("08"));
    form.Edit5->setText(QStringLiteral("2"));
    form.Edit4->setText(QStringLiteral("3"));
    QTest::mouseClick(form.SpeedButton2, Qt::LeftButton);
    EXPECT_EQ(form.Label5->text(), QStringLiteral("16進"));
    EXPECT_EQ(preview(), QStringLiteral("[ 08 ] ～ [ 0C ]"));

    form.Edit2->setText(QStringLiteral("7"));
    form.Edit5->setText(QStringLiteral("1"));
    QTest::mouseClick(form.SpeedButton3, Qt::LeftButton);
    EXPECT_EQ(form.Label5->text(), QStringLiteral(" 8進"));
    EXPECT_EQ(preview(), QStringLiteral("[ 7 ] ～ [ 11 ]"));
}

TEST_F(TransformRenbanForm, WithoutStartTheFixedTextRepeats)
{
    QTest::mouseClick(form.SpeedButton2, Qt::LeftButton);
    form.Edit1->setText(QStringLiteral("x"));
    form.Edit3->setText(QStringLiteral("y"));
    form.Edit4->setText(QStringLiteral("3"));
    form.Edit2->clear();
    EXPECT_EQ(preview(), QStringLiteral("[ XY ] x 3"));
    EXPECT_FALSE(form.Edit5->isEnabled());
    EXPECT_FALSE(form.Label6->isEnabled());
    // The radix label keeps its caption while there is no start number.
    QTest::mouseClick(form.SpeedButton3, Qt::LeftButton);
    EXPECT_EQ(form.Label5->text(), QStringLiteral("16進"));

    form.Edit2->setText(QStringLiteral("1"));
    EXPECT_TRUE(form.Edit5->isEnabled());
    EXPECT_EQ(form.Label5->text(), QStringLiteral(" 8進"));
}

TEST_F(TransformRenbanForm, CountTakesDigitsOnly)
{
    form.Edit4->clear();
    QTest::keyClicks(form.Edit4, QStringLiteral("1a-2"));
    EXPECT_EQ(form.Edit4->text(), QStringLiteral("12"));
}

TEST_F(TransformRenbanForm, AppendCreatesTheInitialRun)
{
    QSignalSpy created(&form, &TMorvRenbanForm::serialRunCreated);
    EXPECT_EQ(execClicking(form.Button1), QDialog::Accepted);
    EXPECT_FALSE(form.insertRequested());
    EXPECT_EQ(created.count(), 1);
    const Texts texts = SerialTexts(form.createdRun());
    ASSERT_EQ(texts.size(), 16u);
    EXPECT_EQ(texts.front(), u"00");
    EXPECT_EQ(texts.back(), u"15");
}

TEST_F(TransformRenbanForm, InsertIsToldApart)
{
    form.Edit1->setText(QStringLiteral("a-"));
    form.Edit2->setText(QStringLiteral("1"));
    form.Edit4->setText(QStringLiteral("3"));
    EXPECT_EQ(execClicking(form.Button3), QDialog::Accepted);
    EXPECT_TRUE(form.insertRequested());
    EXPECT_EQ(SerialTexts(form.createdRun()), (Texts{u"A-1", u"A-2", u"A-3"}));
}

TEST_F(TransformRenbanForm, CreationReadsUnreadableFieldsAsOne)
{
    form.Edit2->setText(QStringLiteral("ab"));
    form.Edit4->clear();
    EXPECT_EQ(preview(), QStringLiteral("[ AB ] ～ [ -01 ]"));
    EXPECT_EQ(execClicking(form.Button1), QDialog::Accepted);
    EXPECT_EQ(form.createdRun().start, 1);
    EXPECT_EQ(form.createdRun().count, 1);
    EXPECT_EQ(SerialTexts(form.createdRun()), (Texts{u"01"}));
}

TEST_F(TransformRenbanForm, CancelCreatesNothingAndKeepsFields)
{
    QSignalSpy created(&form, &TMorvRenbanForm::serialRunCreated);
    form.Edit1->setText(QStringLiteral("P"));
    EXPECT_EQ(execClicking(form.Button2), QDialog::Rejected);
    EXPECT_EQ(created.count(), 0);
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("P"));
    EXPECT_EQ(form.Edit2->text(), QStringLiteral("00"));
}

TEST_F(TransformRenbanForm, GridFormOverwrites)
{
    form.setOverwriteForm(true);
    EXPECT_EQ(form.Button1->text(), QStringLiteral("上書き"));
    EXPECT_FALSE(form.Button3->isEnabled());
    EXPECT_EQ(execClicking(form.Button1), QDialog::Accepted);
    EXPECT_FALSE(form.insertRequested());

    form.setOverwriteForm(false);
    EXPECT_EQ(form.Button1->text(), QStringLiteral("追加"));
    EXPECT_TRUE(form.Button3->isEnabled());
}

} // namespace
