#include "sidefiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace SideFiles {

namespace {

QString &folderOverride()
{
    static QString overridden;
    return overridden;
}

// A folder counts as writable when a file can really be created in it:
// permission bits alone do not tell (access control lists on Windows,
// read-only mounts).
bool canCreateFileIn(const QString &folderPath)
{
    if (!QFileInfo(folderPath).isDir())
        return false;
    QTemporaryFile probe(QDir(folderPath).filePath(QStringLiteral("write-probe-XXXXXX")));
    return probe.open();
}

} // namespace

void setFolderOverride(const QString &folderPath)
{
    folderOverride() = folderPath;
}

QString chooseFolder(const QString &executableFolder, const QString &userConfigFolder)
{
    if (canCreateFileIn(executableFolder))
        return QDir::cleanPath(executableFolder);
    QDir().mkpath(userConfigFolder);
    return QDir::cleanPath(userConfigFolder);
}

QString folder()
{
    if (!folderOverride().isEmpty())
        return QDir::cleanPath(folderOverride());
    // The executable's folder does not change while the program runs, so
    // the choice (and its probe file) is made once.
    static const QString chosen = chooseFolder(
            QCoreApplication::applicationDirPath(),
            QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    return chosen;
}

QString path(const QString &fileName)
{
    return QDir(folder()).filePath(fileName);
}

QString settingsPath()
{
    const QString executableName =
            QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return path(executableName + QLatin1String(".ini"));
}

} // namespace SideFiles
