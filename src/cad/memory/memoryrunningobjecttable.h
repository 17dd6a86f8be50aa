#pragma once
// A running-object table for tests: in-memory drawings registered under
// ProgIDs, as a CAD registers its application object when it starts.

#include "memorydrawing.h"

#include "cad/runningobjecttable.h"

#include <map>
#include <set>

namespace cad {

class MemoryRunningObjectTable : public RunningObjectTable
{
public:
    // The class is known (installed) but nothing runs under it yet.
    void registerClass(const std::u16string &progId);
    // The drawing's application runs under the ProgID (registers the class too).
    void registerRunning(const std::u16string &progId, std::shared_ptr<MemoryDrawing> drawing);
    // The CAD application ends; its class stays registered.
    void revoke(const std::u16string &progId);

    bool isRunning(const std::u16string &progId) override;
    ObjectRef getActiveObject(const std::u16string &progId) override;

private:
    std::set<std::u16string> m_classes;
    std::map<std::u16string, std::shared_ptr<MemoryDrawing>> m_running;
};

} // namespace cad
