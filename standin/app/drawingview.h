#pragma once
// The drawing on screen: lines, polylines, circles, arcs and texts (in the
// CJK font, in their height, rotation and alignment); pan with the middle
// button, zoom with the wheel, zoom to extents. It answers the tool's picks
// as users pick in a CAD: a click picks one entity, a drag from left to
// right picks what lies inside the window, from right to left what it
// crosses, Shift removes, Enter, Space or the right button ends the pick and
// Escape cancels it. Only entities the request accepts can be picked; they
// show as selected. It also draws the marker of PanToPoint until the next
// repaint.

#include "entityshape.h"
#include "shapebuilder.h"

#include "server/pickhandler.h"

#include "cad/windowsystem.h"

#include <QWidget>

#include <map>
#include <optional>

namespace standin {

class CadDocument;

class DrawingView : public QWidget, public PickHandler
{
    Q_OBJECT

public:
    explicit DrawingView(const CadDocument &document, QWidget *parent = nullptr);

    // The drawing changed: shapes are built anew and the view repaints.
    void refresh();
    void zoomExtents();
    // Centres the view on a drawing point; a positive `viewHeight` also sets
    // the height of the view in drawing units.
    void centerOn(const QPointF &point, double viewHeight = 0);
    QPointF viewCenter() const { return m_center; }
    double pixelsPerUnit() const { return m_scale; }
    QPointF toScreen(const QPointF &drawingPoint) const;
    QPointF toDrawing(const QPointF &screenPoint) const;

    // Picks (PickHandler).
    void beginPick(const cad::PickRequest &request, Done done) override;
    void cancelPick() override;
    bool isPicking() const { return m_pick.has_value(); }
    const std::vector<cad::Handle> &pickedHandles() const { return m_picked; }
    QString prompt() const;

    void showMarker(const cad::MarkerPen &pen, const std::vector<cad::ScreenPoint> &points);
    bool isMarkerShown() const { return !m_marker.empty(); }

    QSize sizeHint() const override { return {900, 640}; }

signals:
    // The status bar's prompt: the pick's, or empty when no pick runs.
    void promptChanged(const QString &prompt);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Pick
    {
        cad::PickRequest request;
        Done done;
    };

    const EntityShape &shapeOf(cad::Handle handle) const;
    std::vector<cad::Handle> candidates() const;
    cad::Handle entityAt(const QPointF &screenPoint) const;
    void clickAt(const QPointF &screenPoint, bool remove);
    void dragOver(const QRect &screenRect, bool crossing, bool remove);
    void finishPick(bool cancelled, cad::Point point = {});
    void publishViewSize();
    void paintShape(QPainter &painter, const EntityShape &shape, const QColor &color) const;

    const CadDocument &m_document;
    ShapeBuilder m_shapes;
    mutable std::map<cad::Handle, EntityShape> m_shapeCache;
    QPointF m_center;
    double m_scale = 1;          // pixels per drawing unit
    bool m_hasView = false;

    std::optional<Pick> m_pick;
    std::vector<cad::Handle> m_picked;
    std::optional<QPoint> m_dragStart;
    QPoint m_dragEnd;
    std::optional<QPoint> m_panFrom;

    cad::MarkerPen m_markerPen;
    std::vector<cad::ScreenPoint> m_marker;
    bool m_markerPainted = false;
};

} // namespace standin
