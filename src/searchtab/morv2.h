#pragma once
// One record behind a row of the search grid: a TEXT entity found by the
// search, or with "属性" an attribute of a block reference.

#include "cad/point.h"

#include <QString>

#include <vector>

struct Morv2
{
    QString sHnd;       // handle of the entity, the key to reach it again
    QString text;       // its string as last read from or written to the CAD
    cad::Point insPt;   // its InsertionPoint, whatever its alignment
    QString lay;        // its layer
    int index = 0;      // position in the selection set when it was read
    bool locked = false; // its layer was locked at the search: never written back
    bool attribute = false; // an attribute of a block reference ("属性"), not a TEXT
    QString tag;         // an attribute's tag; empty for a TEXT
};

using Morv2List = std::vector<Morv2>;
