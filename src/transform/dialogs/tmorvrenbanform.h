#pragma once

// The serial number dialog "連番作成": a fixed text before the number, a
// start number whose length sets the number of digits, a fixed text after
// it, a step, a count and a radix. The preview line shows the first and the
// last text of the run while the user types.
//
// "追加" and "挿入" (or "上書き" in the attribute grid's form) close the
// dialog with the result OK after createdRun() and insertRequested() are
// set and serialRunCreated() is emitted; the caller puts the run into the
// editor or the grid.

#include "transform/serialrunfields.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

class TMorvRenbanForm : public QDialog
{
    Q_OBJECT

public:
    explicit TMorvRenbanForm(QWidget *parent = nullptr);

    // The fields as typed and the chosen radix.
    SerialRunFields fields() const;
    int radix() const;

    // The run made by the last "追加", "挿入" or "上書き".
    const SerialRun &createdRun() const { return m_createdRun; }
    // The last run was made with "挿入": insert it at the caret's line rather
    // than append it.
    bool insertRequested() const { return m_insertRequested; }

    // The attribute grid's form: "挿入" disabled and "追加" captioned
    // "上書き", for as long as the grid shows the dialog; false restores the
    // editor's form.
    void setOverwriteForm(bool overwrite);

    // Updates the preview; runs on every change of a field and on a click of
    // a radix button.
    void Edit1Change();
    // Makes the run; Sender is Button1 ("追加"/"上書き") or Button3 ("挿入").
    void Button1Click(QObject *Sender);

    QToolButton *SpeedButton1;
    QToolButton *SpeedButton2;
    QToolButton *SpeedButton3;
    QLabel *Label5;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLineEdit *Edit1;
    QLineEdit *Edit2;
    QLineEdit *Edit3;
    QLabel *Label6;
    QLineEdit *Edit5;
    QLabel *Label8;
    QLabel *Label4;
    QLineEdit *Edit4;
    QLabel *Label9;
    QLabel *Label7;
    QLabel *StaticText1;
    QPushButton *Button3;
    QPushButton *Button1;
    QPushButton *Button2;

signals:
    void serialRunCreated(const SerialRun &run, bool insert);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    QLineEdit *createField(const QString &text, const QRect &geometry);

    SerialRun m_createdRun;
    bool m_insertRequested = false;
};
