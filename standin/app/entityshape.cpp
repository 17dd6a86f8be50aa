#include "entityshape.h"

#include <QLineF>

#include <cmath>

namespace standin {

namespace {

double distanceToSegment(const QPointF &p, const QPointF &a, const QPointF &b)
{
    const QPointF ab = b - a;
    const double lengthSquared = QPointF::dotProduct(ab, ab);
    double t = lengthSquared > 0 ? QPointF::dotProduct(p - a, ab) / lengthSquared : 0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF nearest = a + t * ab;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

bool segmentCrossesRect(const QPointF &a, const QPointF &b, const QRectF &rect)
{
    if (rect.contains(a) || rect.contains(b))
        return true;
    const QLineF segment(a, b);
    const QLineF edges[] = {
        {rect.topLeft(), rect.topRight()},
        {rect.topRight(), rect.bottomRight()},
        {rect.bottomRight(), rect.bottomLeft()},
        {rect.bottomLeft(), rect.topLeft()},
    };
    for (const QLineF &edge : edges) {
        if (segment.intersects(edge) == QLineF::BoundedIntersection)
            return true;
    }
    return false;
}

// Every segment of the polyline, closing it when `closed`.
template<typename Visit>
bool anySegment(const QPolygonF &polyline, bool closed, Visit visit)
{
    if (polyline.size() == 1)
        return visit(polyline.front(), polyline.front());
    for (qsizetype i = 0; i + 1 < polyline.size(); ++i) {
        if (visit(polyline[i], polyline[i + 1]))
            return true;
    }
    return closed && polyline.size() > 2 && visit(polyline.back(), polyline.front());
}

} // namespace

QRectF EntityShape::bounds() const
{
    QRectF result;
    auto unite = [&result](const QPolygonF &points) {
        if (points.isEmpty())
            return;
        const QRectF r = points.boundingRect();
        result = result.isNull() ? r : result.united(r);
    };
    for (const QPolygonF &polyline : polylines)
        unite(polyline);
    for (const PlacedText &text : texts)
        unite(text.box);
    return result;
}

void EntityShape::append(const EntityShape &other)
{
    polylines += other.polylines;
    texts += other.texts;
}

bool EntityShape::isNear(const QPointF &point, double tolerance) const
{
    for (const QPolygonF &polyline : polylines) {
        if (anySegment(polyline, false, [&](const QPointF &a, const QPointF &b) {
                return distanceToSegment(point, a, b) <= tolerance;
            }))
            return true;
    }
    for (const PlacedText &text : texts) {
        if (text.box.containsPoint(point, Qt::OddEvenFill))
            return true;
    }
    return false;
}

bool EntityShape::isInside(const QRectF &rect) const
{
    if (isEmpty())
        return false;
    for (const QPolygonF &polyline : polylines) {
        for (const QPointF &p : polyline) {
            if (!rect.contains(p))
                return false;
        }
    }
    for (const PlacedText &text : texts) {
        for (const QPointF &p : text.box) {
            if (!rect.contains(p))
                return false;
        }
    }
    return true;
}

bool EntityShape::crosses(const QRectF &rect) const
{
    for (const QPolygonF &polyline : polylines) {
        if (anySegment(polyline, false, [&](const QPointF &a, const QPointF &b) {
                return segmentCrossesRect(a, b, rect);
            }))
            return true;
    }
    for (const PlacedText &text : texts) {
        if (anySegment(text.box, true, [&](const QPointF &a, const QPointF &b) {
                return segmentCrossesRect(a, b, rect);
            }))
            return true;
        // A window wholly inside the text's box.
        if (text.box.containsPoint(rect.center(), Qt::OddEvenFill))
            return true;
    }
    return false;
}

} // namespace standin
