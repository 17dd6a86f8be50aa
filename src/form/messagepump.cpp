#include "messagepump.h"

#include <QCoreApplication>

MessagePump::MessagePump()
{
    m_sinceLastYield.start();
}

void MessagePump::processPendingMessages()
{
    if (m_sinceLastYield.elapsed() < YieldIntervalMs)
        return;
    processNow();
}

void MessagePump::processNow()
{
    QCoreApplication::processEvents();
    m_sinceLastYield.restart();
}
