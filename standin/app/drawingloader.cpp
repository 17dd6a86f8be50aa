#include "drawingloader.h"

#include "dxfentityextension.h"

#include "cad/remote/variantcodec.h"

#include <numbers>

namespace standin {

using namespace cad;
using cad::remote::fromQString;

Point toCadPoint(const DxfPoint &point)
{
    return Point{point.x, point.y, point.z};
}

DxfPoint toDxfPoint(const Point &point)
{
    return DxfPoint{point.x, point.y, point.z};
}

Handle toCadHandle(const QString &handle)
{
    return handleFromString(fromQString(handle));
}

QString toDxfHandle(Handle handle)
{
    return QString::number(handle, 16).toUpper();
}

namespace {

// The automation model gives angles in radians; DXF keeps degrees.
double radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

void setText(MemoryEntity &entity, const DxfText &text)
{
    entity.text = fromQString(text.string);
    entity.alignment = int(text.alignment);
    entity.insertionPoint = toCadPoint(text.insertionPoint);
    entity.alignmentPoint = toCadPoint(text.alignmentPoint);
    entity.height = text.height;
    entity.rotation = radians(text.rotation);
}

using Codec = std::shared_ptr<const DxfCodec>;

// The memory entity of one DXF entity (an INSERT's ATTRIBs are added apart).
MemoryEntity toMemoryEntity(const DxfEntity &source, const std::u16string &ownerBlock, const Codec &codec)
{
    MemoryEntity entity;
    entity.handle = toCadHandle(source.handle);
    entity.dxfType = fromQString(source.type);
    entity.layer = fromQString(source.layer);
    entity.paperSpace = source.space == DxfSpace::Paper;
    entity.ownerBlock = ownerBlock;
    entity.extension = std::make_shared<DxfEntityExtension>(entity.handle, source.data, codec);

    if (const auto *text = std::get_if<DxfText>(&source.data)) {
        entity.kind = EntityKind::Text;
        setText(entity, *text);
    } else if (const auto *definition = std::get_if<DxfAttributeDefinition>(&source.data)) {
        entity.kind = EntityKind::AttributeDefinition;
        entity.tag = fromQString(definition->tag);
        entity.prompt = fromQString(definition->prompt);
        setText(entity, definition->text);
    } else if (const auto *insert = std::get_if<DxfInsert>(&source.data)) {
        entity.kind = EntityKind::BlockReference;
        entity.blockName = fromQString(insert->blockName);
        entity.insertionPoint = toCadPoint(insert->insertionPoint);
        entity.rotation = radians(insert->rotation);
    } else if (const auto *mtext = std::get_if<DxfMText>(&source.data)) {
        entity.kind = EntityKind::Other;
        entity.text = fromQString(mtext->text);
        entity.insertionPoint = toCadPoint(mtext->insertionPoint);
        entity.height = mtext->height;
        entity.rotation = radians(mtext->rotation);
    } else {
        entity.kind = EntityKind::Other;
    }
    return entity;
}

MemoryEntity toMemoryAttribute(const DxfAttribute &source, const MemoryEntity &insert, const Codec &codec)
{
    MemoryEntity entity;
    entity.kind = EntityKind::Attribute;
    entity.dxfType = u"ATTRIB";
    entity.handle = toCadHandle(source.handle);
    entity.layer = fromQString(source.layer);
    entity.tag = fromQString(source.tag);
    entity.owner = insert.handle;
    entity.paperSpace = insert.paperSpace;
    entity.ownerBlock = insert.ownerBlock;
    entity.extension = std::make_shared<DxfEntityExtension>(entity.handle, source.text, codec);
    setText(entity, source.text);
    return entity;
}

// Adds the entity (and an INSERT's ATTRIBs) to the drawing and to `asRead`.
void add(const DxfEntity &source, const std::u16string &ownerBlock, const Codec &codec, MemoryDrawing &drawing,
         LoadedDrawing &loaded)
{
    MemoryEntity entity = toMemoryEntity(source, ownerBlock, codec);
    if (entity.handle == 0)
        return; // a handle the file layer could not give: nothing the model can address
    if (const auto *insert = std::get_if<DxfInsert>(&source.data)) {
        for (const DxfAttribute &attribute : insert->attributes) {
            MemoryEntity memoryAttribute = toMemoryAttribute(attribute, entity, codec);
            if (memoryAttribute.handle == 0)
                continue;
            entity.attributes.push_back(memoryAttribute.handle);
            loaded.asRead[memoryAttribute.handle] = memoryAttribute;
            drawing.addEntity(std::move(memoryAttribute));
        }
    }
    loaded.asRead[entity.handle] = entity;
    drawing.addEntity(std::move(entity));
}

} // namespace

LoadedDrawing DrawingLoader::load(const DxfFile &file, MemoryDrawing &drawing)
{
    LoadedDrawing loaded;
    const DxfDrawing view = file.drawing();
    const auto codec = std::make_shared<const DxfCodec>(file.codec());
    for (const DxfLayer &layer : view.layers)
        drawing.addLayer(fromQString(layer.name), layer.locked);
    for (const DxfBlock &block : view.blocks) {
        const std::u16string name = fromQString(block.name);
        drawing.addBlock(name);
        loaded.blockBasePoints[block.name.toUpper()] = block.basePoint;
        for (const DxfEntity &entity : block.entities)
            add(entity, name, codec, drawing, loaded);
    }
    for (const DxfEntity &entity : view.entities)
        add(entity, std::u16string(), codec, drawing, loaded);

    // Tables, block records and dictionaries have handles too.
    drawing.reserveHandlesBelow(file.nextHandle());
    return loaded;
}

} // namespace standin
