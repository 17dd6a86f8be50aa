#pragma once
// The one place where a long command lets the GUI process pending messages
// (a click on "中止" among them). It yields to the event loop at most every
// few milliseconds, so that a loop over 100,000 items costs next to nothing
// and the window still answers.

#include <QElapsedTimer>

class MessagePump
{
public:
    MessagePump();
    virtual ~MessagePump() = default;

    // Called after each item of a long command.
    virtual void processPendingMessages();
    // Yields now, whenever it last did (before a command's last test).
    virtual void processNow();

    static constexpr int YieldIntervalMs = 8;

private:
    QElapsedTimer m_sinceLastYield;
};
