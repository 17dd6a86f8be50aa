#include "radixbuttons.h"

#include <QButtonGroup>

namespace radixbuttons {

QToolButton *create(const QString &caption, const QRect &geometry, QButtonGroup *group, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setText(caption);
    button->setGeometry(geometry);
    button->setCheckable(true);
    group->addButton(button);
    return button;
}

QString radixCaption(int radix)
{
    switch (radix) {
    case 16:
        return QStringLiteral("16進");
    case 8:
        return QStringLiteral(" 8進");
    default:
        return QStringLiteral("10進");
    }
}

} // namespace radixbuttons
