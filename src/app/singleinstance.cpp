#include "singleinstance.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

SingleInstance::SingleInstance()
    : SingleInstance(defaultLockFilePath())
{
}

SingleInstance::SingleInstance(const QString &lockFilePath)
    : m_lockFilePath(lockFilePath)
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultLockFilePath()
{
    // The runtime folder belongs to the user alone. Where there is none,
    // the temporary folder may be shared, so the user's name goes into the
    // file name there.
    const QString ownFolder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!ownFolder.isEmpty())
        return QDir(ownFolder).filePath(QStringLiteral("morvex.lock"));
    QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    user.remove(u'/').remove(u'\\');
    return QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
            .filePath(QStringLiteral("morvex-%1.lock").arg(user));
}

bool SingleInstance::tryAcquire()
{
    if (isHeld())
        return true;
    auto lock = std::make_unique<QLockFile>(m_lockFilePath);
    // The first instance runs for hours without touching the file, so the
    // lock never goes stale by age; it goes stale only when its process is
    // gone, which QLockFile checks by the process id it holds.
    lock->setStaleLockTime(0);
    QDir().mkpath(QFileInfo(m_lockFilePath).absolutePath());
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        return true;
    }
    // Only a lock held by another running instance refuses the start. A
    // lock that cannot be made at all (a folder that cannot be written)
    // says nothing about other instances and must not keep the user from
    // working: the start goes on without the lock.
    return lock->error() != QLockFile::LockFailedError;
}

void SingleInstance::release()
{
    m_lock.reset();
}

bool SingleInstance::isHeld() const
{
    return m_lock && m_lock->isLocked();
}
