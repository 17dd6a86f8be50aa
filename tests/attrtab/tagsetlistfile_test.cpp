// The tag-set list file: every line at start, the non-blank ones on reload.
#include "attrtab/tagsetlistfile.h"
#include "form/shiftjistext.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/qstringprinter.h"

namespace {

TEST(AttrTabTagSetListFile, ReadsAllLinesAtStartAndNonBlankOnReload)
{
    QTemporaryDir dir;
    const QString tagSetPath = QDir(dir.path()).filePath(QStringLiteral("MorvEdit2ATagList.txt"));
    EXPECT_EQ(TagSetListFile::readAll(tagSetPath).status, TextFile::ReadStatus::Missing);
    QFile file(tagSetPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(encodeShiftJis(QStringLiteral("線番,SENBAN\r\n\r\n 機器,NAME,NAME1\r\n")).value());
    file.close();
    EXPECT_EQ(TagSetListFile::readAll(tagSetPath).lines,
              QStringList({ QStringLiteral("線番,SENBAN"), "", QStringLiteral(" 機器,NAME,NAME1") }));
    EXPECT_EQ(TagSetListFile::reloadNonBlank(tagSetPath).lines,
              QStringList({ QStringLiteral("線番,SENBAN"), QStringLiteral(" 機器,NAME,NAME1") }));
}

} // namespace
