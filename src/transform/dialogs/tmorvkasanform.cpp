#include "tmorvkasanform.h"

#include "dialoglook.h"
#include "radixbuttons.h"
#include "updowncontrol.h"

#include "transform/numbertext.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

TMorvKasanForm::TMorvKasanForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("加算"));
    setFixedSize(214, 165);
    dialoglook::applyDialogFont(this);

    auto *radixGroup = new QButtonGroup(this);
    radixGroup->setExclusive(true);
    SpeedButton1 = radixbuttons::create(QStringLiteral("10 進"), QRect(13, 8, 43, 22), radixGroup, this);
    SpeedButton2 = radixbuttons::create(QStringLiteral("16 進"), QRect(54, 8, 43, 22), radixGroup, this);
    SpeedButton3 = radixbuttons::create(QStringLiteral("8 進"), QRect(95, 8, 43, 22), radixGroup, this);
    SpeedButton1->setChecked(true);

    Label5 = dialoglook::createLabel(QStringLiteral("10 進"), QRect(143, 8, 54, 25), this);
    Label5->setFont(dialoglook::tahomaBold(21));

    Label2 = dialoglook::createLabel(QStringLiteral("数値検出"), QRect(12, 40, 48, 13), this);
    GroupBox1 = new QGroupBox(this);
    GroupBox1->setGeometry(66, 36, 139, 24);
    RadioButton1 = new QRadioButton(QStringLiteral("先頭から"), GroupBox1);
    RadioButton1->setGeometry(4, 3, 69, 17);
    RadioButton2 = new QRadioButton(QStringLiteral("末尾から"), GroupBox1);
    RadioButton2->setGeometry(71, 3, 66, 17);
    RadioButton2->setChecked(true);

    Label3 = dialoglook::createLabel(QStringLiteral("対象桁数"), QRect(31, 67, 48, 13), this);
    Edit2 = new QLineEdit(this);
    Edit2->setGeometry(85, 64, 56, 22);
    Edit2->setAlignment(Qt::AlignRight);
    Edit2->setFont(dialoglook::tahomaBold(12));
    dialoglook::closeInputMethod(Edit2);
    UpDown1 = new UpDownControl(Edit2, this);
    UpDown1->setGeometry(141, 64, 45, 22);
    UpDown1->setRange(1, 8);
    UpDown1->setPosition(2);
    // The digit count belongs to the hexadecimal and octal radixes.
    Label3->setEnabled(false);
    Edit2->setEnabled(false);
    UpDown1->setEnabled(false);

    Label1 = dialoglook::createLabel(QStringLiteral("加算数"), QRect(43, 95, 36, 13), this);
    Edit1 = new QLineEdit(QStringLiteral("1"), this);
    Edit1->setGeometry(85, 92, 56, 26);
    Edit1->setAlignment(Qt::AlignRight);
    Edit1->setFont(dialoglook::tahomaBold(15));
    dialoglook::closeInputMethod(Edit1);
    Label4 = dialoglook::createLabel(QStringLiteral("(10進表記)"), QRect(145, 96, 56, 13), this);

    Button1 = new QPushButton(QStringLiteral("実行"), this);
    Button1->setGeometry(32, 129, 75, 25);
    Button2 = new QPushButton(QStringLiteral("取り消し"), this);
    Button2->setGeometry(113, 129, 75, 25);
    Button1->setAutoDefault(false);
    Button2->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    for (QToolButton *button : {SpeedButton1, SpeedButton2, SpeedButton3})
        connect(button, &QToolButton::clicked, this, &TMorvKasanForm::SpeedButton1Click);

    setTabOrder(RadioButton1, RadioButton2);
    setTabOrder(RadioButton2, Edit2);
    setTabOrder(Edit2, Edit1);
    setTabOrder(Edit1, Button1);
    setTabOrder(Button1, Button2);
}

void TMorvKasanForm::SpeedButton1Click()
{
    const bool decimal = SpeedButton1->isChecked();
    RadioButton2->setChecked(true);
    RadioButton1->setEnabled(decimal);
    RadioButton2->setEnabled(decimal);
    Label3->setEnabled(!decimal);
    Edit2->setEnabled(!decimal);
    UpDown1->setEnabled(!decimal);
    Label5->setText(radixbuttons::radixCaption(radix()));
}

int TMorvKasanForm::radix() const
{
    if (SpeedButton2->isChecked())
        return 16;
    if (SpeedButton3->isChecked())
        return 8;
    return 10;
}

std::int32_t TMorvKasanForm::addend() const
{
    return ReadDecimalInteger(Edit1->text().toStdU16String()).value_or(0);
}

bool TMorvKasanForm::fromTail() const
{
    return RadioButton2->isChecked();
}

int TMorvKasanForm::digitWidth() const
{
    return UpDown1->position();
}

IncrementSettings TMorvKasanForm::settings() const
{
    IncrementSettings settings;
    settings.radix = radix();
    settings.addend = addend();
    settings.fromTail = fromTail();
    settings.width = digitWidth();
    return settings;
}

void TMorvKasanForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    dialoglook::moveToScreenCentre(this);
}
