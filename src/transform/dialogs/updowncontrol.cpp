#include "updowncontrol.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

UpDownControl::UpDownControl(QLineEdit *buddy, QWidget *parent)
    : QWidget(parent)
    , m_buddy(buddy)
    , m_downButton(new QToolButton(this))
    , m_upButton(new QToolButton(this))
{
    m_downButton->setArrowType(Qt::LeftArrow);
    m_upButton->setArrowType(Qt::RightArrow);
    m_downButton->setAutoRepeat(true);
    m_upButton->setAutoRepeat(true);
    m_downButton->setFocusPolicy(Qt::NoFocus);
    m_upButton->setFocusPolicy(Qt::NoFocus);
    connect(m_downButton, &QToolButton::clicked, this, [this] { stepBy(-1); });
    connect(m_upButton, &QToolButton::clicked, this, [this] { stepBy(1); });
    // The arrow keys in the field step the position as the buttons do.
    m_buddy->installEventFilter(this);
}

void UpDownControl::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    setPosition(m_position);
}

int UpDownControl::position() const
{
    bool ok = false;
    const int typed = m_buddy->text().trimmed().toInt(&ok);
    if (!ok)
        return m_position;
    return std::clamp(typed, m_minimum, m_maximum);
}

void UpDownControl::setPosition(int position)
{
    m_position = std::clamp(position, m_minimum, m_maximum);
    m_buddy->setText(QString::number(m_position));
}

void UpDownControl::stepBy(int steps)
{
    setPosition(position() + steps);
}

bool UpDownControl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_buddy && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            stepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDownControl::resizeEvent(QResizeEvent *event)
{
    const int half = width() / 2;
    m_downButton->setGeometry(0, 0, half, height());
    m_upButton->setGeometry(half, 0, width() - half, height());
    QWidget::resizeEvent(event);
}
