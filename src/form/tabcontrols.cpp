#include "tabcontrols.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

QToolButton *makeButton(QWidget *parent, const QString &caption, int x, int y, int w, int h)
{
    auto *b = new QToolButton(parent);
    b->setText(caption);
    b->setGeometry(x, y, w, h);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QLabel *makeLabel(QWidget *parent, const QString &caption, int x, int y)
{
    auto *l = new QLabel(caption, parent);
    l->move(x, y);
    return l;
}

QLabel *makeLabel(QWidget *parent, const QString &caption, int x, int y, int w, int h)
{
    auto *l = new QLabel(caption, parent);
    l->setGeometry(x, y, w, h);
    return l;
}

QCheckBox *makeCheckBox(QWidget *parent, const QString &caption, int x, int y, int w, int h, bool checked)
{
    auto *c = new QCheckBox(caption, parent);
    c->setGeometry(x, y, w, h);
    c->setChecked(checked);
    return c;
}

void setTextColour(QLineEdit *edit, const QColor &colour)
{
    QPalette p = edit->palette();
    p.setColor(QPalette::Text, colour);
    edit->setPalette(p);
}
