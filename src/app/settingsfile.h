#ifndef SETTINGSFILE_H
#define SETTINGSFILE_H

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include "form/textfile.h"

#include <optional>

// The values kept in the settings file from one run to the next, with the
// defaults of a first start. The members follow the order of the file.
struct MorvSettings
{
    // Window position; absent when the file has none, and then the window
    // is centred on the screen (see centredPosition()).
    std::optional<int> left;
    std::optional<int> top;
    QString progId = QStringLiteral("BricscadApp.AcadApplication"); // TargetProgID
    bool sort = true;          // CheckBox1 "座標順取得"
    QString attTag;            // text of ComboBox1, written only
    int attTagIndex2 = 0;      // selected item of ComboBox2, -1 for none
    bool cursor = true;        // CheckBox2 "Enter=[ ↓ ]"
    int attTagIndex1 = 0;      // selected item of ComboBox1, -1 for none
    bool sentou = false;       // CheckBox3 "先頭一致"
    bool upperCase = true;     // CheckBox4 "a->A"
    bool enter = true;         // CheckBox5 "Enter=更新"
    bool zoomCenter = false;   // CheckBox6 "PAN (Zoom Center)", second tab
    bool attEnter = true;      // CheckBox7 "Enter = 更新"
    bool attEnterDown = true;  // CheckBox8 "Enter=[↓]"
    bool zoomCenter2 = false;  // CheckBox9 "PAN (Zoom Center)", first tab
    bool zenHanSame = false;   // CheckBox10 "全半角同一"
    bool searchAttributes = false; // CheckBox11 "属性"

    bool operator==(const MorvSettings &) const = default;
};

// The settings file, a classic ini file: sections "MorvEdit" and "Target",
// key=value lines, booleans as "1"/"0". Written by hand rather than through
// QSettings, which would sort the keys, add a [General] section, read a
// value holding a comma back as a list and escape non-ASCII text.
namespace SettingsFile {

// A settings file holds two sections of short lines.
inline constexpr TextFile::ReadLimits Limits{64 * 1024, 4096};

// Reads the settings. A missing file, a missing key or a value that does
// not read as a number gives the default. Section and key names match
// whatever their case, as Windows' profile functions match them; unknown
// sections and keys are ignored. A boolean is read as an integer, any
// value other than 0 meaning true. A file that cannot be read gives the
// defaults, and what was read is kept (an overlong line is left out);
// file, when given, tells how the reading went.
MorvSettings read(const QString &path, TextFile::ReadResult *file = nullptr);

// Writes every key, replacing the file atomically. As Windows' profile
// functions do, the file keeps whatever else it holds: other sections,
// unknown keys, comments and blank lines stay as they stood, and a key
// already in the file keeps its place; the keys it lacks join their
// section in the fixed order. A file that could not be read whole is kept
// as a ".bak" copy first; when that copy cannot be made, nothing is written.
bool write(const QString &path, const MorvSettings &settings,
           QString *errorString = nullptr);

// The lines of a file with the tool's keys set, as write() makes them.
QStringList mergeLines(const QStringList &existing, const MorvSettings &settings);

// The lines of a new file: every key in the fixed order.
QStringList toLines(const MorvSettings &settings);

// The settings held by these file lines.
MorvSettings fromLines(const QStringList &lines);

// The top-left corner that centres a window of windowSize on a screen of
// screenSize (each half rounded toward zero).
QPoint centredPosition(const QSize &screenSize, const QSize &windowSize);

// Where the window opens: at the saved Left/Top, a missing one centred on
// the primary screen. A saved place where the window would not be visible
// at all on any screen (a monitor removed, a resolution lowered) opens it
// centred instead, so the always-on-top window never hides off screen.
QPoint windowStartPosition(const MorvSettings &settings, const QSize &windowSize,
                           const QList<QRect> &screens, const QRect &primaryScreen);

} // namespace SettingsFile

#endif // SETTINGSFILE_H
