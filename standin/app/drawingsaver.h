#pragma once
// Writes what the automation model changed in an in-memory drawing into the
// DXF file it was read from, with the file's own edits, so every group no
// change touches stays as read: entities the drawing gained (copies) are
// copied in the file from the entity they were copied from, with the
// drawing's handles; strings, alignments and points that differ from the
// state as read are set; entities the drawing no longer holds are removed.
// Undo needs no care: what counts is what the drawing holds now.

#include "drawingloader.h"

#include <QStringList>

namespace standin {

class DrawingSaver
{
public:
    // `file` is the file as read (the state `loaded` describes). Returns
    // notes on changes the file cannot take (a changed height or rotation,
    // an MTEXT string, a string its encoding cannot keep); they are left as
    // read.
    static QStringList apply(const cad::MemoryDrawing &drawing, const LoadedDrawing &loaded, DxfFile &file);
};

} // namespace standin
