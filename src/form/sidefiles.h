#ifndef SIDEFILES_H
#define SIDEFILES_H

#include <QString>

// Where the tool keeps its files: the settings file and the side files
// (CAD list, tag list, tag-set list). They live beside the executable, so a
// copied folder carries its settings along; when that folder cannot be
// written (an installed build), they live in the user's configuration
// folder instead.
namespace SideFiles {

inline constexpr char16_t CadListFileName[] = u"TargetCAD_APIVersion.txt";
inline constexpr char16_t TagListFileName[] = u"MorvEditTagList.txt";
inline constexpr char16_t TagSetListFileName[] = u"MorvEdit2ATagList.txt";

// The folder of all the files (without a trailing separator).
QString folder();

// Makes folder() return the given folder instead of choosing one; an empty
// string restores the choice. Tests use it so that they never write beside
// the test program.
void setFolderOverride(const QString &folder);

// The choice folder() makes: executableFolder when a file can be created
// in it, otherwise userConfigFolder (created when missing).
QString chooseFolder(const QString &executableFolder, const QString &userConfigFolder);

// folder() followed by fileName.
QString path(const QString &fileName);

// The settings file: folder() followed by the executable's name with its
// extension replaced by ".ini".
QString settingsPath();

inline QString cadListPath() { return path(QString::fromUtf16(CadListFileName)); }
inline QString tagListPath() { return path(QString::fromUtf16(TagListFileName)); }
inline QString tagSetListPath() { return path(QString::fromUtf16(TagSetListFileName)); }

} // namespace SideFiles

#endif // SIDEFILES_H
