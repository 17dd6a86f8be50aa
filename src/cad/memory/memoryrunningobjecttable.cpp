#include "memoryrunningobjecttable.h"

#include "cad/caderror.h"

namespace cad {

void MemoryRunningObjectTable::registerClass(const std::u16string &progId)
{
    m_classes.insert(progId);
}

void MemoryRunningObjectTable::registerRunning(const std::u16string &progId, std::shared_ptr<MemoryDrawing> drawing)
{
    m_classes.insert(progId);
    m_running[progId] = std::move(drawing);
}

void MemoryRunningObjectTable::revoke(const std::u16string &progId)
{
    m_running.erase(progId);
}

bool MemoryRunningObjectTable::isRunning(const std::u16string &progId)
{
    if (!m_classes.count(progId))
        throw CadError(u"Invalid class string: " + progId);
    return m_running.count(progId) > 0;
}

ObjectRef MemoryRunningObjectTable::getActiveObject(const std::u16string &progId)
{
    const auto it = m_running.find(progId);
    if (it == m_running.end())
        throw CadError(u"Operation unavailable: no running object for " + progId);
    return it->second->application();
}

} // namespace cad
