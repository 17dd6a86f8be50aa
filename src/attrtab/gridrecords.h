#pragma once
// The records behind the attribute grid: one nBlk per block reference taken
// (grid row r + 1 shows record r at acquisition) and one nAtt per attribute
// shown in a cell. A cell reaches its attribute through its object slot: the
// 1-based position of the nAtt record, 0 for a cell without attribute.

#include "cad/point.h"

#include <QString>

#include <vector>

struct nBlk
{
    QString sHnd;      // Handle of the block reference
    cad::Point insPt;  // its InsertionPoint
    QString lay;       // its Layer
    int index = 0;
    QString blkName;   // its block name
};

struct nAtt
{
    QString sHnd;      // Handle of the attribute
    QString text;      // its text as last read from or written to the drawing
    cad::Point insPt;  // its InsertionPoint, for centring the view
    QString lay;       // its Layer
};

using GridBlockList = std::vector<nBlk>;
using GridAttributeList = std::vector<nAtt>;
