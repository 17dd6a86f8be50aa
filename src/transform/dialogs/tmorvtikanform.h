#pragma once

// The replace dialog "文字列置換": asks for a search text and a replacement
// text. Created once and kept, so the fields keep what the user typed from
// one use to the next. The commands fill it (setSearchText), show it modally
// and, after "実行", read findText(), replaceText() and ignoreCase().

#include <QDialog>

#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TMorvTikanForm : public QDialog
{
    Q_OBJECT

public:
    explicit TMorvTikanForm(QWidget *parent = nullptr);

    // Puts the text in both fields, so that the replacement starts as the
    // search text.
    void setSearchText(const QString &text);

    std::u16string findText() const;
    std::u16string replaceText() const;
    // "大文字/小文字を無視"; only the all-lines command uses it.
    bool ignoreCase() const;

    // The controls, under the names the commands and the tests use.
    QCheckBox *CheckBox1;
    QLabel *Label1;
    QLineEdit *Edit1;
    QLabel *Label2;
    QLineEdit *Edit2;
    QPushButton *Button1;
    QPushButton *Button2;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
};
