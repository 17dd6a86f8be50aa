#pragma once
// In-memory drawings registered as running CADs through COM itself: each
// drawing's application object is served by a DispatchAdapter registered in
// the running object table under its ProgID, and the tool finds and
// reaches it through the product's ComRunningObjectTable, so every call of
// a test crosses COM (in this process). The same calls as the memory
// running-object table, so the tests written for it run through COM too.

#include "activeobjectregistration.h"
#include "dispatchadapter.h"

#include "cad/com/comapartment.h"
#include "cad/com/comrunningobjecttable.h"
#include "cad/memory/memorydrawing.h"

#include <map>
#include <memory>

namespace cad::com::test {

class ComTestRunningObjectTable : public RunningObjectTable
{
public:
    ComTestRunningObjectTable();
    ~ComTestRunningObjectTable() override;

    // The class is known (installed) but nothing runs under it yet.
    void registerClass(const std::u16string &progId);
    // The drawing's application runs under the ProgID (registers the class too).
    void registerRunning(const std::u16string &progId, std::shared_ptr<MemoryDrawing> drawing);
    // The CAD application ends; its class stays registered.
    void revoke(const std::u16string &progId);

    bool isRunning(const std::u16string &progId) override;
    ObjectRef getActiveObject(const std::u16string &progId) override;

    const std::shared_ptr<ServerState> &serverState() const { return m_state; }

private:
    // A test names ProgIDs as the tool would ("BricscadApp.AcadApplication");
    // in the registry of this machine each gets a name of this run's own.
    std::u16string registeredName(const std::u16string &progId) const;

    ComApartment m_apartment; // COM on this thread for as long as the table lives
    std::shared_ptr<ServerState> m_state = std::make_shared<ServerState>();
    std::map<std::u16string, std::unique_ptr<ActiveObjectRegistration>> m_registrations;
    ComRunningObjectTable m_com;
};

} // namespace cad::com::test
