#pragma once
// The two kinds of message the tool shows, and the error report for a
// failure a command does not catch. The window takes them through this
// interface so that tests can capture what the user would read.

#include <QString>

class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;

    // A plain box, without icon, titled with the application title.
    virtual void plain(const QString &text) = 0;
    // An information box titled "情報".
    virtual void information(const QString &text) = 0;
    // The general error report: the application title, the error icon and
    // the failure's text.
    virtual void error(const QString &text) = 0;
};
