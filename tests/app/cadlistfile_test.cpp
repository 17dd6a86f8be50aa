// The CAD list file's line rules and the name lookup behind the caption.
#include "app/cadlistfile.h"

#include <gtest/gtest.h>

#include "support/qstringprinter.h"

namespace {

TEST(AppCadListFile, SplitsALineAtItsFirstTab)
{
    struct Case { QString line; QString name; QString progId; };
    const Case cases[] = {
        { "A\tBricscadApp.AcadApplication", "A", "BricscadApp.AcadApplication" },
        { "NoTab.Application", "", "NoTab.Application" },
        { "A\tB\tC", "A", "B\tC" },
        { "\tOnly.ProgId", "", "Only.ProgId" },
        { "Name only\t", "Name only", "" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        const CadListFile::Entry entry = CadListFile::splitLine(c.line);
        EXPECT_EQ(entry.name, c.name);
        EXPECT_EQ(entry.progId, c.progId);
    }
}

TEST(AppCadListFile, ALineBelongsToEveryProgIdItContainsAfterATab)
{
    const QString progId = QStringLiteral("BricscadApp.AcadApplication");
    EXPECT_TRUE(CadListFile::lineBelongsTo("X\tBricscadApp.AcadApplication.22", progId));
    EXPECT_TRUE(CadListFile::lineBelongsTo("X\tBricscadApp.AcadApplication", progId));
    EXPECT_FALSE(CadListFile::lineBelongsTo("BricscadApp.AcadApplication", progId));
    EXPECT_FALSE(CadListFile::lineBelongsTo("X\tOld.BricscadApp.AcadApplication", progId));
    EXPECT_FALSE(CadListFile::lineBelongsTo("X\tbricscadapp.acadapplication", progId));
}

TEST(AppCadListFile, NameComesFromTheFirstLineThatBelongs)
{
    const QStringList lines = {
        QStringLiteral("No tab here"),
        QStringLiteral("汎用 CAD V22\tBricscadApp.AcadApplication.22"),
        QStringLiteral("B\tBricscadApp.AcadApplication"),
    };
    EXPECT_EQ(CadListFile::cadNameForProgId(lines, "BricscadApp.AcadApplication"),
              QStringLiteral("汎用 CAD V22"));
    EXPECT_EQ(CadListFile::cadNameForProgId(lines, "BricscadApp.AcadApplication.22"),
              QStringLiteral("汎用 CAD V22"));
    EXPECT_FALSE(CadListFile::cadNameForProgId(lines, "Y.Application").has_value());
    EXPECT_FALSE(CadListFile::cadNameForProgId({}, "Y.Application").has_value());
}

TEST(AppCadListFile, CaptionNamesTheCad)
{
    EXPECT_EQ(CadListFile::captionWithCadName("Morvex", "X"), QStringLiteral("Morvex [ X ]"));
}

} // namespace
