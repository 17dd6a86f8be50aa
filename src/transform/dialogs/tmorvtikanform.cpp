#include "tmorvtikanform.h"

#include "dialoglook.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TMorvTikanForm::TMorvTikanForm(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("文字列置換"));
    setFixedSize(233, 128);
    dialoglook::applyDialogFont(this);

    CheckBox1 = new QCheckBox(QStringLiteral("大文字/小文字を無視"), this);
    CheckBox1->setGeometry(74, 8, 137, 17);
    CheckBox1->setChecked(true);

    Label1 = dialoglook::createLabel(QStringLiteral("検索文字列"), QRect(8, 34, 60, 13), this);
    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(74, 31, 137, 22);
    Edit1->setFont(dialoglook::tahomaBold(12));

    Label2 = dialoglook::createLabel(QStringLiteral("置換文字列"), QRect(8, 61, 60, 13), this);
    Edit2 = new QLineEdit(this);
    Edit2->setGeometry(74, 59, 137, 22);
    Edit2->setFont(dialoglook::tahomaBold(12));

    Button1 = new QPushButton(QStringLiteral("実行"), this);
    Button1->setGeometry(41, 95, 75, 25);
    Button2 = new QPushButton(QStringLiteral("取り消し"), this);
    Button2->setGeometry(122, 95, 75, 25);
    // Enter in a field does not close the dialog; only the buttons do.
    Button1->setAutoDefault(false);
    Button2->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, CheckBox1);

    FormCreate();
}

void TMorvTikanForm::FormCreate()
{
    Edit1->clear();
    Edit2->clear();
}

void TMorvTikanForm::setSearchText(const QString &text)
{
    // Filled by the program: both fields show the start of the text.
    Edit1->setText(text);
    Edit1->setCursorPosition(0);
    Edit2->setText(Edit1->text());
    Edit2->setCursorPosition(0);
}

std::u16string TMorvTikanForm::findText() const
{
    return Edit1->text().toStdU16String();
}

std::u16string TMorvTikanForm::replaceText() const
{
    return Edit2->text().toStdU16String();
}

bool TMorvTikanForm::ignoreCase() const
{
    return CheckBox1->isChecked();
}

void TMorvTikanForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    dialoglook::moveToScreenCentre(this);
    Edit1->setFocus();
}
