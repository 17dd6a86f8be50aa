#pragma once
// One record behind a row of the search grid: a TEXT entity found by the
// search.

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
};

using Morv2List = std::vector<Morv2>;
