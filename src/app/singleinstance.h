#ifndef SINGLEINSTANCE_H
#define SINGLEINSTANCE_H

#include <QLockFile>
#include <QString>

#include <memory>

// Keeps the tool to one running copy per user on systems without Windows'
// window classes (Windows marks a running copy with a hidden window of the
// class "TMorvMainForm" instead): a second start finds the
// first one's lock and ends. The lock is a file holding the owner's process
// id; a lock whose process no longer runs (the first copy crashed or was
// killed) is taken over, so it never blocks the next start.
class SingleInstance
{
public:
    // The lock in the user's runtime folder (its temporary folder where
    // there is none).
    SingleInstance();
    // The lock at lockFilePath (tests use their own folder).
    explicit SingleInstance(const QString &lockFilePath);
    ~SingleInstance();

    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // Takes the lock unless another running process holds it; true when
    // this is the only instance. The lock is held until release() or the
    // end of this object. When no lock can be made at all (the folder
    // cannot be written), the start is allowed without one: isHeld() then
    // stays false.
    bool tryAcquire();
    void release();
    bool isHeld() const;

    QString lockFilePath() const { return m_lockFilePath; }

    static QString defaultLockFilePath();

private:
    QString m_lockFilePath;
    std::unique_ptr<QLockFile> m_lock;
};

#endif // SINGLEINSTANCE_H
