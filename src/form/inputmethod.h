#pragma once
// "Input method closed": a field of numbers, codes or ProgIDs starts with
// the input method off each time it is entered, and the user may switch
// it on there to type Japanese (号 or 番 after a serial number). The field
// is never barred from the input method.
//
// Qt can neither switch an input method off nor read its state, so the
// platform gives the way to do it (on Windows the input context of the
// window); without one, the field only asks for Latin input.

#include <functional>

class QWidget;

using InputMethodCloser = std::function<void(QWidget *field)>;

// Set once by the platform at start; tests put a recorder here.
void setInputMethodCloser(InputMethodCloser closer);

// The field closes the input method whenever it takes the focus.
void closeInputMethodOnEntry(QWidget *field);
