#pragma once
// Which CAD runs under a ProgID, through COM: the class registered for the
// ProgID (CLSIDFromProgID) and the running object table (GetActiveObject).

#include "cad/runningobjecttable.h"

namespace cad::com {

class ComRunningObjectTable : public RunningObjectTable
{
public:
    // No class registered for the ProgID throws CadError; a class without a
    // running object is simply not running. The object found is released at
    // once.
    bool isRunning(const std::u16string &progId) override;
    // The running application object, through its IDispatch.
    ObjectRef getActiveObject(const std::u16string &progId) override;
};

} // namespace cad::com
