#include "inputmethod.h"

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

InputMethodCloser &closer()
{
    static InputMethodCloser c;
    return c;
}

// Closes the input method once the field has the focus: the platform
// switches the input context to the newly focused field first, so the
// close comes right after the focus change, not inside it.
class CloseOnFocusIn : public QObject
{
public:
    explicit CloseOnFocusIn(QWidget *field) : QObject(field), m_field(field) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_field && event->type() == QEvent::FocusIn) {
            QTimer::singleShot(0, this, [this] {
                if (m_field && m_field->hasFocus() && closer())
                    closer()(m_field);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> m_field;
};

} // namespace

void setInputMethodCloser(InputMethodCloser c)
{
    closer() = std::move(c);
}

void closeInputMethodOnEntry(QWidget *field)
{
    field->setAttribute(Qt::WA_InputMethodEnabled, true);
    field->setInputMethodHints(field->inputMethodHints() | Qt::ImhPreferLatin);
    field->installEventFilter(new CloseOnFocusIn(field));
}
