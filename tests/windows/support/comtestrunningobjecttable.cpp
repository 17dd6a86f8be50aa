#include "comtestrunningobjecttable.h"

#include "cad/com/comptr.h"

#include <string>

namespace cad::com::test {

ComTestRunningObjectTable::ComTestRunningObjectTable() = default;

ComTestRunningObjectTable::~ComTestRunningObjectTable() = default;

std::u16string ComTestRunningObjectTable::registeredName(const std::u16string &progId) const
{
    // Tests of several processes share the machine's registry.
    const std::wstring pid = std::to_wstring(GetCurrentProcessId());
    return progId + u".MorvexTest" + std::u16string(pid.begin(), pid.end());
}

void ComTestRunningObjectTable::registerClass(const std::u16string &progId)
{
    m_registrations[progId] = std::make_unique<ActiveObjectRegistration>(registeredName(progId), nullptr);
}

void ComTestRunningObjectTable::registerRunning(const std::u16string &progId, std::shared_ptr<MemoryDrawing> drawing)
{
    m_registrations.erase(progId);
    ComPtr<IDispatch> application;
    application.Attach(DispatchAdapter::create(drawing->application(), m_state));
    m_registrations[progId] = std::make_unique<ActiveObjectRegistration>(registeredName(progId), application.Get());
}

void ComTestRunningObjectTable::revoke(const std::u16string &progId)
{
    const auto it = m_registrations.find(progId);
    if (it != m_registrations.end())
        it->second->revoke();
}

bool ComTestRunningObjectTable::isRunning(const std::u16string &progId)
{
    return m_com.isRunning(registeredName(progId));
}

ObjectRef ComTestRunningObjectTable::getActiveObject(const std::u16string &progId)
{
    return m_com.getActiveObject(registeredName(progId));
}

} // namespace cad::com::test
