#include "dxfdrawingreader.h"

#include "dxffile.h"

#include <cmath>
#include <numbers>

namespace {

double number(const DxfObject &object, int code, double absent = 0)
{
    const DxfGroup *group = object.find(code);
    return group ? group->toDouble() : absent;
}

int integer(const DxfObject &object, int code, int absent = 0)
{
    const DxfGroup *group = object.find(code);
    return group ? group->toInt() : absent;
}

DxfPoint point(const DxfObject &object, int xCode)
{
    return {number(object, xCode), number(object, xCode + 10), number(object, xCode + 20)};
}

bool startsWithNoCase(const QString &text, QLatin1String prefix)
{
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

} // namespace

DxfDrawingReader::DxfDrawingReader(const DxfFile &file) : m_file(file) {}

DxfDrawing DxfDrawingReader::read()
{
    DxfDrawing drawing;
    drawing.header.acadVersion = QString::fromLatin1(m_file.acadVersion());
    drawing.header.codePage = QString::fromLatin1(m_file.codePage());
    drawing.header.handleSeed = QString::fromLatin1(m_file.headerValue("$HANDSEED")).toUpper();

    readTables(&drawing);
    for (const DxfSection &section : m_file.sections()) {
        if (section.name == "BLOCKS")
            readBlocks(section.objects, &drawing);
        else if (section.name == "ENTITIES")
            readEntities(section.objects, 1, section.objects.size(), true, &drawing.entities);
    }
    return drawing;
}

DxfEntity DxfDrawingReader::readOne(qsizetype sectionIndex, qsizetype index)
{
    DxfDrawing tablesOnly;
    readTables(&tablesOnly);
    const DxfSection &section = m_file.sections().at(sectionIndex);
    const bool layout = section.name == "ENTITIES";
    QList<DxfEntity> entities;
    readEntity(section.objects, index, layout, &entities);
    if (entities.isEmpty())
        return {};
    DxfEntity entity = entities.front();
    if (!layout) {
        // In a block definition: paper space when the block is a paper space layout.
        for (qsizetype i = index; i >= 0; --i) {
            if (section.objects.at(i).type() == "BLOCK") {
                if (startsWithNoCase(string(section.objects.at(i), 2), QLatin1String("*Paper_Space")))
                    entity.space = DxfSpace::Paper;
                break;
            }
        }
    }
    return entity;
}

void DxfDrawingReader::readTables(DxfDrawing *drawing)
{
    m_paperSpaceOwners.clear();
    for (const DxfSection &section : m_file.sections()) {
        if (section.name != "TABLES")
            continue;
        for (const DxfObject &object : section.objects) {
            const QByteArray type = object.type();
            if (type == "LAYER") {
                DxfLayer layer;
                layer.handle = handleOf(object);
                layer.name = string(object, 2);
                layer.locked = (integer(object, 70) & 4) != 0;
                layer.color = std::abs(integer(object, 62, 7));
                drawing->layers.append(layer);
            } else if (type == "BLOCK_RECORD") {
                if (startsWithNoCase(string(object, 2), QLatin1String("*Paper_Space")))
                    m_paperSpaceOwners.insert(handleOf(object).toLatin1());
            }
        }
    }
}

void DxfDrawingReader::readBlocks(const QList<DxfObject> &objects, DxfDrawing *drawing) const
{
    for (qsizetype i = 0; i < objects.size(); ++i) {
        const DxfObject &begin = objects.at(i);
        if (begin.type() != "BLOCK")
            continue;
        qsizetype end = i + 1;
        while (end < objects.size() && objects.at(end).type() != "ENDBLK"
               && objects.at(end).type() != "BLOCK")
            ++end;

        DxfBlock block;
        block.handle = handleOf(begin);
        block.name = string(begin, 2);
        block.basePoint = point(begin, 10);
        // The layout blocks hold the entities of model space and of the
        // paper space layouts that are not active.
        if (startsWithNoCase(block.name, QLatin1String("*Model_Space"))
            || startsWithNoCase(block.name, QLatin1String("*Paper_Space"))) {
            QList<DxfEntity> entities;
            readEntities(objects, i + 1, end, false, &entities);
            const bool paper = startsWithNoCase(block.name, QLatin1String("*Paper_Space"));
            for (DxfEntity &entity : entities)
                entity.space = paper ? DxfSpace::Paper : DxfSpace::Model;
            drawing->entities += entities;
        } else {
            readEntities(objects, i + 1, end, false, &block.entities);
            drawing->blocks.append(block);
        }
        // Past ENDBLK; a BLOCK that follows without one starts the next round.
        i = end < objects.size() && objects.at(end).type() == "BLOCK" ? end - 1 : end;
    }
}

void DxfDrawingReader::readEntities(const QList<DxfObject> &objects, qsizetype first,
                                    qsizetype end, bool layout, QList<DxfEntity> *entities) const
{
    for (qsizetype i = first; i < end;)
        i = readEntity(objects, i, layout, entities);
}

qsizetype DxfDrawingReader::readEntity(const QList<DxfObject> &objects, qsizetype index,
                                       bool layout, QList<DxfEntity> *entities) const
{
    const DxfObject &object = objects.at(index);
    const QByteArray type = object.type();
    DxfEntity entity;
    entity.type = QString::fromLatin1(type);
    entity.handle = handleOf(object);
    entity.layer = layerOf(object);
    if (layout) {
        const DxfGroup *owner = object.find(330);
        const bool paper = integer(object, 67) == 1
                || (owner && m_paperSpaceOwners.contains(owner->trimmedValue().toUpper()));
        entity.space = paper ? DxfSpace::Paper : DxfSpace::Model;
    }

    qsizetype next = index + 1;
    if (type == "TEXT") {
        entity.data = readText(object);
    } else if (type == "ATTDEF") {
        DxfAttributeDefinition definition;
        definition.tag = string(object, 2);
        definition.prompt = string(object, 3);
        definition.text = readText(object);
        entity.data = definition;
    } else if (type == "INSERT") {
        DxfInsert insert;
        insert.blockName = string(object, 2);
        insert.insertionPoint = point(object, 10);
        insert.xScale = number(object, 41, 1);
        insert.yScale = number(object, 42, 1);
        insert.zScale = number(object, 43, 1);
        insert.rotation = number(object, 50);
        if (integer(object, 66) == 1) {
            while (next < objects.size() && objects.at(next).type() == "ATTRIB")
                insert.attributes.append(readAttribute(objects.at(next++)));
            if (next < objects.size() && objects.at(next).type() == "SEQEND")
                ++next;
        }
        entity.data = insert;
    } else if (type == "LINE") {
        entity.data = DxfLine{point(object, 10), point(object, 11)};
    } else if (type == "LWPOLYLINE") {
        entity.data = readLwPolyline(object);
    } else if (type == "POLYLINE") {
        DxfPolyline polyline;
        polyline.closed = (integer(object, 70) & 1) != 0;
        while (next < objects.size() && objects.at(next).type() == "VERTEX") {
            const DxfObject &vertex = objects.at(next++);
            polyline.vertices.append({point(vertex, 10), number(vertex, 42)});
        }
        if (next < objects.size() && objects.at(next).type() == "SEQEND")
            ++next;
        entity.data = polyline;
    } else if (type == "CIRCLE") {
        entity.data = DxfCircle{point(object, 10), number(object, 40)};
    } else if (type == "ARC") {
        entity.data = DxfArc{point(object, 10), number(object, 40), number(object, 50),
                             number(object, 51)};
    } else if (type == "MTEXT") {
        entity.data = readMText(object);
    } else {
        return next;    // not part of the view
    }
    entities->append(entity);
    return next;
}

DxfText DxfDrawingReader::readText(const DxfObject &object) const
{
    DxfText text;
    text.string = string(object, 1);
    text.height = number(object, 40);
    text.rotation = number(object, 50);
    text.widthFactor = number(object, 41, 1);
    text.oblique = number(object, 51);
    text.style = string(object, 7, QStringLiteral("STANDARD"));
    text.insertionPoint = point(object, 10);
    text.alignmentPoint = object.find(11) ? point(object, 11) : text.insertionPoint;
    const int verticalCode = object.type() == "TEXT" ? 73 : 74;
    text.alignment = alignmentFromJustification({integer(object, 72), integer(object, verticalCode)});
    return text;
}

DxfAttribute DxfDrawingReader::readAttribute(const DxfObject &object) const
{
    DxfAttribute attribute;
    attribute.handle = handleOf(object);
    attribute.layer = layerOf(object);
    attribute.tag = string(object, 2);
    attribute.text = readText(object);
    return attribute;
}

DxfMText DxfDrawingReader::readMText(const DxfObject &object) const
{
    DxfMText mtext;
    // The text comes in 250-character pieces: groups 3, then a final 1.
    const qsizetype end = object.dataEnd();
    for (qsizetype i = 1; i < end; ++i) {
        const DxfGroup &group = object.groups.at(i);
        if (group.code == 3 || group.code == 1)
            mtext.text += m_file.decode(group);
    }
    mtext.insertionPoint = point(object, 10);
    mtext.height = number(object, 40);
    mtext.width = number(object, 41);
    mtext.attachment = integer(object, 71, 1);
    if (object.find(50)) {
        mtext.rotation = number(object, 50);
    } else if (object.find(11)) {
        // A direction vector instead of an angle.
        mtext.rotation = std::atan2(number(object, 21), number(object, 11)) * 180 / std::numbers::pi;
    }
    return mtext;
}

DxfPolyline DxfDrawingReader::readLwPolyline(const DxfObject &object) const
{
    DxfPolyline polyline;
    polyline.closed = (integer(object, 70) & 1) != 0;
    const double elevation = number(object, 38);
    const qsizetype end = object.dataEnd();
    for (qsizetype i = 1; i < end; ++i) {
        const DxfGroup &group = object.groups.at(i);
        if (group.code == 10)
            polyline.vertices.append({{group.toDouble(), 0, elevation}, 0});
        else if (group.code == 20 && !polyline.vertices.isEmpty())
            polyline.vertices.last().point.y = group.toDouble();
        else if (group.code == 42 && !polyline.vertices.isEmpty())
            polyline.vertices.last().bulge = group.toDouble();
    }
    return polyline;
}

QString DxfDrawingReader::handleOf(const DxfObject &object) const
{
    const DxfGroup *group = object.find(object.type() == "DIMSTYLE" ? 105 : 5);
    return group ? QString::fromLatin1(group->trimmedValue()).toUpper() : QString();
}

QString DxfDrawingReader::layerOf(const DxfObject &object) const
{
    return string(object, 8, QStringLiteral("0"));
}

QString DxfDrawingReader::string(const DxfObject &object, int code, const QString &absent) const
{
    const DxfGroup *group = object.find(code);
    return group ? m_file.decode(*group) : absent;
}
