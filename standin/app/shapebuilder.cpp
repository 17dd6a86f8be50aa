#include "shapebuilder.h"

#include "caddocument.h"
#include "dxfentityextension.h"

#include "cad/remote/variantcodec.h"
#include "cad/ustring.h"

#include <QRegularExpression>
#include <QTransform>

#include <cmath>
#include <numbers>

namespace standin {

using namespace cad;
using cad::remote::toQString;

namespace {

constexpr int MaxBlockDepth = 8;
constexpr int CircleSegments = 72;

double toRadians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

QPointF xy(const DxfPoint &p)
{
    return QPointF(p.x, p.y);
}

QPointF xy(const Point &p)
{
    return QPointF(p.x, p.y);
}

QPolygonF arcPoints(QPointF center, double radius, double startRadians, double sweepRadians)
{
    const int segments = std::max(4, int(std::ceil(CircleSegments * std::abs(sweepRadians) / (2 * std::numbers::pi))));
    QPolygonF points;
    for (int i = 0; i <= segments; ++i) {
        const double a = startRadians + sweepRadians * i / segments;
        points << center + QPointF(radius * std::cos(a), radius * std::sin(a));
    }
    return points;
}

// A polyline segment with a bulge (tan of a quarter of the arc's angle).
void appendBulgedSegment(QPolygonF &points, QPointF from, QPointF to, double bulge)
{
    if (bulge == 0) {
        points << to;
        return;
    }
    const double sweep = 4 * std::atan(bulge);
    const QPointF chord = to - from;
    const double length = std::hypot(chord.x(), chord.y());
    if (length == 0) {
        points << to;
        return;
    }
    const double radius = length / (2 * std::sin(std::abs(sweep) / 2));
    // The centre lies on the chord's perpendicular, to the left for a positive bulge.
    const QPointF middle = (from + to) / 2;
    const QPointF normal(-chord.y() / length, chord.x() / length);
    const double offset = radius * std::cos(sweep / 2) * (sweep > 0 ? 1 : -1);
    const QPointF center = middle + normal * offset;
    const double start = std::atan2(from.y() - center.y(), from.x() - center.x());
    QPolygonF arc = arcPoints(center, radius, start, sweep);
    arc.removeFirst();
    points += arc;
}

QPolygonF polylinePoints(const DxfPolyline &polyline)
{
    QPolygonF points;
    const qsizetype n = polyline.vertices.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF p = xy(polyline.vertices[i].point);
        if (i == 0)
            points << p;
        else
            appendBulgedSegment(points, xy(polyline.vertices[i - 1].point), p, polyline.vertices[i - 1].bulge);
    }
    if (polyline.closed && n > 1)
        appendBulgedSegment(points, xy(polyline.vertices.back().point), xy(polyline.vertices.front().point),
                            polyline.vertices.back().bulge);
    return points;
}

// MTEXT's formatting codes taken out; paragraphs become lines.
QStringList mtextLines(QString text)
{
    text.replace(QLatin1String("\\P"), QLatin1String("\n"));
    static const QRegularExpression codes(QStringLiteral(R"(\\[ACcFfHhQTWpL][^;\\]*;|\\[LlOoKk])"));
    text.remove(codes);
    text.remove(u'{');
    text.remove(u'}');
    text.replace(QLatin1String("\\~"), QLatin1String(" "));
    return text.split(u'\n');
}

} // namespace

ShapeBuilder::ShapeBuilder(const CadDocument &document)
    : m_document(document)
    , m_metrics(textFont())
{
}

QFont ShapeBuilder::textFont()
{
    QFont font(QStringLiteral("IPAGothic"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(int(ReferencePixelSize));
    return font;
}

EntityShape ShapeBuilder::shape(Handle handle) const
{
    const MemoryEntity *entity = m_document.drawing()->entity(handle);
    return entity ? shapeOf(*entity, 0) : EntityShape();
}

EntityShape ShapeBuilder::shapeOf(const MemoryEntity &entity, int depth) const
{
    EntityShape shape;
    const DxfEntityExtension *extension = dxfExtension(entity);
    switch (entity.kind) {
    case EntityKind::Text:
    case EntityKind::Attribute:
    case EntityKind::AttributeDefinition:
        if (!entity.text.empty() || entity.kind == EntityKind::AttributeDefinition)
            shape.texts << placeText(entity);
        return shape;
    case EntityKind::BlockReference:
        shape = blockShape(entity, depth);
        for (Handle attribute : entity.attributes) {
            if (const MemoryEntity *a = m_document.drawing()->entity(attribute))
                shape.append(shapeOf(*a, depth + 1));
        }
        return shape;
    case EntityKind::Other:
        break;
    }
    if (!extension)
        return shape;
    if (const auto *line = std::get_if<DxfLine>(&extension->data)) {
        shape.polylines << QPolygonF(QList<QPointF>{xy(line->start), xy(line->end)});
    } else if (const auto *polyline = std::get_if<DxfPolyline>(&extension->data)) {
        shape.polylines << polylinePoints(*polyline);
    } else if (const auto *circle = std::get_if<DxfCircle>(&extension->data)) {
        shape.polylines << arcPoints(xy(circle->center), circle->radius, 0, 2 * std::numbers::pi);
    } else if (const auto *arc = std::get_if<DxfArc>(&extension->data)) {
        double sweep = arc->endAngle - arc->startAngle;
        while (sweep <= 0)
            sweep += 360;
        shape.polylines << arcPoints(xy(arc->center), arc->radius, toRadians(arc->startAngle), toRadians(sweep));
    } else if (std::holds_alternative<DxfMText>(extension->data)) {
        shape.texts += placeMText(entity);
    }
    return shape;
}

EntityShape ShapeBuilder::blockShape(const MemoryEntity &insert, int depth) const
{
    EntityShape result;
    if (depth >= MaxBlockDepth)
        return result;
    const auto &blocks = m_document.drawing()->blocks();
    const auto block = std::find_if(blocks.begin(), blocks.end(), [&](const MemoryBlock &b) {
        return equalsIgnoreAsciiCase(b.name, insert.blockName);
    });
    if (block == blocks.end())
        return result;
    double xScale = 1, yScale = 1;
    if (const DxfEntityExtension *extension = dxfExtension(insert)) {
        if (const auto *data = std::get_if<DxfInsert>(&extension->data)) {
            xScale = data->xScale;
            yScale = data->yScale;
        }
    }
    const QPointF base = xy(m_document.blockBasePoint(block->name));
    QTransform transform;
    transform.translate(insert.insertionPoint.x, insert.insertionPoint.y);
    transform.rotateRadians(insert.rotation);
    transform.scale(xScale, yScale);
    transform.translate(-base.x(), -base.y());
    const double angle = insert.rotation;
    for (Handle h : block->entities) {
        const MemoryEntity *entity = m_document.drawing()->entity(h);
        if (!entity || entity->kind == EntityKind::AttributeDefinition)
            continue;
        const EntityShape part = shapeOf(*entity, depth + 1);
        for (const QPolygonF &polyline : part.polylines)
            result.polylines << transform.map(polyline);
        for (PlacedText text : part.texts) {
            text.origin = transform.map(text.origin);
            text.box = transform.map(text.box);
            text.angle += angle;
            text.height *= std::abs(yScale);
            text.xScale *= std::abs(yScale) > 0 ? std::abs(xScale / yScale) : 1;
            result.texts << text;
        }
    }
    return result;
}

double ShapeBuilder::textWidth(const QString &text, double height) const
{
    return m_metrics.horizontalAdvance(text) / ReferencePixelSize * height * EmPerTextHeight;
}

PlacedText ShapeBuilder::placed(const QString &text, QPointF origin, double angle, double height, double xScale) const
{
    PlacedText result{text, origin, angle, height, xScale, {}};
    const double width = textWidth(text, height) * xScale;
    const double descent = m_metrics.descent() / ReferencePixelSize * height * EmPerTextHeight;
    const double top = m_metrics.ascent() / ReferencePixelSize * height * EmPerTextHeight;
    QTransform toDrawing;
    toDrawing.translate(origin.x(), origin.y());
    toDrawing.rotateRadians(angle);
    result.box = toDrawing.map(QPolygonF(QRectF(0, -descent, std::max(width, height * 0.2), top + descent)));
    return result;
}

PlacedText ShapeBuilder::placeText(const MemoryEntity &entity) const
{
    const QString text = entity.kind == EntityKind::AttributeDefinition && entity.text.empty()
        ? toQString(entity.tag)
        : toQString(entity.text);
    double xScale = 1;
    if (const DxfEntityExtension *extension = dxfExtension(entity)) {
        if (const auto *data = std::get_if<DxfText>(&extension->data))
            xScale = data->widthFactor > 0 ? data->widthFactor : 1;
        else if (const auto *definition = std::get_if<DxfAttributeDefinition>(&extension->data))
            xScale = definition->text.widthFactor > 0 ? definition->text.widthFactor : 1;
    }
    const double height = entity.height > 0 ? entity.height : 1;
    const double width = textWidth(text, height) * xScale;
    const int alignment = entity.alignment;

    // Aligned (3) and fit (5): the text runs from the insertion point to the
    // alignment point.
    if (alignment == 3 || alignment == 5) {
        const QPointF from = xy(entity.insertionPoint), to = xy(entity.alignmentPoint);
        const double length = std::hypot(to.x() - from.x(), to.y() - from.y());
        if (length > 0 && width > 0) {
            const double stretch = length / width;
            const double fittedHeight = alignment == 3 ? height * stretch : height;
            return placed(text, from, std::atan2(to.y() - from.y(), to.x() - from.x()), fittedHeight,
                          alignment == 3 ? xScale : xScale * stretch);
        }
    }
    const QPointF anchor = xy(alignment == 0 ? entity.insertionPoint : entity.alignmentPoint);
    double dx = 0, dy = 0;
    switch (alignment) {
    case 1: case 7: case 10: case 13: case 4: dx = -width / 2; break;
    case 2: case 8: case 11: case 14: dx = -width; break;
    default: break;
    }
    const double descent = m_metrics.descent() / ReferencePixelSize * height * EmPerTextHeight;
    switch (alignment) {
    case 6: case 7: case 8: dy = -height; break;                 // top
    case 4: case 9: case 10: case 11: dy = -height / 2; break;   // middle
    case 12: case 13: case 14: dy = descent; break;              // bottom
    default: break;                                              // baseline
    }
    QTransform rotation;
    rotation.rotateRadians(entity.rotation);
    return placed(text, anchor + rotation.map(QPointF(dx, dy)), entity.rotation, height, xScale);
}

QList<PlacedText> ShapeBuilder::placeMText(const MemoryEntity &entity) const
{
    QList<PlacedText> result;
    const QStringList lines = mtextLines(toQString(entity.text));
    const double height = entity.height > 0 ? entity.height : 1;
    const double lineSpacing = height * 5.0 / 3.0;
    int attachment = 1;
    if (const DxfEntityExtension *extension = dxfExtension(entity)) {
        if (const auto *data = std::get_if<DxfMText>(&extension->data))
            attachment = data->attachment;
    }
    const int column = (attachment - 1) % 3; // left, centre, right
    const int row = (attachment - 1) / 3;    // top, middle, bottom
    const double total = height + lineSpacing * (lines.size() - 1);
    const double firstBaseline = row == 0 ? -height : row == 1 ? total / 2 - height : total - height;
    QTransform rotation;
    rotation.rotateRadians(entity.rotation);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const double width = textWidth(lines[i], height);
        const double dx = column == 0 ? 0 : column == 1 ? -width / 2 : -width;
        const QPointF offset(dx, firstBaseline - lineSpacing * double(i));
        result << placed(lines[i], xy(entity.insertionPoint) + rotation.map(offset), entity.rotation, height, 1);
    }
    return result;
}

} // namespace standin
