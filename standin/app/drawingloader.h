#pragma once
// Fills an in-memory drawing from a DXF file's typed view: layers with their
// lock flag, block definitions (their entities, ATTDEFs among them, are not
// selectable), model- and paper-space TEXT, INSERT with its ATTRIBs,
// stand-alone ATTDEFs, and the display-only LINE, LWPOLYLINE, POLYLINE,
// CIRCLE, ARC and MTEXT as EntityKind::Other. Every entity keeps its DXF
// handle and a DxfEntityExtension with its drawing data.

#include "dxf/dxffile.h"

#include "cad/memory/memorydrawing.h"

#include <map>

namespace standin {

struct LoadedDrawing
{
    // Each entity as read, by handle: what saving compares the drawing with.
    std::map<cad::Handle, cad::MemoryEntity> asRead;
    // Base points of the block definitions, by upper-case block name.
    std::map<QString, DxfPoint> blockBasePoints;
};

class DrawingLoader
{
public:
    // `drawing` must be empty. After loading, the drawing's next handle lies
    // above every handle of the file (tables and objects too), so copies get
    // handles the file does not use.
    static LoadedDrawing load(const DxfFile &file, cad::MemoryDrawing &drawing);
};

// Conversions between the DXF view and the automation model.
cad::Point toCadPoint(const DxfPoint &point);
DxfPoint toDxfPoint(const cad::Point &point);
cad::Handle toCadHandle(const QString &handle);
QString toDxfHandle(cad::Handle handle);

} // namespace standin
