#pragma once
// One record behind an editor line of the first tab: a TEXT entity, or an
// attribute of a block reference.

#include "cad/point.h"

#include <QString>

#include <cstdint>
#include <vector>

struct Morv
{
    QString sHnd;        // handle of the entity; empty for a record without entity
    QString text;        // the entity's string at acquisition
    cad::Point insPt;    // TEXT: TextAlignmentPoint unless left aligned, else InsertionPoint;
                         // attribute: the InsertionPoint of its block reference
    int txtAli = 0;      // Alignment, 0 = left
    QString lay;         // layer of the TEXT, or of the attribute's block reference
    int index = 0;       // position in acquisition order
    QString parentType;  // "INSERT" for an attribute
    QString parentHnd;   // handle of the attribute's block reference
    int64_t parentId = 0;
    QString parentName;
    bool locked = false;
    // False for a place the write-back added for a data line beyond the
    // records: it has no point until a run places it after its predecessor.
    bool hasPoint = true;

    bool isAttribute() const { return parentType == QLatin1String("INSERT"); }
};

using MorvList = std::vector<Morv>;
