#pragma once
// Repainting a progress label or bar at once while a long command runs,
// though at most once a frame: a repaint per item costs more than the item
// (the tab page around the widget is painted too), and no screen shows
// more. A change left unpainted is painted as every change is, by the next
// turn of the event loop.

#include <QElapsedTimer>
#include <QWidget>

class ProgressRepaint
{
public:
    static constexpr int IntervalMs = 16;

    void operator()(QWidget *widget)
    {
        if (m_sinceRepaint.isValid() && m_sinceRepaint.elapsed() < IntervalMs)
            return;
        m_sinceRepaint.start();
        widget->repaint();
    }

private:
    QElapsedTimer m_sinceRepaint;
};
