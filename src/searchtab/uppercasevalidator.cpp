#include "uppercasevalidator.h"

QValidator::State UpperCaseValidator::validate(QString &input, int &) const
{
    for (QChar &c : input) {
        // Surrogate halves have no case of their own; they are left alone.
        if (!c.isSurrogate())
            c = c.toUpper();
    }
    return Acceptable;
}
