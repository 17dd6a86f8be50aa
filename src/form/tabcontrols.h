#pragma once
// The controls of the tabs, made at their fixed places as the window's
// design gives them (left, top, width, height on the page).

#include <QString>

class QCheckBox;
class QColor;
class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

// A flat command button that never takes the focus from the editor or grid.
QToolButton *makeButton(QWidget *parent, const QString &caption, int x, int y, int w, int h);
// A label sized to its caption.
QLabel *makeLabel(QWidget *parent, const QString &caption, int x, int y);
QLabel *makeLabel(QWidget *parent, const QString &caption, int x, int y, int w, int h);
QCheckBox *makeCheckBox(QWidget *parent, const QString &caption, int x, int y, int w, int h, bool checked);
void setTextColour(QLineEdit *edit, const QColor &colour);
