#include "drawingdump.h"

#include "cad/ustring.h"

#include <cstdio>

namespace cad::com::test {

namespace {

std::u16string number(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", v);
    return fromUtf8(text);
}

std::u16string point(const Point &p)
{
    return u"(" + number(p.x) + u"," + number(p.y) + u"," + number(p.z) + u")";
}

} // namespace

std::u16string drawingDump(const MemoryDrawing &drawing)
{
    std::u16string dump;
    for (const auto &[handle, e] : drawing.entities()) {
        dump += handleToString(handle) + u" " + e.dxfType + u" layer=" + e.layer + u" text=[" + e.text
            + u"] align=" + fromUtf8(std::to_string(e.alignment)) + u" at=" + point(e.insertionPoint)
            + u" alignAt=" + point(e.alignmentPoint);
        if (!e.tag.empty())
            dump += u" tag=" + e.tag;
        if (!e.blockName.empty())
            dump += u" block=" + e.blockName;
        if (e.owner != 0)
            dump += u" owner=" + handleToString(e.owner);
        dump += u"\n";
    }
    for (const MemorySelectionSet &set : drawing.selectionSets())
        dump += u"selection set " + set.name + u"\n";
    dump += u"undo steps=" + fromUtf8(std::to_string(drawing.undoStepCount())) + u" open="
        + fromUtf8(std::to_string(drawing.undoDepth())) + u" regen="
        + fromUtf8(std::to_string(drawing.regenCount)) + u" zoom=" + fromUtf8(std::to_string(drawing.zoomCenterCount))
        + u" at " + point(drawing.lastZoomCenter) + u"\n";
    return dump;
}

} // namespace cad::com::test
