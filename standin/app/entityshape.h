#pragma once
// What an entity looks like in drawing coordinates (y upward): polylines and
// placed texts, with the tests picking needs. Circles and arcs come as
// polylines fine enough to draw and to pick.

#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QString>

namespace standin {

// A line of text on its baseline: from `origin` along `angle` (radians,
// counter-clockwise), `height` the height of capitals, stretched
// horizontally by `xScale`.
struct PlacedText
{
    QString text;
    QPointF origin;
    double angle = 0;
    double height = 1;
    double xScale = 1;
    // The box the text covers, in drawing coordinates (4 corners).
    QPolygonF box;
};

struct EntityShape
{
    QList<QPolygonF> polylines;
    QList<PlacedText> texts;

    bool isEmpty() const { return polylines.isEmpty() && texts.isEmpty(); }
    QRectF bounds() const;
    void append(const EntityShape &other);

    // Within `tolerance` of a line or inside a text's box.
    bool isNear(const QPointF &point, double tolerance) const;
    // Wholly inside the rectangle (a window pick).
    bool isInside(const QRectF &rect) const;
    // Inside or crossing the rectangle's edge (a crossing pick).
    bool crosses(const QRectF &rect) const;
};

} // namespace standin
