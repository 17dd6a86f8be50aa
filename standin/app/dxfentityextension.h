#pragma once
// What the stand-in keeps per entity of the in-memory drawing beyond the
// automation model: the handle of the entity of the file it was read as (a
// copy keeps its model's, so saving knows what to copy), the DXF data the
// viewer draws (geometry, INSERT scales, a text's width factor), and the
// file's encoding, which refuses a string that could not be saved as given.

#include "dxf/dxfcodec.h"
#include "dxf/dxfdrawing.h"
#include "dxf/dxferror.h"

#include "cad/caderror.h"
#include "cad/memory/memoryentity.h"
#include "cad/remote/variantcodec.h"

namespace standin {

class DxfEntityExtension : public cad::EntityExtension
{
public:
    DxfEntityExtension(cad::Handle origin, DxfEntityData data, std::shared_ptr<const DxfCodec> codec)
        : origin(origin)
        , data(std::move(data))
        , codec(std::move(codec))
    {
    }

    std::shared_ptr<cad::EntityExtension> clone() const override
    {
        return std::make_shared<DxfEntityExtension>(*this);
    }

    // Only a string with bytes the code page leaves undefined can fail.
    void checkText(const std::u16string &text) const override
    {
        if (!codec || std::none_of(text.begin(), text.end(), [](char16_t c) { return DxfCodec::isUndefinedByte(QChar(c)); }))
            return;
        try {
            codec->encode(cad::remote::toQString(text));
        } catch (const DxfError &e) {
            throw cad::CadError(u"The string cannot be saved: " + cad::remote::fromQString(e.message()));
        }
    }

    // The entity of the file as read that this one is, or is a copy of.
    cad::Handle origin = 0;
    DxfEntityData data;
    std::shared_ptr<const DxfCodec> codec;   // the encoding of the file
};

// The extension of an entity of a drawing read from DXF, nullptr for others.
inline const DxfEntityExtension *dxfExtension(const cad::MemoryEntity &entity)
{
    return dynamic_cast<const DxfEntityExtension *>(entity.extension.get());
}

} // namespace standin
