#pragma once

// The common look of the text tool dialogs: their field font and their place
// at the centre of the screen.

#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace dialoglook {

// Tahoma, bold, at the given pixel size (the fields and the large labels).
inline QFont tahomaBold(int pixelSize)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

// Moves the window so that it stands at the centre of its screen.
inline void moveToScreenCentre(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

// A field where only direct typing makes sense: numbers and short codes.
inline void closeInputMethod(QWidget *field)
{
    field->setAttribute(Qt::WA_InputMethodEnabled, false);
}

} // namespace dialoglook
