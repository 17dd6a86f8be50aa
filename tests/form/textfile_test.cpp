// Reading the side files in every encoding a user's file may come in, and
// writing them whole and atomically.
#include "form/shiftjistext.h"
#include "form/textfile.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/qstringprinter.h"

namespace {

const QString Japanese = QStringLiteral("NAME:機器名～①");

QByteArray shiftJisBytes(const QString &text)
{
    const std::optional<QByteArray> bytes = encodeShiftJis(text);
    EXPECT_TRUE(bytes.has_value());
    return bytes.value_or(QByteArray());
}

struct EncodingCase
{
    const char *name;
    QByteArray bytes;
};

TEST(FormTextFile, DecodesEveryEncodingOfAUsersFile)
{
    const QString text = Japanese + QStringLiteral("\nJCMNT1:コメント１");
    QStringEncoder utf16le(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    QStringEncoder utf16be(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom);
    const EncodingCase cases[] = {
        { "UTF-8", text.toUtf8() },
        { "UTF-8 with BOM", QByteArray("\xEF\xBB\xBF") + text.toUtf8() },
        { "UTF-16LE with BOM", utf16le.encode(text) },
        { "UTF-16BE with BOM", utf16be.encode(text) },
        { "Shift_JIS", shiftJisBytes(text) },
    };
    for (const EncodingCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TextFile::decode(c.bytes), text);
    }
}

TEST(FormTextFile, BytesNoEncodingReadsAreNotText)
{
    const EncodingCase cases[] = {
        { "a NUL among text", QByteArray("NAME:a\0b", 8) },
        { "a control character", QByteArray("NAME:\x01") },
        { "a Shift_JIS lead byte at the very end", QByteArray("\x8B\x40\x8A") },
        { "a byte the Shift_JIS table does not hold", QByteArray("A\xFD\xFE\xFF") },
        { "a UTF-8 byte order mark over invalid bytes", QByteArray("\xEF\xBB\xBF\xC3\x28") },
        { "UTF-16 with a byte order mark and a lone surrogate", QByteArray("\xFF\xFE" "A\0\x00\xD8", 6) },
    };
    for (const EncodingCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TextFile::decode(c.bytes), std::nullopt);
    }
    // Tab and every line end are text.
    EXPECT_EQ(TextFile::decode("a\tb\r\nc\rd\n"), QStringLiteral("a\tb\r\nc\rd\n"));
}

TEST(FormTextFile, ShiftJisWindowsCharactersReadAsWindowsDoes)
{
    // 81 60 is the wave dash of the Windows table (U+FF5E), 87 40 the NEC
    // circled one.
    EXPECT_EQ(TextFile::decode(QByteArray("\x81\x60\x87\x40")), QStringLiteral("～①"));
}

TEST(FormTextFile, SplitsLinesAtEveryLineEnd)
{
    struct Case { QString text; QStringList lines; };
    const Case cases[] = {
        { QString(), {} },
        { QStringLiteral("a"), { QStringLiteral("a") } },
        { QStringLiteral("a\r\nb\nc\rd"), { "a", "b", "c", "d" } },
        { QStringLiteral("a\r\nb\r\n"), { "a", "b" } },
        { QStringLiteral("a\n\nb\n"), { "a", "", "b" } },
        { QStringLiteral("\n"), { "" } },
        { QStringLiteral("a\r\r\nb"), { "a", "", "b" } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(TextFile::splitLines(c.text), c.lines);
    }
}

class FormTextFileOnDisk : public ::testing::Test
{
protected:
    QString pathOf(const QString &name) const { return QDir(dir.path()).filePath(name); }
    QTemporaryDir dir;
};

TEST_F(FormTextFileOnDisk, WritesUtf8WithBomAndCrLfAndReadsItBack)
{
    const QString path = pathOf(QStringLiteral("list.txt"));
    const QStringList lines = { Japanese, QString(), QStringLiteral("a,b") };
    ASSERT_TRUE(TextFile::writeLines(path, lines));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(),
              QByteArray("\xEF\xBB\xBF") + Japanese.toUtf8() + "\r\n\r\na,b\r\n");
    EXPECT_EQ(TextFile::readLines(path), lines);
}

TEST_F(FormTextFileOnDisk, ReadsAShiftJisFileFromDisk)
{
    const QString path = pathOf(QStringLiteral("sjis.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(shiftJisBytes(Japanese + QStringLiteral("\r\n線番")));
    file.close();
    EXPECT_EQ(TextFile::readLines(path), QStringList({ Japanese, QStringLiteral("線番") }));
}

TEST_F(FormTextFileOnDisk, MissingFileReadsAsNothing)
{
    EXPECT_FALSE(TextFile::readLines(pathOf(QStringLiteral("missing.txt"))).has_value());
}

TEST_F(FormTextFileOnDisk, WritingReplacesTheFileWholeAndLeavesNoTemporaryFile)
{
    const QString path = pathOf(QStringLiteral("list.txt"));
    ASSERT_TRUE(TextFile::writeLines(path, { "one", "two", "three" }));
    ASSERT_TRUE(TextFile::writeLines(path, { "four" }));
    EXPECT_EQ(TextFile::readLines(path), QStringList({ "four" }));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({ "list.txt" }));
}

TEST_F(FormTextFileOnDisk, FailedWriteKeepsTheOldFileAndReportsWhy)
{
    const QString path = pathOf(QStringLiteral("list.txt"));
    ASSERT_TRUE(TextFile::writeLines(path, { "kept" }));
    // A folder in place of the file cannot be written into.
    QString error;
    EXPECT_FALSE(TextFile::writeLines(dir.path(), { "lost" }, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(TextFile::writeLines(pathOf(QStringLiteral("no/such/folder/x.txt")), { "x" }));
    EXPECT_EQ(TextFile::readLines(path), QStringList({ "kept" }));
}

TEST(FormTextFile, BlankMeansNothingAboveCode32)
{
    EXPECT_TRUE(TextFile::isBlank(QString()));
    EXPECT_TRUE(TextFile::isBlank(QStringLiteral(" \t\x01\x1f ")));
    EXPECT_FALSE(TextFile::isBlank(QStringLiteral(" a ")));
    EXPECT_FALSE(TextFile::isBlank(QStringLiteral("\u3000"))); // full-width space is text
    EXPECT_EQ(TextFile::nonBlankLines({ " A:x ", "", " \t", "B" }), QStringList({ " A:x ", "B" }));
}

} // namespace
