#pragma once

// The common look of the text tool dialogs: their field font and their place
// at the centre of the screen.

#include "form/inputmethod.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace dialoglook {

// Tahoma, bold, at the given pixel size (the fields and the large labels).
inline QFont tahomaBold(int pixelSize)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

// The small font of the dialogs' captions, in which their compact layout
// fits.
inline void applyDialogFont(QWidget *dialog)
{
    QFont font = QApplication::font();
    font.setPixelSize(11);
    dialog->setFont(font);
}

// A label at its place that grows to the size of its caption, so that no
// caption is cut off.
inline QLabel *createLabel(const QString &caption, const QRect &geometry, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setGeometry(geometry);
    const QSize hint = label->sizeHint();
    label->resize(std::max(hint.width(), geometry.width()), std::max(hint.height(), geometry.height()));
    return label;
}

// Moves the window so that it stands at the centre of its screen.
inline void moveToScreenCentre(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

// A field with "input method closed": numbers and short codes, where the
// user may still switch the input method on (号, 番).
inline void closeInputMethod(QWidget *field)
{
    closeInputMethodOnEntry(field);
}

} // namespace dialoglook
