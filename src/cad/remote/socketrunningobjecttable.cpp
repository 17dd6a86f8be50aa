#include "socketrunningobjecttable.h"

#include "remoteobject.h"
#include "socketdirectory.h"

#include "cad/caderror.h"

#include <QFileInfo>
#include <QLocalSocket>

namespace cad::remote {

SocketRunningObjectTable::SocketRunningObjectTable(ConnectionOptions options)
    : m_options(std::move(options))
{
}

bool SocketRunningObjectTable::isRunning(const std::u16string &progId)
{
    QString path;
    try {
        path = socketPathForProgId(progId);
    } catch (const CadError &) {
        return false; // no usable socket folder: nothing can run here
    }
    if (!QFileInfo::exists(path))
        return false;
    QLocalSocket probe;
    probe.connectToServer(path);
    const bool answers = probe.waitForConnected(int(m_options.connectTimeout.count()));
    probe.abort();
    return answers;
}

ObjectRef SocketRunningObjectTable::getActiveObject(const std::u16string &progId)
{
    const QString path = socketPathForProgId(progId);
    if (!QFileInfo::exists(path))
        throw CadError(CannotConnectMessage);
    ObjectRef application = RemoteConnection::connect(path, m_options)->application();
    m_lastAttached = application;
    return application;
}

ObjectRef SocketRunningObjectTable::lastAttached() const
{
    ObjectRef application = m_lastAttached.lock();
    const auto *remote = dynamic_cast<const RemoteObject *>(application.get());
    if (!remote || !remote->connection()->isConnected())
        return nullptr;
    return application;
}

} // namespace cad::remote
