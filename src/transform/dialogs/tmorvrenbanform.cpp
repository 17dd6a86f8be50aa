#include "tmorvrenbanform.h"

#include "dialoglook.h"
#include "radixbuttons.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>

TMorvRenbanForm::TMorvRenbanForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("連番作成"));
    setFixedSize(196, 210);
    dialoglook::applyDialogFont(this);

    auto *radixGroup = new QButtonGroup(this);
    radixGroup->setExclusive(true);
    SpeedButton1 = radixbuttons::create(QStringLiteral("10 進"), QRect(7, 3, 43, 22), radixGroup, this);
    SpeedButton2 = radixbuttons::create(QStringLiteral("16 進"), QRect(47, 3, 43, 22), radixGroup, this);
    SpeedButton3 = radixbuttons::create(QStringLiteral("8 進"), QRect(88, 3, 43, 22), radixGroup, this);
    SpeedButton1->setChecked(true);

    Label5 = dialoglook::createLabel(QStringLiteral("10進"), QRect(137, 3, 44, 23), this);
    Label5->setFont(dialoglook::tahomaBold(19));

    Label1 = dialoglook::createLabel(QStringLiteral("前固定"), QRect(11, 36, 36, 13), this);
    Label2 = dialoglook::createLabel(QStringLiteral("開始数"), QRect(71, 36, 36, 13), this);
    Label3 = dialoglook::createLabel(QStringLiteral("後固定"), QRect(135, 36, 36, 13), this);
    Edit1 = createField(QString(), QRect(6, 54, 57, 22));
    Edit2 = createField(QStringLiteral("00"), QRect(69, 55, 57, 22));
    Edit3 = createField(QString(), QRect(132, 55, 57, 22));

    Label6 = dialoglook::createLabel(QStringLiteral("アップ数"), QRect(26, 86, 37, 13), this);
    Edit5 = createField(QStringLiteral("1"), QRect(69, 82, 60, 22));
    Label8 = dialoglook::createLabel(QStringLiteral("(10進)"), QRect(135, 86, 32, 13), this);

    Label4 = dialoglook::createLabel(QStringLiteral("作成数"), QRect(27, 113, 36, 13), this);
    Edit4 = createField(QStringLiteral("16"), QRect(69, 109, 60, 22));
    Edit4->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), Edit4));
    Label9 = dialoglook::createLabel(QStringLiteral("(10進)"), QRect(135, 113, 32, 13), this);

    Label7 = dialoglook::createLabel(QStringLiteral("( 開始数なしで固定文字作成 )"), QRect(20, 138, 151, 13), this);

    StaticText1 = dialoglook::createLabel(QString(), QRect(8, 157, 185, 17), this);
    StaticText1->setAlignment(Qt::AlignCenter);
    StaticText1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StaticText1->setFont(dialoglook::tahomaBold(12));

    Button3 = new QPushButton(QStringLiteral("挿入"), this);
    Button3->setGeometry(8, 180, 55, 25);
    Button1 = new QPushButton(QStringLiteral("追加"), this);
    Button1->setGeometry(69, 180, 57, 25);
    Button2 = new QPushButton(QStringLiteral("取り消し"), this);
    Button2->setGeometry(132, 180, 56, 25);
    for (QPushButton *button : {Button1, Button2, Button3})
        button->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(Button1); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button1Click(Button3); });
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    for (QLineEdit *field : {Edit1, Edit2, Edit3, Edit4, Edit5})
        connect(field, &QLineEdit::textChanged, this, &TMorvRenbanForm::Edit1Change);
    for (QToolButton *button : {SpeedButton1, SpeedButton2, SpeedButton3})
        connect(button, &QToolButton::clicked, this, &TMorvRenbanForm::Edit1Change);

    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, Edit5);
    setTabOrder(Edit5, Edit4);
    setTabOrder(Edit4, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Button3);

    FormCreate();
}

QLineEdit *TMorvRenbanForm::createField(const QString &text, const QRect &geometry)
{
    auto *field = new QLineEdit(text, this);
    field->setGeometry(geometry);
    field->setAlignment(Qt::AlignCenter);
    field->setFont(dialoglook::tahomaBold(12));
    dialoglook::closeInputMethod(field);
    return field;
}

void TMorvRenbanForm::FormCreate()
{
    // The preview is filled before the first use.
    Edit1Change();
}

int TMorvRenbanForm::radix() const
{
    if (SpeedButton2->isChecked())
        return 16;
    if (SpeedButton3->isChecked())
        return 8;
    return 10;
}

SerialRunFields TMorvRenbanForm::fields() const
{
    SerialRunFields fields;
    fields.prefix = Edit1->text().toStdU16String();
    fields.startText = Edit2->text().toStdU16String();
    fields.suffix = Edit3->text().toStdU16String();
    fields.stepText = Edit5->text().toStdU16String();
    fields.countText = Edit4->text().toStdU16String();
    fields.radix = radix();
    return fields;
}

void TMorvRenbanForm::Edit1Change()
{
    const SerialRunFields current = fields();
    // Without a start number the fixed text is repeated: the step has no use.
    const bool hasStart = !current.startText.empty();
    Label6->setEnabled(hasStart);
    Edit5->setEnabled(hasStart);
    if (hasStart)
        Label5->setText(radixbuttons::radixCaption(current.radix));
    StaticText1->setText(QString::fromStdU16String(SerialPreview(current)));
}

void TMorvRenbanForm::Button1Click(QObject *Sender)
{
    m_insertRequested = Sender == Button3;
    m_createdRun = ReadSerialRun(fields(), SerialFieldUse::Creation);
    emit serialRunCreated(m_createdRun, m_insertRequested);
    accept();
}

void TMorvRenbanForm::setOverwriteForm(bool overwrite)
{
    Button3->setEnabled(!overwrite);
    Button1->setText(overwrite ? QStringLiteral("上書き") : QStringLiteral("追加"));
}

void TMorvRenbanForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    dialoglook::moveToScreenCentre(this);
}
