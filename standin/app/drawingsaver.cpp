#include "drawingsaver.h"

#include "dxfentityextension.h"

#include "dxf/dxferror.h"

#include "cad/remote/variantcodec.h"

namespace standin {

using namespace cad;
using cad::remote::toQString;

namespace {

bool isTextual(const MemoryEntity &entity)
{
    return entity.kind == EntityKind::Text || entity.kind == EntityKind::Attribute
        || entity.kind == EntityKind::AttributeDefinition;
}

// The entity of the file this one is (as read) or was copied from.
Handle originOf(const MemoryEntity &entity, const LoadedDrawing &loaded)
{
    if (loaded.asRead.count(entity.handle))
        return entity.handle;
    const DxfEntityExtension *extension = dxfExtension(entity);
    return extension ? extension->origin : 0;
}

void copyNewEntities(const MemoryDrawing &drawing, const LoadedDrawing &loaded, DxfFile &file,
                     QStringList &notes)
{
    // Highest handle first: the file then moves its seed past every handle
    // of the drawing before it hands out any for a copy's SEQEND or VERTEX.
    const auto &entities = drawing.entities();
    for (auto it = entities.rbegin(); it != entities.rend(); ++it) {
        const MemoryEntity &entity = it->second;
        if (entity.kind == EntityKind::Attribute || loaded.asRead.count(entity.handle))
            continue;
        const Handle origin = originOf(entity, loaded);
        if (origin == 0 || !loaded.asRead.count(origin)) {
            notes << QStringLiteral("%1 %2 has no model in the file and is not saved")
                         .arg(toQString(entity.dxfType), toDxfHandle(entity.handle));
            continue;
        }
        QStringList handles{toDxfHandle(entity.handle)};
        for (Handle attribute : entity.attributes)
            handles << toDxfHandle(attribute);
        file.copyEntity(toDxfHandle(origin), handles);
    }
}

void applyEdits(const MemoryEntity &entity, const MemoryEntity &before, DxfFile &file, QStringList &notes)
{
    const QString handle = toDxfHandle(entity.handle);
    if (isTextual(entity)) {
        if (entity.text != before.text) {
            try {
                file.setString(handle, toQString(entity.text));
            } catch (const DxfError &e) {
                // A string the file's encoding cannot keep: left as read.
                notes << QStringLiteral("the new string of %1 %2 is not saved: %3")
                             .arg(toQString(entity.dxfType), handle, e.message());
            }
        }
        if (entity.alignment != before.alignment)
            file.setAlignment(handle, DxfAlignment(entity.alignment));
        if (entity.insertionPoint != before.insertionPoint)
            file.setInsertionPoint(handle, toDxfPoint(entity.insertionPoint));
        // A left-aligned text has no alignment point of its own.
        if (entity.alignment != 0 && (entity.alignmentPoint != before.alignmentPoint
                                      || entity.alignment != before.alignment))
            file.setAlignmentPoint(handle, toDxfPoint(entity.alignmentPoint));
    } else if (entity.kind == EntityKind::BlockReference) {
        if (entity.insertionPoint != before.insertionPoint)
            file.setInsertionPoint(handle, toDxfPoint(entity.insertionPoint));
    } else if (entity.text != before.text) {
        notes << QStringLiteral("the new string of %1 %2 is not saved").arg(toQString(entity.dxfType), handle);
    }
    if (entity.height != before.height || entity.rotation != before.rotation)
        notes << QStringLiteral("the new height or rotation of %1 %2 is not saved")
                     .arg(toQString(entity.dxfType), handle);
}

} // namespace

QStringList DrawingSaver::apply(const MemoryDrawing &drawing, const LoadedDrawing &loaded, DxfFile &file)
{
    QStringList notes;
    copyNewEntities(drawing, loaded, file, notes);
    for (const auto &[handle, entity] : drawing.entities()) {
        const auto before = loaded.asRead.find(originOf(entity, loaded));
        if (before != loaded.asRead.end() && file.object(toDxfHandle(handle)))
            applyEdits(entity, before->second, file, notes);
    }
    // Last, so that copies of removed entities found their model.
    for (const auto &[handle, before] : loaded.asRead) {
        if (before.kind != EntityKind::Attribute && !drawing.entity(handle))
            file.removeEntity(toDxfHandle(handle));
    }
    return notes;
}

} // namespace standin
