// The tag list file: what is read at start and on reload, and the save at
// close that never loses the user's edits made in a text editor.
#include "form/shiftjistext.h"
#include "form/textfile.h"
#include "texttab/taglistfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/qstringprinter.h"

namespace {

class TextTabTagListFile : public ::testing::Test
{
protected:
    QString path() const { return QDir(dir.path()).filePath(QStringLiteral("MorvEditTagList.txt")); }
    QByteArray fileBytes(const QString &filePath) const
    {
        QFile file(filePath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // A user's edit in a text editor: Shift_JIS, as Notepad saves "ANSI".
    void editInNotepad(const QString &text) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(encodeShiftJis(text).value());
    }
    QTemporaryDir dir;
};

TEST_F(TextTabTagListFile, StartReadsBlankLinesReloadDropsThemUntrimmed)
{
    editInNotepad(QStringLiteral("NAME:機器名\r\n\r\n  SENBAN:線番 \r\n \t\r\n"));
    TagListFile file(path());
    EXPECT_EQ(file.readAll().lines,
              QStringList({ QStringLiteral("NAME:機器名"), "", QStringLiteral("  SENBAN:線番 "), " \t" }));
    EXPECT_EQ(file.reloadNonBlank().lines,
              QStringList({ QStringLiteral("NAME:機器名"), QStringLiteral("  SENBAN:線番 ") }));
}

TEST_F(TextTabTagListFile, MissingFileReadsAsNothing)
{
    TagListFile file(path());
    EXPECT_FALSE(file.exists());
    EXPECT_EQ(file.readAll().status, TextFile::ReadStatus::Missing);
    EXPECT_EQ(file.reloadNonBlank().status, TextFile::ReadStatus::Missing);
}

TEST_F(TextTabTagListFile, FirstCloseCreatesTheFile)
{
    TagListFile file(path());
    ASSERT_EQ(file.readAll().status, TextFile::ReadStatus::Missing);
    const QStringList items = { QStringLiteral("JCMNT1:コメント１"), QStringLiteral("NAME:機器名") };
    EXPECT_EQ(file.saveAtClose(items), TagListFile::CloseResult::Written);
    EXPECT_EQ(TextFile::readLines(path()), items);
    EXPECT_FALSE(QFile::exists(file.backupPath()));
}

TEST_F(TextTabTagListFile, NotepadEditSurvivesACloseWithoutReload)
{
    editInNotepad(QStringLiteral("B:2\r\nA:1\r\n"));
    TagListFile file(path());
    ASSERT_TRUE(file.readAll().isRead());

    editInNotepad(QStringLiteral("B:2\r\nA:1\r\nC:新しい\r\n"));
    const QByteArray edited = fileBytes(path());
    // The list shows the items sorted; sorting is no change.
    EXPECT_EQ(file.saveAtClose({ "A:1", "B:2" }), TagListFile::CloseResult::LeftUntouched);
    EXPECT_EQ(fileBytes(path()), edited);
    EXPECT_FALSE(QFile::exists(file.backupPath()));
}

TEST_F(TextTabTagListFile, ChangedListReplacesAnUnchangedFile)
{
    editInNotepad(QStringLiteral("A:1\r\n"));
    TagListFile file(path());
    ASSERT_TRUE(file.readAll().isRead());
    EXPECT_EQ(file.saveAtClose({ "A:1", "B:2" }), TagListFile::CloseResult::Written);
    EXPECT_EQ(TextFile::readLines(path()), QStringList({ "A:1", "B:2" }));
    EXPECT_FALSE(QFile::exists(file.backupPath()));
    // Written is the new starting point: closing again changes nothing.
    EXPECT_EQ(file.saveAtClose({ "A:1", "B:2" }), TagListFile::CloseResult::LeftUntouched);
}

TEST_F(TextTabTagListFile, ChangedListAndChangedFileLeaveTheFileTextInTheBackup)
{
    editInNotepad(QStringLiteral("A:1\r\n"));
    TagListFile file(path());
    ASSERT_TRUE(file.readAll().isRead());

    editInNotepad(QStringLiteral("A:1\r\nN:メモ帳で追加\r\n"));
    const QByteArray notepadText = fileBytes(path());
    EXPECT_EQ(file.saveAtClose({ "A:1", "D:ダイアログで追加" }),
              TagListFile::CloseResult::WrittenWithBackup);
    EXPECT_EQ(TextFile::readLines(path()), QStringList({ "A:1", QStringLiteral("D:ダイアログで追加") }));
    EXPECT_EQ(fileBytes(file.backupPath()), notepadText);
}

TEST_F(TextTabTagListFile, ReloadTakesTheNotepadEditAsTheNewStartingPoint)
{
    editInNotepad(QStringLiteral("A:1\r\n"));
    TagListFile file(path());
    ASSERT_TRUE(file.readAll().isRead());
    editInNotepad(QStringLiteral("A:1\r\nB:2\r\n"));
    ASSERT_EQ(file.reloadNonBlank().lines, QStringList({ "A:1", "B:2" }));

    EXPECT_EQ(file.saveAtClose({ "A:1", "B:2", "C:3" }), TagListFile::CloseResult::Written);
    EXPECT_FALSE(QFile::exists(file.backupPath()));
}

TEST_F(TextTabTagListFile, FileDeletedSinceReadingIsWrittenAgain)
{
    editInNotepad(QStringLiteral("A:1\r\n"));
    TagListFile file(path());
    ASSERT_TRUE(file.readAll().isRead());
    ASSERT_TRUE(QFile::remove(path()));
    EXPECT_EQ(file.saveAtClose({ "A:1" }), TagListFile::CloseResult::Written);
    EXPECT_EQ(TextFile::readLines(path()), QStringList({ "A:1" }));
}

TEST_F(TextTabTagListFile, UnwritableFileReportsFailure)
{
    TagListFile file(QDir(dir.path()).filePath(QStringLiteral("no/such/folder/MorvEditTagList.txt")));
    EXPECT_EQ(file.saveAtClose({ "A:1" }), TagListFile::CloseResult::Failed);
    EXPECT_FALSE(file.errorString().isEmpty());
}

} // namespace
