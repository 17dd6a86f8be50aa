#ifndef DXFDRAWING_H
#define DXFDRAWING_H

#include "dxfalignment.h"

#include <QList>
#include <QString>

#include <variant>

// The typed view of a DXF file: plain values of what the CAD model needs,
// to be copied into the in-memory drawing. Handles are upper-case hex, as
// the automation model shows them; angles are in degrees as in the file.

struct DxfPoint
{
    double x = 0;
    double y = 0;
    double z = 0;
    friend bool operator==(const DxfPoint &, const DxfPoint &) = default;
};

enum class DxfSpace { Model, Paper };

struct DxfHeader
{
    QString acadVersion;     // $ACADVER, "AC1009" .. "AC1032"
    QString codePage;        // $DWGCODEPAGE as written; empty when absent
    QString handleSeed;      // $HANDSEED
};

struct DxfLayer
{
    QString handle;
    QString name;
    bool locked = false;     // group 70 bit 4
    int color = 7;
};

// The string and placement shared by TEXT, ATTRIB and ATTDEF.
struct DxfText
{
    QString string;
    double height = 0;
    double rotation = 0;
    double widthFactor = 1;
    double oblique = 0;
    QString style;
    DxfPoint insertionPoint;   // 10/20/30
    DxfPoint alignmentPoint;   // 11/21/31 (the insertion point when absent)
    DxfAlignment alignment = DxfAlignment::Left;
};

struct DxfAttribute
{
    QString handle;
    QString layer;
    QString tag;
    DxfText text;              // text.string is the value
};

struct DxfAttributeDefinition
{
    QString tag;
    QString prompt;
    DxfText text;              // text.string is the default value
};

struct DxfInsert
{
    QString blockName;
    DxfPoint insertionPoint;
    double xScale = 1;
    double yScale = 1;
    double zScale = 1;
    double rotation = 0;
    QList<DxfAttribute> attributes;
};

struct DxfLine
{
    DxfPoint start;
    DxfPoint end;
};

struct DxfVertex
{
    DxfPoint point;
    double bulge = 0;
};

// LWPOLYLINE and POLYLINE (with its VERTEX objects).
struct DxfPolyline
{
    QList<DxfVertex> vertices;
    bool closed = false;
};

struct DxfCircle
{
    DxfPoint center;
    double radius = 0;
};

struct DxfArc
{
    DxfPoint center;
    double radius = 0;
    double startAngle = 0;
    double endAngle = 0;
};

struct DxfMText
{
    QString text;              // groups 3 and 1 joined, formatting codes kept
    DxfPoint insertionPoint;
    double height = 0;
    double rotation = 0;       // group 50 in degrees
    double width = 0;          // reference rectangle width (41)
    int attachment = 1;        // group 71: 1 top left .. 9 bottom right
};

using DxfEntityData = std::variant<DxfText, DxfInsert, DxfAttributeDefinition, DxfLine,
                                   DxfPolyline, DxfCircle, DxfArc, DxfMText>;

struct DxfEntity
{
    QString type;              // "TEXT", "INSERT", "ATTDEF", "LINE", "LWPOLYLINE", ...
    QString handle;
    QString layer;
    DxfSpace space = DxfSpace::Model;   // for entities of block definitions: Model
    DxfEntityData data;
};

struct DxfBlock
{
    QString handle;
    QString name;
    DxfPoint basePoint;
    QList<DxfEntity> entities;  // ATTDEFs among them
};

struct DxfDrawing
{
    DxfHeader header;
    QList<DxfLayer> layers;
    QList<DxfBlock> blocks;     // block definitions, without the layout blocks
    QList<DxfEntity> entities;  // model space and paper space
};

#endif // DXFDRAWING_H
