#pragma once
// The dispatch objects through which the in-memory drawing answers the
// automation model's members, as a CAD's IDispatch objects do.

#include "cad/dispatchobject.h"

#include <memory>

namespace cad {

class MemoryDrawing;

ObjectRef makeApplicationObject(std::shared_ptr<MemoryDrawing> drawing);

} // namespace cad
