// Where the side files live. (A QApplication gives the program's own path.)
#include "form/sidefiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/qstringprinter.h"

namespace {

TEST(FormSideFiles, ExecutableFolderWhenWritable)
{
    QTemporaryDir executableFolder;
    QTemporaryDir configRoot;
    const QString config = QDir(configRoot.path()).filePath(QStringLiteral("Morvex"));
    EXPECT_EQ(SideFiles::chooseFolder(executableFolder.path(), config),
              QDir::cleanPath(executableFolder.path()));
    // The probe leaves nothing behind, and the user's folder is not made.
    EXPECT_TRUE(QDir(executableFolder.path()).isEmpty());
    EXPECT_FALSE(QDir(config).exists());
}

TEST(FormSideFiles, UserConfigFolderWhenTheExecutableFolderCannotBeWritten)
{
    QTemporaryDir configRoot;
    const QString config = QDir(configRoot.path()).filePath(QStringLiteral("Morvex/sub"));
    const QString unwritable = QDir(configRoot.path()).filePath(QStringLiteral("no/such/folder"));
    EXPECT_EQ(SideFiles::chooseFolder(unwritable, config), QDir::cleanPath(config));
    EXPECT_TRUE(QDir(config).exists());
}

TEST(FormSideFiles, PathsFollowTheOverriddenFolder)
{
    QTemporaryDir folder;
    SideFiles::setFolderOverride(folder.path());
    const QDir dir(folder.path());
    EXPECT_EQ(SideFiles::folder(), QDir::cleanPath(folder.path()));
    EXPECT_EQ(SideFiles::cadListPath(), dir.filePath(QStringLiteral("TargetCAD_APIVersion.txt")));
    EXPECT_EQ(SideFiles::tagListPath(), dir.filePath(QStringLiteral("MorvEditTagList.txt")));
    EXPECT_EQ(SideFiles::tagSetListPath(), dir.filePath(QStringLiteral("MorvEdit2ATagList.txt")));
    // The settings file is named after the program: here the test program.
    EXPECT_EQ(SideFiles::settingsPath(), dir.filePath(QStringLiteral("FormTests.ini")));
    SideFiles::setFolderOverride(QString());
}

} // namespace
