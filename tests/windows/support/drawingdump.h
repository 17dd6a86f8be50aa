#pragma once
// The state of an in-memory drawing as one text, to compare a command run
// through COM (in this process or in the server's) with the same command
// run directly on the drawing.

#include "cad/memory/memorydrawing.h"

#include <string>

namespace cad::com::test {

std::u16string drawingDump(const MemoryDrawing &drawing);

} // namespace cad::com::test
