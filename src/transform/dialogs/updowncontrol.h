#pragma once

// A horizontal up-down control bound to an edit field: its two arrow
// buttons step a position between a minimum and a maximum and write it into
// the field. The position is read back from the field, so a number typed
// there counts (clamped to the range); a field that does not hold a number
// keeps the last position.

#include <QWidget>

class QLineEdit;
class QToolButton;

class UpDownControl : public QWidget
{
    Q_OBJECT

public:
    UpDownControl(QLineEdit *buddy, QWidget *parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    int position() const;
    void setPosition(int position);

    // One step up (+1) or down (-1), as the arrow buttons do.
    void stepBy(int steps);

    QToolButton *downButton() const { return m_downButton; }
    QToolButton *upButton() const { return m_upButton; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QLineEdit *m_buddy;
    QToolButton *m_downButton;
    QToolButton *m_upButton;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_position = 0;
};
