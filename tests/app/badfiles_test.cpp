// Files a user broke: every file of the tool in every shape it may come in,
// through the real window's start and close, and every write of the tool
// failing at the moment the new file would replace the old one.
#include "support/headlessform.h"
#include "support/qstringprinter.h"

#include "app/cadlistfile.h"
#include "app/settingsfile.h"
#include "app/ttargetcadform.h"
#include "attrtab/tagsetlistfile.h"
#include "attrtab/tattrtab.h"
#include "form/shiftjistext.h"
#include "form/sidefilenotice.h"
#include "form/sidefiles.h"
#include "form/textfile.h"
#include "texttab/taglistfile.h"
#include "texttab/ttexttab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iostream>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#include <sys/types.h>
#endif

namespace {

QString settingsFileName()
{
    return QFileInfo(SideFiles::settingsPath()).fileName();
}

QStringList sorted(QStringList items)
{
    std::sort(items.begin(), items.end());
    return items;
}

QStringList comboItems(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

bool writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray encoded(const QStringList &lines, QStringConverter::Encoding encoding, bool byteOrderMark,
                   const QString &lineEnd = QStringLiteral("\r\n"))
{
    QStringEncoder encoder(encoding, byteOrderMark ? QStringConverter::Flag::WriteBom
                                                   : QStringConverter::Flag::Default);
    return encoder.encode(lines.join(lineEnd) + lineEnd);
}

// What stands at a path, so that a test can tell whether it is still
// there whole after the tool ran.
QString snapshot(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return QStringLiteral("link to ") + info.symLinkTarget();
    if (!info.exists())
        return QStringLiteral("nothing");
    if (info.isDir())
        return QStringLiteral("folder");
    if (!info.isFile())
        return QStringLiteral("special file");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("unreadable file of %1 bytes").arg(info.size());
    return QStringLiteral("file ")
            + QString::fromLatin1(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex());
}

// One file of the tool: a sample a user would have in it, and what the
// window shows when it took the sample, when it took nothing of the file
// (the built-in defaults) and when the file held no lines.
struct ToolFile
{
    const char *label;
    std::function<QString()> name;
    QStringList sample;
    TextFile::ReadLimits limits;
    bool writtenAtClose;
    std::function<void(HeadlessForm &)> expectSampleTaken;
    std::function<void(HeadlessForm &)> expectDefaults;
    std::function<void(HeadlessForm &)> expectNoLines;
};

const QStringList DesignTagItems = {"JCMNT1:コメント１", "JCMNT2:コメント２", "NAME:機器名", "NAME1:機器名１", "SENBAN:線番"};

void expectDefaultSettings(HeadlessForm &ui)
{
    EXPECT_EQ(ui.form().TargetProgID, "BricscadApp.AcadApplication");
    EXPECT_TRUE(ui.textTab().CheckBox1->isChecked());
    EXPECT_FALSE(ui.textTab().CheckBox9->isChecked());
}

void expectDefaultCaption(HeadlessForm &ui)
{
    EXPECT_EQ(ui.form().windowTitle(), "MorvEdit");
}

void expectDesignTagItems(HeadlessForm &ui)
{
    EXPECT_EQ(sorted(ui.textTab().tagItems()), sorted(DesignTagItems));
}

void expectDesignTagSets(HeadlessForm &ui)
{
    const QStringList sets = comboItems(ui.form().TabSheet2->ComboBox2);
    EXPECT_EQ(sets.size(), 5);
    EXPECT_TRUE(sets.contains("線番,SENBAN"));
}

const std::vector<ToolFile> &toolFiles()
{
    static const std::vector<ToolFile> files = {
        {"settings file", settingsFileName,
         {"[MorvEdit]", "Sort=0", "ZoomCenter2=1", "[Target]", "ProgID=図面.Application"},
         SettingsFile::Limits, true,
         [](HeadlessForm &ui) {
             EXPECT_EQ(ui.form().TargetProgID, "図面.Application");
             EXPECT_FALSE(ui.textTab().CheckBox1->isChecked());
             EXPECT_TRUE(ui.textTab().CheckBox9->isChecked());
         },
         expectDefaultSettings, expectDefaultSettings},
        {"CAD list file", [] { return QStringLiteral("TargetCAD_APIVersion.txt"); },
         {"汎用CAD\tBricscadApp.AcadApplication", "他社CAD\tOther.Application"}, CadListFile::Limits, false,
         [](HeadlessForm &ui) { EXPECT_EQ(ui.form().windowTitle(), "Morvex [ 汎用CAD ]"); },
         expectDefaultCaption, expectDefaultCaption},
        {"tag list file", [] { return QStringLiteral("MorvEditTagList.txt"); },
         {"品番:ヒンバン", "NAME:機器名", "盤名:盤[PANEL*]"}, TagListFile::Limits, true,
         [](HeadlessForm &ui) {
             EXPECT_EQ(sorted(ui.textTab().tagItems()),
                       sorted({"品番:ヒンバン", "NAME:機器名", "盤名:盤[PANEL*]"}));
         },
         expectDesignTagItems, [](HeadlessForm &ui) { EXPECT_EQ(ui.textTab().tagItems(), QStringList()); }},
        {"tag-set list file", [] { return QStringLiteral("MorvEdit2ATagList.txt"); },
         {"盤,NAME,SPEC", "端子台,TNO,\"TAG,1\""}, TagSetListFile::Limits, false,
         [](HeadlessForm &ui) {
             EXPECT_EQ(sorted(comboItems(ui.form().TabSheet2->ComboBox2)),
                       sorted({"盤,NAME,SPEC", "端子台,TNO,\"TAG,1\""}));
         },
         expectDesignTagSets,
         [](HeadlessForm &ui) { EXPECT_EQ(ui.form().TabSheet2->ComboBox2->count(), 0); }},
    };
    return files;
}

// What the window makes of a kind of file.
enum class Outcome {
    SampleTaken,        // read whole, nothing to tell
    SampleTakenAndTold, // the sample read, an overlong line left out and told
    NoLines,            // a file without lines
    Defaults,           // no file: the defaults, nothing to tell
    Refused,            // nothing of the file taken, told
};

// One shape a file may come in. make() puts it at the path; false, with
// the reason in note, when this system cannot make it.
struct Badness
{
    const char *label;
    std::function<bool(const QString &path, const QStringList &sample, QString *note)> make;
    Outcome outcome;
    // What the message says after the file's name, or nothing; %1 stands
    // for the file's size limit in KB, %2 for its line limit.
    const char *told;
};

QByteArray garbage(int size)
{
    // A fixed sequence, so that every run tries the same bytes; NULs and
    // bytes that no encoding of a text file holds among them.
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 state = 0x2545F491u;
    for (int i = 0; i < size; ++i) {
        state = state * 1664525u + 1013904223u;
        bytes[i] = char(state >> 24);
    }
    bytes[7] = '\0';
    bytes[8] = char(0xFF);
    return bytes;
}

bool makeUnreadable(const QString &path, const QStringList &sample, QString *note)
{
    if (!writeRaw(path, encoded(sample, QStringConverter::Utf8, false)))
        return false;
    QFile::setPermissions(path, QFileDevice::Permissions());
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly))
        return true; // chmod 000 stops this user reading it
    probe.close();
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::remove(path);
#if defined(Q_OS_LINUX)
    // This user reads whatever the permission bits say (root): a link to
    // the process's own memory, which opens but whose first page cannot be
    // read, stands in for a file the system refuses to read.
    *note = QStringLiteral("unreadable: chmod 000 does not stop this user (root) reading; "
                           "a link to /proc/self/mem (its read fails) stands in");
    return QFile::link(QStringLiteral("/proc/self/mem"), path);
#else
    *note = QStringLiteral("unreadable: permission bits do not stop this user reading here; case skipped");
    return false;
#endif
}

const std::vector<Badness> &badnesses()
{
    using Encoding = QStringConverter::Encoding;
    static const std::vector<Badness> kinds = {
        {"missing", [](const QString &, const QStringList &, QString *) { return true; },
         Outcome::Defaults, nullptr},
        {"empty", [](const QString &path, const QStringList &, QString *) { return writeRaw(path, {}); },
         Outcome::NoLines, nullptr},
        {"UTF-8 without BOM",
         [](const QString &path, const QStringList &sample, QString *) {
             return writeRaw(path, encoded(sample, Encoding::Utf8, false));
         },
         Outcome::SampleTaken, nullptr},
        {"UTF-8 with BOM",
         [](const QString &path, const QStringList &sample, QString *) {
             return writeRaw(path, encoded(sample, Encoding::Utf8, true, QStringLiteral("\n")));
         },
         Outcome::SampleTaken, nullptr},
        {"UTF-16LE with BOM",
         [](const QString &path, const QStringList &sample, QString *) {
             return writeRaw(path, encoded(sample, Encoding::Utf16LE, true));
         },
         Outcome::SampleTaken, nullptr},
        {"UTF-16BE with BOM",
         [](const QString &path, const QStringList &sample, QString *) {
             return writeRaw(path, encoded(sample, Encoding::Utf16BE, true, QStringLiteral("\r")));
         },
         Outcome::SampleTaken, nullptr},
        {"Shift_JIS",
         [](const QString &path, const QStringList &sample, QString *) {
             const std::optional<QByteArray> bytes = encodeShiftJis(sample.join("\r\n") + "\r\n");
             return bytes && writeRaw(path, *bytes);
         },
         Outcome::SampleTaken, nullptr},
        {"UTF-16LE without BOM",
         [](const QString &path, const QStringList &sample, QString *) {
             return writeRaw(path, encoded(sample, Encoding::Utf16LE, false));
         },
         Outcome::Refused, "はテキストとして読めないため、読み込めませんでした．"},
        {"binary garbage",
         [](const QString &path, const QStringList &, QString *) { return writeRaw(path, garbage(4096)); },
         Outcome::Refused, "はテキストとして読めないため、読み込めませんでした．"},
        {"huge (10 MB)",
         [](const QString &path, const QStringList &sample, QString *) {
             const QByteArray block = encoded(sample, Encoding::Utf8, false);
             return writeRaw(path, block.repeated(10 * 1024 * 1024 / block.size() + 1));
         },
         Outcome::Refused, "は %1 KB を超えるため、読み込めませんでした．"},
        {"a line of 1 MB",
         [](const QString &path, const QStringList &sample, QString *) {
             return writeRaw(path, encoded(sample + QStringList{QString(1024 * 1024, u'x')}, Encoding::Utf8, false));
         },
         Outcome::Refused, "は %1 KB を超えるため、読み込めませんでした．"},
        {"a line of 10,000 characters",
         [](const QString &path, const QStringList &sample, QString *) {
             QStringList lines = sample;
             lines.insert(1, QString(10000, u'長'));
             return writeRaw(path, encoded(lines, Encoding::Utf8, true));
         },
         Outcome::SampleTakenAndTold, "の 1 行は %2 文字を超えるため、読み飛ばしました．"},
        {"a folder",
         [](const QString &path, const QStringList &, QString *) { return QDir().mkdir(path); },
         Outcome::Refused, "はファイルではないため、読み込めませんでした．"},
        {"unreadable", makeUnreadable, Outcome::Refused, "を読み込めませんでした．"},
#if defined(Q_OS_UNIX)
        {"a named pipe",
         [](const QString &path, const QStringList &, QString *) {
             return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
         },
         Outcome::Refused, "はファイルではないため、読み込めませんでした．"},
#endif
    };
    return kinds;
}

TEST(AppBadFiles, TheToolStartsKeepsWhatItCanReadTellsWhatItCannotAndLosesNothingAtClose)
{
    int tried = 0;
    QStringList notes;
    QStringList skipped;
    for (const ToolFile &file : toolFiles()) {
        for (const Badness &kind : badnesses()) {
            SCOPED_TRACE(std::string(file.label) + ", " + kind.label);
            HeadlessForm ui;
            const QString path = ui.sideFile(file.name());
            QString note;
            if (!kind.make(path, file.sample, &note)) {
                ASSERT_FALSE(note.isEmpty()) << "the file could not be made";
                skipped << QStringLiteral("%1, %2: %3").arg(file.label, kind.label, note);
                continue;
            }
            if (!note.isEmpty() && !notes.contains(note))
                notes << note;
            const QString before = snapshot(path);
            ++tried;

            ui.start();
            EXPECT_TRUE(ui.form().isVisible());
            switch (kind.outcome) {
            case Outcome::SampleTaken:
            case Outcome::SampleTakenAndTold:
                file.expectSampleTaken(ui);
                break;
            case Outcome::NoLines:
                file.expectNoLines(ui);
                break;
            case Outcome::Defaults:
            case Outcome::Refused:
                file.expectDefaults(ui);
                break;
            }
            if (kind.told) {
                // Once, naming the file, in a plain box.
                ASSERT_EQ(ui.messages.shown.size(), 1u) << ui.messages.texts().join(" | ").toStdString();
                EXPECT_EQ(ui.messages.shown[0].kind, CapturingMessageBoxes::Plain);
                const QString told = QString::fromUtf8(kind.told)
                                             .replace(QStringLiteral("%1"), QString::number(file.limits.maxBytes / 1024))
                                             .replace(QStringLiteral("%2"), QString::number(file.limits.maxLineLength));
                EXPECT_EQ(ui.messages.shown[0].text, path + u'\n' + told);
            } else {
                EXPECT_EQ(ui.messages.texts(), QStringList());
            }

            ui.messages.clear();
            ui.close();
            // Whatever stood at the path is still whole: in its place, or
            // kept beside it when the tool replaced it.
            const bool keptInPlace = snapshot(path) == before;
            const bool keptAsCopy = snapshot(TextFile::keptCopyPath(path)) == before;
            const bool toldAtClose = !ui.messages.shown.empty();
            if (toldAtClose) {
                ASSERT_EQ(ui.messages.shown.size(), 1u) << ui.messages.texts().join(" | ").toStdString();
                EXPECT_EQ(ui.messages.shown[0].kind, CapturingMessageBoxes::Error);
                EXPECT_EQ(ui.messages.shown[0].text, SideFileNotice::forWrite(path));
                EXPECT_TRUE(keptInPlace);
            }
            if (kind.outcome == Outcome::Refused || kind.outcome == Outcome::SampleTakenAndTold) {
                EXPECT_TRUE(keptInPlace || keptAsCopy) << "before: " << before.toStdString();
                // A plain file is copied aside and replaced; only what
                // cannot be copied (a folder, a refused read) stops the
                // write, and the close says so.
                const bool copyable = before.startsWith(QStringLiteral("file "));
                if (file.writtenAtClose) {
                    EXPECT_EQ(toldAtClose, !copyable && !keptAsCopy);
                } else {
                    EXPECT_FALSE(toldAtClose);
                }
            } else {
                EXPECT_FALSE(toldAtClose);
                if (!file.writtenAtClose) {
                    EXPECT_TRUE(keptInPlace);
                }
                if (kind.outcome == Outcome::SampleTaken) {
                    const QStringList lines = TextFile::readLines(path).value_or(QStringList());
                    for (const QString &line : file.sample)
                        EXPECT_TRUE(lines.contains(line)) << line.toStdString();
                }
            }
            QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        }
    }
    std::cout << "Bad files tried: " << toolFiles().size() << " files x " << badnesses().size()
              << " kinds = " << toolFiles().size() * badnesses().size() << " cases, " << tried << " run, "
              << skipped.size() << " skipped\n  kinds:";
    for (const Badness &kind : badnesses())
        std::cout << " [" << kind.label << "]";
    std::cout << "\n";
    for (const QString &line : notes + skipped)
        std::cout << "  " << line.toStdString() << "\n";
}

// One write of the tool: the file as it stands before, the user's action
// that writes it, and the file whose replacement is refused.
struct ToolWrite
{
    const char *label;
    std::function<void(HeadlessForm &)> before;    // files in place before the start
    std::function<void(HeadlessForm &)> meanwhile; // the user's edits in Notepad, if any
    std::function<void(HeadlessForm &)> act;       // the user's action that writes
    std::function<QString()> refusedName;       // the file whose commit fails
    std::function<QString()> toldName;          // the file the user is told of
};

QString tagListName() { return QStringLiteral("MorvEditTagList.txt"); }
QString cadListName() { return QStringLiteral("TargetCAD_APIVersion.txt"); }

const std::vector<ToolWrite> &toolWrites()
{
    static const std::vector<ToolWrite> writes = {
        {"the settings file at close",
         [](HeadlessForm &ui) { ui.writeSideFile(settingsFileName(), {"[MorvEdit]", "Sort=1", "; 利用者のメモ"}); },
         {},
         [](HeadlessForm &ui) {
             ui.textTab().CheckBox1->setChecked(false);
             ui.close();
         },
         settingsFileName, settingsFileName},
        {"the copy of a settings file not read whole, at close",
         [](HeadlessForm &ui) { writeRaw(ui.sideFile(settingsFileName()), garbage(512)); },
         {},
         [](HeadlessForm &ui) { ui.close(); },
         [] { return TextFile::keptCopyPath(settingsFileName()); }, settingsFileName},
        {"the tag list file at close",
         [](HeadlessForm &ui) { ui.writeSideFile(tagListName(), {"A:1"}); },
         {},
         [](HeadlessForm &ui) {
             ui.textTab().setTagItems({"A:1", "B:2"});
             ui.close();
         },
         tagListName, tagListName},
        {"the copy of a tag list file edited in Notepad meanwhile, at close",
         [](HeadlessForm &ui) { ui.writeSideFile(tagListName(), {"A:1"}); },
         [](HeadlessForm &ui) { ui.writeSideFile(tagListName(), {"A:1", "N:メモ帳で追加"}); },
         [](HeadlessForm &ui) {
             ui.textTab().setTagItems({"A:1", "D:ダイアログで追加"});
             ui.close();
         },
         [] { return TextFile::keptCopyPath(tagListName()); }, tagListName},
        {"the CAD list file on \"追加\" of the target CAD dialog",
         [](HeadlessForm &ui) { ui.writeSideFile(cadListName(), {"X\tY.Application"}); },
         {},
         [](HeadlessForm &ui) {
             TTargetCADForm *dialog = ui.form().TargetCADForm;
             dialog->FormShow();
             dialog->Edit1->setText("新CAD");
             dialog->Edit2->setText("New.Application");
             dialog->SpeedButton1Click();
         },
         cadListName, cadListName},
    };
    return writes;
}

TEST(AppBadFiles, AWriteStoppedBeforeItsCommitLeavesTheOldFileWholeAndTellsTheUser)
{
    for (const ToolWrite &write : toolWrites()) {
        SCOPED_TRACE(write.label);
        HeadlessForm ui;
        write.before(ui);
        ui.start();
        ui.messages.clear();
        if (write.meanwhile)
            write.meanwhile(ui);
        const QString told = ui.sideFile(write.toldName());
        const QString refused = ui.sideFile(write.refusedName());
        const QString before = snapshot(told);
        TextFile::setCommitCheck([&](const QString &path) { return path != refused; });
        write.act(ui);
        TextFile::setCommitCheck({});

        EXPECT_EQ(snapshot(told), before);
        ASSERT_EQ(ui.messages.shown.size(), 1u) << ui.messages.texts().join(" | ").toStdString();
        EXPECT_EQ(ui.messages.shown[0].kind, CapturingMessageBoxes::Error);
        EXPECT_EQ(ui.messages.shown[0].text, SideFileNotice::forWrite(told));
        // No half-written file stays behind either.
        const QStringList beside = QDir(QFileInfo(told).path())
                                           .entryList({QFileInfo(refused).fileName() + u'*'}, QDir::AllEntries);
        EXPECT_EQ(beside, QFileInfo::exists(refused) ? QStringList{QFileInfo(refused).fileName()} : QStringList());
    }
    std::cout << "Write failures tried: " << toolWrites().size() << " writes, each with its commit refused\n";
}

// The reads the user asks for: a file that is there but cannot be read is
// told as such, not as missing, and the list keeps what it showed.
TEST(AppBadFiles, AReadOnRequestTellsWhyAndLeavesTheListAsItWas)
{
    struct Request
    {
        const char *label;
        QString fileName;
        std::function<void(HeadlessForm &)> ask;
        std::function<QStringList(HeadlessForm &)> list;
    };
    const Request requests[] = {
        {"\"■ タグリストを再読み込み\" of the editor", tagListName(),
         [](HeadlessForm &ui) { ui.form().N40Click(); },
         [](HeadlessForm &ui) { return ui.textTab().tagItems(); }},
        {"\"■TAG リストを再読み込み\" of the grid", QStringLiteral("MorvEdit2ATagList.txt"),
         [](HeadlessForm &ui) { ui.form().TabSheet2->AG2Click(); },
         [](HeadlessForm &ui) { return comboItems(ui.form().TabSheet2->ComboBox2); }},
        {"showing the target CAD dialog", cadListName(),
         [](HeadlessForm &ui) { ui.form().TargetCADForm->FormShow(); },
         [](HeadlessForm &ui) { return ui.form().TargetCADForm->items(); }},
    };
    struct Breakage
    {
        const char *label;
        std::function<void(const QString &path)> make;
        const char *told;
    };
    const Breakage breakages[] = {
        {"a folder", [](const QString &path) { QDir().mkdir(path); },
         "はファイルではないため、読み込めませんでした．"},
        {"binary garbage", [](const QString &path) { writeRaw(path, garbage(1024)); },
         "はテキストとして読めないため、読み込めませんでした．"},
    };
    for (const Request &request : requests) {
        for (const Breakage &breakage : breakages) {
            SCOPED_TRACE(std::string(request.label) + ", " + breakage.label);
            HeadlessForm ui;
            ui.writeSideFile(request.fileName, {"読めた:行,A"});
            ui.start();
            request.ask(ui); // the file read as it was at start
            const QStringList shown = request.list(ui);
            ASSERT_EQ(shown, QStringList{"読めた:行,A"});

            const QString path = ui.sideFile(request.fileName);
            QFile::remove(path);
            breakage.make(path);
            ui.messages.clear();
            request.ask(ui);
            EXPECT_EQ(ui.messages.texts(), QStringList{path + u'\n' + QString::fromUtf8(breakage.told)});
            EXPECT_EQ(request.list(ui), shown);
        }
    }
}

// The dialog writes its list file on every change: a list file it could not
// read goes aside whole first, and the new list takes its place.
TEST(AppBadFiles, TheTargetDialogKeepsAnUnreadListFileBeforeItWritesItsList)
{
    HeadlessForm ui;
    const QString path = ui.sideFile(cadListName());
    ASSERT_TRUE(writeRaw(path, garbage(2048)));
    const QString before = snapshot(path);
    ui.start();
    ui.messages.clear();
    TTargetCADForm *dialog = ui.form().TargetCADForm;
    dialog->FormShow();
    dialog->Edit1->setText("新CAD");
    dialog->Edit2->setText("New.Application");
    dialog->SpeedButton1Click();
    EXPECT_EQ(ui.messages.texts(),
              QStringList{path + QStringLiteral("\nはテキストとして読めないため、読み込めませんでした．")});
    EXPECT_EQ(snapshot(TextFile::keptCopyPath(path)), before);
    EXPECT_EQ(TextFile::readLines(path), QStringList{"新CAD\tNew.Application"});
}

#if GTEST_HAS_DEATH_TEST
// The program ending while a new file is on the disk but has not replaced
// the old one yet: the old one is still whole afterwards.
TEST(AppBadFilesDeathTest, TheProgramEndingInTheMiddleOfAWriteLeavesTheOldFileWhole)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    struct Case
    {
        const char *label;
        const char *fileName;
        std::function<void(const QString &path)> write;
    };
    const Case cases[] = {
        {"settings file", "MorvEdit.ini",
         [](const QString &path) { SettingsFile::write(path, MorvSettings()); }},
        {"CAD list file", "TargetCAD_APIVersion.txt",
         [](const QString &path) { CadListFile::write(path, {"新\tNew.Application"}); }},
        {"tag list file", "MorvEditTagList.txt",
         [](const QString &path) { TagListFile(path).saveAtClose({"NEW:新"}); }},
    };
    // The child of a death test runs this test again from its start: the
    // folder reaches it in the environment, so that it writes the file the
    // parent looks at afterwards.
    constexpr char FolderVariable[] = "MORVEX_MIDWRITE_TEST_FOLDER";
    QTemporaryDir own;
    const QByteArray inherited = qgetenv(FolderVariable);
    const QString folder = inherited.isEmpty() ? own.path() : QString::fromLocal8Bit(inherited);
    qputenv(FolderVariable, folder.toLocal8Bit());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        const QString path = QDir(folder).filePath(QString::fromLatin1(c.fileName));
        ASSERT_TRUE(TextFile::writeLines(path, {"OLD:そのまま", "残る行"}));
        const QString before = snapshot(path);
        EXPECT_EXIT(
                {
                    TextFile::setCommitCheck([](const QString &) -> bool { std::_Exit(3); });
                    c.write(path);
                },
                ::testing::ExitedWithCode(3), "");
        EXPECT_EQ(snapshot(path), before);
        EXPECT_EQ(TextFile::readLines(path), QStringList({"OLD:そのまま", "残る行"}));
    }
    qunsetenv(FolderVariable);
}
#endif

} // namespace
