#include "transform/dialogs/tmorvkasanform.h"
#include "transform/dialogs/updowncontrol.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class TransformKasanForm : public testing::Test
{
protected:
    TMorvKasanForm form;
};

TEST_F(TransformKasanForm, StartsDecimalFromTheTailAddingOne)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("加算"));
    EXPECT_EQ(form.size(), QSize(214, 165));
    EXPECT_EQ(form.Label5->text(), QStringLiteral("10 進"));
    EXPECT_TRUE(form.RadioButton1->isEnabled());
    EXPECT_FALSE(form.Label3->isEnabled());
    EXPECT_FALSE(form.Edit2->isEnabled());
    EXPECT_FALSE(form.UpDown1->isEnabled());
    const IncrementSettings settings = form.settings();
    EXPECT_EQ(settings.radix, 10);
    EXPECT_EQ(settings.addend, 1);
    EXPECT_TRUE(settings.fromTail);
    EXPECT_EQ(settings.width, 2);
}

TEST_F(TransformKasanForm, RadixButtonsSwitchDirectionAndDigitCount)
{
    form.RadioButton1->setChecked(true);
    QTest::mouseClick(form.SpeedButton2, Qt::LeftButton);
    EXPECT_TRUE(form.SpeedButton2->isChecked());
    EXPECT_FALSE(form.SpeedButton1->isChecked());
    EXPECT_TRUE(form.RadioButton2->isChecked());
    EXPECT_FALSE(form.RadioButton1->isEnabled());
    EXPECT_FALSE(form.RadioButton2->isEnabled());
    EXPECT_TRUE(form.Label3->isEnabled());
    EXPECT_TRUE(form.Edit2->isEnabled());
    EXPECT_TRUE(form.UpDown1->isEnabled());
    EXPECT_EQ(form.Label5->text(), QStringLiteral("16進"));
    EXPECT_EQ(form.radix(), 16);

    QTest::mouseClick(form.SpeedButton3, Qt::LeftButton);
    EXPECT_EQ(form.Label5->text(), QStringLiteral(" 8進"));
    EXPECT_EQ(form.radix(), 8);

    form.RadioButton1->setChecked(true);
    QTest::mouseClick(form.SpeedButton1, Qt::LeftButton);
    EXPECT_TRUE(form.RadioButton1->isEnabled());
    EXPECT_TRUE(form.RadioButton2->isChecked());
    EXPECT_FALSE(form.Edit2->isEnabled());
    EXPECT_FALSE(form.UpDown1->isEnabled());
    EXPECT_EQ(form.Label5->text(), QStringLiteral("10進"));
}

TEST_F(TransformKasanForm, ClickingTheDownRadixButtonKeepsItDown)
{
    QTest::mouseClick(form.SpeedButton1, Qt::LeftButton);
    EXPECT_TRUE(form.SpeedButton1->isChecked());
    EXPECT_EQ(form.radix(), 10);
}

TEST_F(TransformKasanForm, AddendReadsAsASignedDecimal)
{
    const struct
    {
        QString typed;
        std::int32_t addend;
    } cases[] = {{"5", 5}, {"-3", -3}, {"+2", 2}, {"", 0}, {"abc", 0}, {"1.5", 0}, {"99999999999", 0}};
    for (const auto &c : cases) {
        form.Edit1->setText(c.typed);
        EXPECT_EQ(form.addend(), c.addend) << c.typed.toStdString();
    }
}

TEST_F(TransformKasanForm, DigitCountStaysBetweenOneAndEight)
{
    QTest::mouseClick(form.SpeedButton2, Qt::LeftButton);
    for (int i = 0; i < 10; ++i)
        form.UpDown1->upButton()->click();
    EXPECT_EQ(form.digitWidth(), 8);
    EXPECT_EQ(form.Edit2->text(), QStringLiteral("8"));
    for (int i = 0; i < 10; ++i)
        form.UpDown1->downButton()->click();
    EXPECT_EQ(form.digitWidth(), 1);

    form.Edit2->setText(QStringLiteral("5"));
    EXPECT_EQ(form.digitWidth(), 5);
    form.UpDown1->upButton()->click();
    EXPECT_EQ(form.Edit2->text(), QStringLiteral("6"));
    form.Edit2->setText(QStringLiteral("12"));
    EXPECT_EQ(form.digitWidth(), 8);
    // A field without a number keeps the last position.
    form.Edit2->setText(QStringLiteral("x"));
    EXPECT_EQ(form.digitWidth(), 6);

    form.Edit2->setText(QStringLiteral("3"));
    QTest::keyClick(form.Edit2, Qt::Key_Up);
    EXPECT_EQ(form.Edit2->text(), QStringLiteral("4"));
}

TEST_F(TransformKasanForm, RunAndCancelResults)
{
    QTest::mouseClick(form.SpeedButton2, Qt::LeftButton);
    form.Edit1->setText(QStringLiteral("-1"));
    QTimer::singleShot(0, form.Button1, [this] { form.Button1->click(); });
    EXPECT_EQ(form.exec(), QDialog::Accepted);
    const IncrementSettings settings = form.settings();
    EXPECT_EQ(settings.radix, 16);
    EXPECT_EQ(settings.addend, -1);
    EXPECT_EQ(settings.width, 2);

    QTimer::singleShot(0, form.Button2, [this] { form.Button2->click(); });
    EXPECT_EQ(form.exec(), QDialog::Rejected);
    // The choices stay for the next showing.
    EXPECT_EQ(form.radix(), 16);
    EXPECT_EQ(form.addend(), -1);
}

} // namespace
