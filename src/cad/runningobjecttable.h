#pragma once
// Which CAD application is running under an automation ProgID, and the
// attachment to it. On Windows this is COM's class lookup and running
// object table; elsewhere the stand-in CAD's socket directory; in tests the
// in-memory drawing registers itself here.

#include "dispatchobject.h"

#include <string>

namespace cad {

class RunningObjectTable
{
public:
    virtual ~RunningObjectTable() = default;

    // Whether an application object is active under the ProgID. Throws
    // CadError when no class is registered for the ProgID at all.
    virtual bool isRunning(const std::u16string &progId) = 0;
    // The running application object; throws CadError when there is none.
    virtual ObjectRef getActiveObject(const std::u16string &progId) = 0;
};

} // namespace cad
