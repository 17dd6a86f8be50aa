#pragma once

#include <QValidator>

// The upper-case mode of an edit field: letters turn to upper case as they
// are typed (full-width letters too). Each character maps to one, so the
// caret stays where it was.
class UpperCaseValidator : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override;
};
