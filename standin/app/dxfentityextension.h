#pragma once
// What the stand-in keeps per entity of the in-memory drawing beyond the
// automation model: the handle of the entity of the file it was read as (a
// copy keeps its model's, so saving knows what to copy) and the DXF data the
// viewer draws (geometry, INSERT scales, a text's width factor).

#include "dxf/dxfdrawing.h"

#include "cad/memory/memoryentity.h"

namespace standin {

class DxfEntityExtension : public cad::EntityExtension
{
public:
    DxfEntityExtension(cad::Handle origin, DxfEntityData data)
        : origin(origin)
        , data(std::move(data))
    {
    }

    std::shared_ptr<cad::EntityExtension> clone() const override
    {
        return std::make_shared<DxfEntityExtension>(*this);
    }

    // The entity of the file as read that this one is, or is a copy of.
    cad::Handle origin = 0;
    DxfEntityData data;
};

// The extension of an entity of a drawing read from DXF, nullptr for others.
inline const DxfEntityExtension *dxfExtension(const cad::MemoryEntity &entity)
{
    return dynamic_cast<const DxfEntityExtension *>(entity.extension.get());
}

} // namespace standin
