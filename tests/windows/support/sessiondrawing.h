#pragma once
// The drawing the test CAD opens: a small Japanese panel with texts on an
// unlocked and a locked layer, and two blocks with attributes. Both ends of
// a cross-process test build it alike, so that a command run through COM
// can be compared with the same command run directly.

#include "cad/memory/memorydrawing.h"

namespace cad::com::test {

struct SessionDrawing
{
    std::shared_ptr<MemoryDrawing> drawing;
    Handle motorText, pumpText, numberText, titleText; // TEXT; titleText on the locked layer
    Handle motorBlock, pumpBlock;                      // INSERT with NAME and SPEC
};

SessionDrawing makeSessionDrawing();

} // namespace cad::com::test
