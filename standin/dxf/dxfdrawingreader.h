#ifndef DXFDRAWINGREADER_H
#define DXFDRAWINGREADER_H

#include "dxfdrawing.h"

#include <QByteArray>
#include <QList>
#include <QSet>

class DxfFile;
class DxfObject;

// Builds the typed view of a DXF file: header, layers, block definitions and
// the entities of model space and paper space. Entities the CAD model does
// not use (POINT, HATCH, DIMENSION, ...) are left out of the view; they stay
// in the file untouched.
class DxfDrawingReader
{
public:
    explicit DxfDrawingReader(const DxfFile &file);

    DxfDrawing read();
    // One entity (with its ATTRIBs or VERTEXes) at objects[index] of the
    // section `sectionIndex`, as read() would show it.
    DxfEntity readOne(qsizetype sectionIndex, qsizetype index);

private:
    void readTables(DxfDrawing *drawing);
    void readBlocks(const QList<DxfObject> &objects, DxfDrawing *drawing) const;
    // Reads the entities of objects [first, end) into `entities`.
    void readEntities(const QList<DxfObject> &objects, qsizetype first, qsizetype end,
                      bool layout, QList<DxfEntity> *entities) const;
    // Reads one entity and its ATTRIBs or VERTEXes; returns the index after it.
    qsizetype readEntity(const QList<DxfObject> &objects, qsizetype index, bool layout,
                         QList<DxfEntity> *entities) const;

    DxfText readText(const DxfObject &object) const;
    DxfAttribute readAttribute(const DxfObject &object) const;
    DxfMText readMText(const DxfObject &object) const;
    DxfPolyline readLwPolyline(const DxfObject &object) const;
    QString handleOf(const DxfObject &object) const;
    QString layerOf(const DxfObject &object) const;
    QString string(const DxfObject &object, int code, const QString &absent = QString()) const;

    const DxfFile &m_file;
    QSet<QByteArray> m_paperSpaceOwners;   // handles of the paper space block records
};

#endif // DXFDRAWINGREADER_H
