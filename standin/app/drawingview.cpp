#include "drawingview.h"

#include "caddocument.h"

#include "cad/remote/variantcodec.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>
#include <numbers>

namespace standin {

using namespace cad;

namespace {

constexpr int ClickTolerancePixels = 4;   // a press and release closer than this is a click
constexpr int PickAperturePixels = 5;     // how near a click must be to an entity
constexpr double WheelZoomStep = 1.2;
constexpr double MinimumTextPixels = 1.5; // smaller texts are drawn as a stroke

const QColor Background(0x21, 0x26, 0x2e);
const QColor LineColor(0xd8, 0xdc, 0xe2);
const QColor TextColor(0xff, 0xff, 0xff);
const QColor LockedColor(0x9a, 0xa4, 0xb0);
const QColor SelectedColor(0x40, 0xc8, 0xff);
const QColor PickableColor(0xff, 0xe0, 0x80);

} // namespace

DrawingView::DrawingView(const CadDocument &document, QWidget *parent)
    : QWidget(parent)
    , m_document(document)
    , m_shapes(document)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingView::refresh()
{
    m_shapeCache.clear();
    // Entities the undo took away are no longer picked.
    std::erase_if(m_picked, [this](Handle h) { return !m_document.drawing()->entity(h); });
    update();
}

const EntityShape &DrawingView::shapeOf(Handle handle) const
{
    auto it = m_shapeCache.find(handle);
    if (it == m_shapeCache.end())
        it = m_shapeCache.emplace(handle, m_shapes.shape(handle)).first;
    return it->second;
}

void DrawingView::zoomExtents()
{
    QRectF extents;
    for (Handle h : m_document.drawing()->drawingOrder()) {
        const QRectF bounds = shapeOf(h).bounds();
        if (!bounds.isNull())
            extents = extents.isNull() ? bounds : extents.united(bounds);
    }
    if (extents.isNull())
        extents = QRectF(0, 0, 100, 100);
    const double w = std::max(extents.width(), 1e-6), h = std::max(extents.height(), 1e-6);
    m_center = extents.center();
    m_scale = 0.92 * std::min(width() / w, height() / h);
    if (!std::isfinite(m_scale) || m_scale <= 0)
        m_scale = 1;
    m_hasView = true;
    publishViewSize();
    update();
}

void DrawingView::centerOn(const QPointF &point, double viewHeight)
{
    m_center = point;
    if (viewHeight > 0 && height() > 0)
        m_scale = height() / viewHeight;
    m_hasView = true;
    publishViewSize();
    update();
}

QPointF DrawingView::toScreen(const QPointF &p) const
{
    return QPointF((p.x() - m_center.x()) * m_scale + width() / 2.0,
                   (m_center.y() - p.y()) * m_scale + height() / 2.0);
}

QPointF DrawingView::toDrawing(const QPointF &s) const
{
    return QPointF((s.x() - width() / 2.0) / m_scale + m_center.x(),
                   m_center.y() - (s.y() - height() / 2.0) / m_scale);
}

// The tool reads the view's size through these variables (PanToPoint).
void DrawingView::publishViewSize()
{
    MemoryDrawing &drawing = *m_document.drawing();
    drawing.setVariable(u"VIEWSIZE", height() / m_scale);
    drawing.setVariable(u"SCREENSIZE", std::vector<double>{double(width()), double(height())});
    drawing.setVariable(u"VIEWCTR", std::vector<double>{m_center.x(), m_center.y(), 0.0});
}

// --- Painting ---

void DrawingView::paintShape(QPainter &painter, const EntityShape &shape, const QColor &color) const
{
    painter.setPen(QPen(color, 0));
    for (const QPolygonF &polyline : shape.polylines) {
        QPolygonF screen;
        screen.reserve(polyline.size());
        for (const QPointF &p : polyline)
            screen << toScreen(p);
        painter.drawPolyline(screen);
    }
    if (shape.texts.isEmpty())
        return;
    painter.setFont(ShapeBuilder::textFont());
    for (const PlacedText &text : shape.texts) {
        const double pixels = text.height * m_scale;
        if (pixels < MinimumTextPixels) {
            // Too small to read: a stroke along the text shows where it is.
            if (text.box.size() >= 2)
                painter.drawLine(toScreen(text.box[0]), toScreen(text.box[1]));
            continue;
        }
        const double k = pixels * ShapeBuilder::EmPerTextHeight / ShapeBuilder::ReferencePixelSize;
        painter.save();
        painter.translate(toScreen(text.origin));
        painter.rotate(-text.angle * 180.0 / std::numbers::pi);
        painter.scale(k * text.xScale, k);
        painter.drawText(QPointF(0, 0), text.text);
        painter.restore();
    }
}

void DrawingView::paintEvent(QPaintEvent *)
{
    if (!m_hasView)
        zoomExtents();
    QPainter painter(this);
    painter.fillRect(rect(), Background);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const QRectF visible = QRectF(toDrawing(QPointF(0, height())), toDrawing(QPointF(width(), 0))).normalized();
    const MemoryDrawing &drawing = *m_document.drawing();
    for (Handle h : drawing.drawingOrder()) {
        const EntityShape &shape = shapeOf(h);
        // A horizontal or vertical line has bounds without area.
        const QRectF bounds = shape.bounds();
        if (bounds.isNull() || bounds.right() < visible.left() || bounds.left() > visible.right()
            || bounds.top() > visible.bottom() || bounds.bottom() < visible.top())
            continue;
        const MemoryEntity &entity = *drawing.entity(h);
        const bool picked = std::find(m_picked.begin(), m_picked.end(), h) != m_picked.end();
        QColor color = drawing.isLayerLocked(entity.layer) ? LockedColor
            : entity.hasText() || entity.kind == EntityKind::BlockReference ? TextColor : LineColor;
        if (picked)
            color = SelectedColor;
        paintShape(painter, shape, color);
        if (picked) {
            // Selected entities as a CAD shows them: a dashed frame.
            painter.setPen(QPen(SelectedColor, 1, Qt::DashLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(toScreen(shape.bounds().bottomLeft()), toScreen(shape.bounds().topRight()))
                                 .normalized()
                                 .adjusted(-2, -2, 2, 2));
        }
    }

    if (m_dragStart) {
        const bool crossing = m_dragEnd.x() < m_dragStart->x();
        QPen pen(crossing ? QColor(0x60, 0xe0, 0x60) : QColor(0x60, 0x90, 0xff), 1,
                 crossing ? Qt::DashLine : Qt::SolidLine);
        painter.setPen(pen);
        QColor fill = pen.color();
        fill.setAlpha(40);
        painter.setBrush(fill);
        painter.drawRect(QRect(*m_dragStart, m_dragEnd).normalized());
    }

    // The marker lasts one repaint: drawn now, gone at the next.
    if (!m_marker.empty()) {
        if (m_markerPainted) {
            m_marker.clear();
        } else {
            QPolygon polygon;
            for (const ScreenPoint &p : m_marker)
                polygon << QPoint(p.x, p.y);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(QPen(QColor(m_markerPen.red, m_markerPen.green, m_markerPen.blue),
                                std::max(1, m_markerPen.width)));
            if (m_markerPen.xorMode)
                painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            painter.drawPolyline(polygon);
            m_markerPainted = true;
        }
    }
}

void DrawingView::showMarker(const MarkerPen &pen, const std::vector<ScreenPoint> &points)
{
    m_markerPen = pen;
    m_marker = points;
    m_markerPainted = false;
    update();
}

void DrawingView::resizeEvent(QResizeEvent *)
{
    if (m_hasView)
        publishViewSize();
}

// --- Mouse and keys ---

void DrawingView::mousePressEvent(QMouseEvent *event)
{
    setFocus();
    if (event->button() == Qt::MiddleButton) {
        m_panFrom = event->position().toPoint();
    } else if (event->button() == Qt::LeftButton && m_pick) {
        m_dragStart = event->position().toPoint();
        m_dragEnd = *m_dragStart;
    } else if (event->button() == Qt::RightButton && m_pick) {
        finishPick(false);
    }
}

void DrawingView::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (m_panFrom) {
        const QPoint delta = at - *m_panFrom;
        m_center -= QPointF(delta.x() / m_scale, -delta.y() / m_scale);
        m_panFrom = at;
        publishViewSize();
        update();
    } else if (m_dragStart) {
        m_dragEnd = at;
        update();
    }
}

void DrawingView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton) {
        m_panFrom.reset();
        return;
    }
    if (event->button() != Qt::LeftButton || !m_dragStart || !m_pick)
        return;
    const QPoint start = *m_dragStart;
    const QPoint end = event->position().toPoint();
    m_dragStart.reset();
    const bool remove = event->modifiers() & Qt::ShiftModifier;
    if ((end - start).manhattanLength() < ClickTolerancePixels || m_pick->request.kind == PickRequest::SubEntity)
        clickAt(event->position(), remove);
    else
        dragOver(QRect(start, end).normalized(), end.x() < start.x(), remove);
    update();
}

void DrawingView::wheelEvent(QWheelEvent *event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0)
        return;
    // Zoom about the cursor: the drawing point under it stays there.
    const QPointF anchor = toDrawing(event->position());
    m_scale *= std::pow(WheelZoomStep, steps);
    const QPointF moved = toDrawing(event->position());
    m_center += anchor - moved;
    m_hasView = true;
    publishViewSize();
    update();
}

void DrawingView::keyPressEvent(QKeyEvent *event)
{
    if (m_pick) {
        switch (event->key()) {
        case Qt::Key_Escape:
            finishPick(true);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            finishPick(false);
            return;
        default:
            break;
        }
    }
    QWidget::keyPressEvent(event);
}

// --- Picking ---

// The entities a pick may take, drawn last first (the one on top wins). A
// sub-entity pick reaches an attribute before its block reference.
std::vector<Handle> DrawingView::candidates() const
{
    const MemoryDrawing &drawing = *m_document.drawing();
    std::vector<Handle> result;
    const std::vector<Handle> order = drawing.drawingOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const MemoryEntity &entity = *drawing.entity(*it);
        if (m_pick->request.kind == PickRequest::SubEntity) {
            for (Handle a : entity.attributes) {
                const MemoryEntity *attribute = drawing.entity(a);
                if (attribute && (!m_pick->request.accepts || m_pick->request.accepts(*attribute)))
                    result.push_back(a);
            }
        }
        if (!m_pick->request.accepts || m_pick->request.accepts(entity))
            result.push_back(*it);
    }
    return result;
}

Handle DrawingView::entityAt(const QPointF &screenPoint) const
{
    const QPointF p = toDrawing(screenPoint);
    const double tolerance = PickAperturePixels / m_scale;
    for (Handle h : candidates()) {
        if (shapeOf(h).isNear(p, tolerance))
            return h;
    }
    return 0;
}

void DrawingView::clickAt(const QPointF &screenPoint, bool remove)
{
    const Handle h = entityAt(screenPoint);
    if (m_pick->request.kind == PickRequest::SubEntity) {
        if (h != 0) {
            m_picked = {h};
            const QPointF p = toDrawing(screenPoint);
            finishPick(false, Point{p.x(), p.y(), 0});
        }
        return;
    }
    if (h == 0)
        return;
    const auto it = std::find(m_picked.begin(), m_picked.end(), h);
    if (remove && it != m_picked.end())
        m_picked.erase(it);
    else if (!remove && it == m_picked.end())
        m_picked.push_back(h);
}

void DrawingView::dragOver(const QRect &screenRect, bool crossing, bool remove)
{
    const QRectF window = QRectF(toDrawing(screenRect.bottomLeft()), toDrawing(screenRect.topRight())).normalized();
    std::vector<Handle> found = candidates();
    std::reverse(found.begin(), found.end()); // drawing order
    for (Handle h : found) {
        const EntityShape &shape = shapeOf(h);
        if (!(crossing ? shape.crosses(window) : shape.isInside(window)))
            continue;
        const auto it = std::find(m_picked.begin(), m_picked.end(), h);
        if (remove && it != m_picked.end())
            m_picked.erase(it);
        else if (!remove && it == m_picked.end())
            m_picked.push_back(h);
    }
}

QString DrawingView::prompt() const
{
    if (!m_pick)
        return QString();
    QString text = cad::remote::toQString(m_pick->request.prompt);
    if (text.isEmpty()) {
        text = m_pick->request.kind == PickRequest::SubEntity
            ? QStringLiteral("オブジェクトを選択:")
            : QStringLiteral("オブジェクトを選択 (Enter で確定、Esc で中止):");
    }
    return text;
}

void DrawingView::beginPick(const PickRequest &request, Done done)
{
    m_pick = Pick{request, std::move(done)};
    m_picked.clear();
    m_dragStart.reset();
    setCursor(Qt::CrossCursor);
    emit promptChanged(prompt());
    update();
}

void DrawingView::cancelPick()
{
    m_pick.reset();
    m_picked.clear();
    m_dragStart.reset();
    unsetCursor();
    emit promptChanged(QString());
    update();
}

void DrawingView::finishPick(bool cancelled, Point point)
{
    if (!m_pick)
        return;
    PickResult result;
    result.cancelled = cancelled;
    if (!cancelled)
        result.handles = m_picked;
    result.point = point;
    const Done done = std::move(m_pick->done);
    cancelPick();
    if (done)
        done(result);
}

} // namespace standin
