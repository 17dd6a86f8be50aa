#pragma once
// Modal message boxes with one OK button, centred on the screen.

#include "form/messageboxes.h"

class QWidget;

class QtMessageBoxes : public MessageBoxes
{
public:
    void plain(const QString &text) override;
    void information(const QString &text) override;
    void error(const QString &text) override;
};
