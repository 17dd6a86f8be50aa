#pragma once
// Builds the shapes of a document's entities in drawing coordinates: lines,
// polylines (bulges as arcs), circles, arcs, texts placed by their height,
// rotation and alignment, MTEXT lines, and block references with their
// block's entities (ATTDEFs left out: a reference shows its ATTRIBs) and
// their ATTRIBs. Text widths come from the viewer's CJK font.

#include "entityshape.h"

#include "cad/memory/memoryentity.h"

#include <QFont>
#include <QFontMetricsF>

namespace standin {

class CadDocument;

class ShapeBuilder
{
public:
    explicit ShapeBuilder(const CadDocument &document);

    // The font texts are drawn in, at ReferencePixelSize pixels.
    static QFont textFont();
    static constexpr double ReferencePixelSize = 100;
    // The font's em in units of the height of capitals (DXF text height).
    static constexpr double EmPerTextHeight = 1.35;

    // The entity's shape; empty for an entity that is gone or shows nothing.
    EntityShape shape(cad::Handle handle) const;

private:
    EntityShape shapeOf(const cad::MemoryEntity &entity, int depth) const;
    EntityShape blockShape(const cad::MemoryEntity &insert, int depth) const;
    PlacedText placeText(const cad::MemoryEntity &entity) const;
    QList<PlacedText> placeMText(const cad::MemoryEntity &entity) const;
    PlacedText placed(const QString &text, QPointF origin, double angle, double height, double xScale) const;
    double textWidth(const QString &text, double height) const;

    const CadDocument &m_document;
    QFontMetricsF m_metrics;
};

} // namespace standin
