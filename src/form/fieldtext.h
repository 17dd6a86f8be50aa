#pragma once
// A field the program fills shows the start of its text, as a field the
// user has not touched yet does: a text too long for the field is cut at
// its end ("JCMNT1:コメ…"), not at its start. Qt's own setText leaves the
// caret, and with it the view, at the end.

#include <QComboBox>
#include <QLineEdit>
#include <QString>

inline void setFieldText(QLineEdit *field, const QString &text)
{
    field->setText(text);
    field->setCursorPosition(0);
}

// The edit field of an editable combo box back to the start of its text.
inline void showFieldStart(QComboBox *box)
{
    if (QLineEdit *field = box->lineEdit())
        field->setCursorPosition(0);
}
