#pragma once

// The add dialog "加算": asks for the amount to add to the number inside
// each text, its radix (decimal, hexadecimal or octal), where the decimal
// number is found (first or last) and, for the other radixes, how many
// characters at the end form the number. Created once and kept, so the
// controls keep the user's last choices. After "実行" the command reads
// settings().

#include "transform/incrementtext.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class UpDownControl;

class TMorvKasanForm : public QDialog
{
    Q_OBJECT

public:
    explicit TMorvKasanForm(QWidget *parent = nullptr);

    // 10, 16 or 8: which radix button is down.
    int radix() const;
    // "加算数" read as a decimal integer with an optional sign; 0 when it is
    // not one.
    std::int32_t addend() const;
    // "末尾から": the decimal number is the last of the text.
    bool fromTail() const;
    // "対象桁数", 1 to 8.
    int digitWidth() const;

    IncrementSettings settings() const;

    // The click handler of all three radix buttons.
    void SpeedButton1Click();

    QToolButton *SpeedButton1;
    QToolButton *SpeedButton2;
    QToolButton *SpeedButton3;
    QLabel *Label5;
    QLabel *Label2;
    QGroupBox *GroupBox1;
    QRadioButton *RadioButton1;
    QRadioButton *RadioButton2;
    QLabel *Label3;
    QLineEdit *Edit2;
    UpDownControl *UpDown1;
    QLabel *Label1;
    QLineEdit *Edit1;
    QLabel *Label4;
    QPushButton *Button1;
    QPushButton *Button2;

protected:
    void showEvent(QShowEvent *event) override;
};
