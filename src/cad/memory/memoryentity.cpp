#include "memoryentity.h"

namespace cad {

std::u16string entityClassName(const MemoryEntity &entity)
{
    switch (entity.kind) {
    case EntityKind::Text: return u"AcDbText";
    case EntityKind::BlockReference: return u"AcDbBlockReference";
    case EntityKind::Attribute: return u"AcDbAttribute";
    case EntityKind::AttributeDefinition: return u"AcDbAttributeDefinition";
    case EntityKind::Other: break;
    }
    if (entity.dxfType == u"MTEXT")
        return u"AcDbMText";
    if (entity.dxfType == u"LWPOLYLINE")
        return u"AcDbPolyline";
    if (entity.dxfType == u"POLYLINE")
        return u"AcDb2dPolyline";
    // LINE → AcDbLine, CIRCLE → AcDbCircle …
    std::u16string name = u"AcDb";
    for (size_t i = 0; i < entity.dxfType.size(); ++i) {
        const char16_t c = entity.dxfType[i];
        name += (i == 0 || c < u'A' || c > u'Z') ? c : char16_t(c - u'A' + u'a');
    }
    return name;
}

std::u16string handleToString(Handle handle)
{
    static const char16_t digits[] = u"0123456789ABCDEF";
    std::u16string text;
    do {
        text.insert(text.begin(), digits[handle & 0xF]);
        handle >>= 4;
    } while (handle);
    return text;
}

Handle handleFromString(const std::u16string &text)
{
    if (text.empty() || text.size() > 16)
        return 0;
    Handle h = 0;
    for (char16_t c : text) {
        int d;
        if (c >= u'0' && c <= u'9')
            d = c - u'0';
        else if (c >= u'A' && c <= u'F')
            d = c - u'A' + 10;
        else if (c >= u'a' && c <= u'f')
            d = c - u'a' + 10;
        else
            return 0;
        h = (h << 4) | Handle(d);
    }
    return h;
}

} // namespace cad
