// The settings file: defaults, the fixed key order, and reading files a
// user or Windows may have written.
#include "form/shiftjistext.h"
#include "app/settingsfile.h"
#include "form/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/qstringprinter.h"

namespace {

class AppSettingsFile : public ::testing::Test
{
protected:
    QString path() const { return QDir(dir.path()).filePath(QStringLiteral("morvex.ini")); }
    void writeFile(const QByteArray &bytes) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QTemporaryDir dir;
};

TEST_F(AppSettingsFile, MissingFileGivesTheDefaults)
{
    const MorvSettings settings = SettingsFile::read(path());
    EXPECT_FALSE(settings.left.has_value());
    EXPECT_FALSE(settings.top.has_value());
    EXPECT_EQ(settings.progId, QStringLiteral("BricscadApp.AcadApplication"));
    EXPECT_TRUE(settings.sort);
    EXPECT_EQ(settings.attTag, QString());
    EXPECT_EQ(settings.attTagIndex2, 0);
    EXPECT_TRUE(settings.cursor);
    EXPECT_EQ(settings.attTagIndex1, 0);
    EXPECT_FALSE(settings.sentou);
    EXPECT_TRUE(settings.upperCase);
    EXPECT_TRUE(settings.enter);
    EXPECT_FALSE(settings.zoomCenter);
    EXPECT_TRUE(settings.attEnter);
    EXPECT_TRUE(settings.attEnterDown);
    EXPECT_FALSE(settings.zoomCenter2);
}

TEST_F(AppSettingsFile, WritesEveryKeyInTheFixedOrder)
{
    MorvSettings settings;
    settings.left = 100;
    settings.top = -20;
    settings.attTag = QStringLiteral("NAME:機器名");
    settings.attTagIndex1 = -1;
    ASSERT_TRUE(SettingsFile::write(path(), settings));

    const QStringList expected = {
        "[MorvEdit]",
        "Left=100",
        "Top=-20",
        "Sort=1",
        QStringLiteral("AttTag=NAME:機器名"),
        "AttTagIndex2=0",
        "Cursor=1",
        "AttTagIndex1=-1",
        "Sentou=0",
        "UpperCase=1",
        "Enter=1",
        "ZoomCenter=0",
        "AttEnter=1",
        "AttEnterDown=1",
        "ZoomCenter2=0",
        "ZenHanSame=0",
        "SearchAttributes=0",
        "[Target]",
        "ProgID=BricscadApp.AcadApplication",
    };
    EXPECT_EQ(TextFile::readLines(path()), expected);
}

TEST_F(AppSettingsFile, RoundTripKeepsEveryValue)
{
    MorvSettings settings;
    settings.left = 1920;
    settings.top = 0;
    settings.progId = QStringLiteral("Y.Application");
    settings.sort = false;
    settings.attTag = QStringLiteral("a,b [機器] \"q\"");
    settings.attTagIndex2 = 3;
    settings.cursor = false;
    settings.attTagIndex1 = 7;
    settings.sentou = true;
    settings.upperCase = false;
    settings.enter = false;
    settings.zoomCenter = true;
    settings.attEnter = false;
    settings.attEnterDown = false;
    settings.zoomCenter2 = true;
    settings.zenHanSame = true;
    settings.searchAttributes = true;
    ASSERT_TRUE(SettingsFile::write(path(), settings));
    EXPECT_EQ(SettingsFile::read(path()), settings);
}

TEST_F(AppSettingsFile, ReadsValuesAsWindowsProfileFunctionsDo)
{
    // Another writer's file: Shift_JIS, other case, blanks around '=',
    // unknown keys and sections, comments, booleans as any integer, and
    // values that are no numbers.
    const QString text = QStringLiteral(
            "; comment\r\n"
            "[Other]\r\n"
            "Sort=0\r\n"
            "[morvedit]\r\n"
            "LEFT = 12 \r\n"
            "top=abc\r\n"
            "Sort=2\r\n"
            "Cursor=0\r\n"
            "Sentou=-1\r\n"
            "UpperCase=yes\r\n"
            "AttTagIndex1=\r\n"
            "AttTagIndex2=4x\r\n"
            "AttTag=線番,SENBAN\r\n"
            "Unknown=5\r\n"
            "Sort=0\r\n"
            "[TARGET]\r\n"
            "progid=X.Application\r\n");
    writeFile(encodeShiftJis(text).value());

    const MorvSettings settings = SettingsFile::read(path());
    EXPECT_EQ(settings.left, 12);
    EXPECT_FALSE(settings.top.has_value());    // not a number: centred
    EXPECT_TRUE(settings.sort);                // 2 is true; the later repeat does not count
    EXPECT_FALSE(settings.cursor);
    EXPECT_TRUE(settings.sentou);              // -1 is true
    EXPECT_TRUE(settings.upperCase);           // "yes" is no number: default
    EXPECT_EQ(settings.attTagIndex1, 0);       // empty: default
    EXPECT_EQ(settings.attTagIndex2, 0);       // "4x": default
    EXPECT_EQ(settings.attTag, QStringLiteral("線番,SENBAN"));
    EXPECT_EQ(settings.progId, QStringLiteral("X.Application"));
}

TEST_F(AppSettingsFile, KeysOutsideTheirSectionAreNotTheirs)
{
    writeFile("ProgID=Before.Any.Section\r\n[MorvEdit]\r\nProgID=Wrong.Section\r\n");
    EXPECT_EQ(SettingsFile::read(path()).progId, QStringLiteral("BricscadApp.AcadApplication"));
}

// Writing keeps what the file holds besides the tool's keys, as Windows'
// profile functions do: the tool's keys take their values where they stand
// and the missing ones join their section in the fixed order.
struct MergeCase
{
    const char *name;
    QStringList before;
    QStringList after;

    friend void PrintTo(const MergeCase &c, std::ostream *os) { *os << c.name; }
};

class AppSettingsMerge : public AppSettingsFile, public ::testing::WithParamInterface<MergeCase>
{};

// Settings that differ from every value of the files below.
MorvSettings changedSettings()
{
    MorvSettings s;
    s.left = 100;
    s.top = 200;
    s.progId = QStringLiteral("New.Application");
    s.sort = false;
    return s;
}

const QStringList OwnMorvEditKeys = {"AttTag=", "AttTagIndex2=0", "Cursor=1", "AttTagIndex1=0", "Sentou=0",
                                     "UpperCase=1", "Enter=1", "ZoomCenter=0", "AttEnter=1", "AttEnterDown=1",
                                     "ZoomCenter2=0", "ZenHanSame=0", "SearchAttributes=0"};

TEST_P(AppSettingsMerge, AppSettingsWriteKeepsWhatTheFileHolds)
{
    ASSERT_TRUE(TextFile::writeLines(path(), GetParam().before));
    ASSERT_TRUE(SettingsFile::write(path(), changedSettings()));
    EXPECT_EQ(TextFile::readLines(path()), GetParam().after) << GetParam().name;
    EXPECT_EQ(SettingsFile::read(path()), changedSettings()) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Files, AppSettingsMerge,
    ::testing::Values(
        MergeCase{"CommentsUnknownKeysAndSectionsStay",
                  {"; written by hand", "[User]", "Colour=blue", "", "[MorvEdit]", "; my position",
                   "Left=5", "Mine=keep", "Top=6", "", "[Target]", "ProgID=Old.Application", "Note=x"},
                  QStringList({"; written by hand", "[User]", "Colour=blue", "", "[MorvEdit]", "; my position",
                               "Left=100", "Mine=keep", "Top=200", "Sort=0"})
                      + OwnMorvEditKeys
                      + QStringList({"", "[Target]", "ProgID=New.Application", "Note=x"})},
        MergeCase{"KeysKeepTheirPlaceAndSpelling",
                  {"[TARGET]", "progid = Old.Application", "[morvedit]", "TOP = 6", "LEFT=5"},
                  QStringList({"[TARGET]", "progid=New.Application", "[morvedit]", "TOP=200", "LEFT=100",
                               "Sort=0"})
                      + OwnMorvEditKeys},
        MergeCase{"AMissingSectionComesAtTheEnd",
                  {"[User]", "Colour=blue"},
                  QStringList({"[User]", "Colour=blue", "[MorvEdit]", "Left=100", "Top=200", "Sort=0"})
                      + OwnMorvEditKeys + QStringList({"[Target]", "ProgID=New.Application"})},
        MergeCase{"TheFirstOfRepeatedKeysIsTheOneWritten",
                  {"Left=1", "[MorvEdit]", "Left=5", "Left=7", "[MorvEdit]", "Top=8"},
                  QStringList({"Left=1", "[MorvEdit]", "Left=100", "Left=7", "Top=200", "Sort=0"})
                      + OwnMorvEditKeys + QStringList({"[MorvEdit]", "Top=8", "[Target]", "ProgID=New.Application"})}),
    [](const ::testing::TestParamInfo<MergeCase> &info) { return std::string(info.param.name); });

TEST_F(AppSettingsFile, AShiftJisFileKeepsItsJapaneseComments)
{
    writeFile(encodeShiftJis(QStringLiteral("; 設定ファイル\r\n[MorvEdit]\r\nLeft=5\r\n[ユーザー]\r\n色=青\r\n")).value());
    ASSERT_TRUE(SettingsFile::write(path(), changedSettings()));
    const QStringList lines = TextFile::readLines(path()).value_or(QStringList());
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("; 設定ファイル"));
    EXPECT_EQ(lines[2], "Left=100");
    EXPECT_TRUE(lines.contains(QStringLiteral("[ユーザー]")));
    EXPECT_TRUE(lines.contains(QStringLiteral("色=青")));
}

TEST(AppSettingsPosition, CentresWithHalvesRoundedTowardZero)
{
    EXPECT_EQ(SettingsFile::centredPosition(QSize(1920, 1080), QSize(345, 359)), QPoint(787, 360));
    // A window larger than the screen: negative halves round toward zero.
    EXPECT_EQ(SettingsFile::centredPosition(QSize(300, 300), QSize(345, 303)), QPoint(-22, -1));
}

TEST(AppSettingsPosition, SavedPlaceUnlessTheWindowWouldBeOffEveryScreen)
{
    const QRect primary(0, 0, 1920, 1080);
    const QRect secondOnTheRight(1920, 0, 1280, 1024);
    const QSize window(345, 359);
    const QPoint centred(787, 360);
    struct Case { const char *what; std::optional<int> left, top; QPoint expected; };
    const Case cases[] = {
        { "no saved place", std::nullopt, std::nullopt, centred },
        { "on the primary screen", 100, 50, QPoint(100, 50) },
        { "on the second screen", 2500, 600, QPoint(2500, 600) },
        { "partly visible", -300, -300, QPoint(-300, -300) },
        { "off every screen", -5000, -5000, centred },
        { "beyond the second screen", 3300, 100, centred },
        { "left only", 2000, std::nullopt, QPoint(2000, 360) },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        MorvSettings settings;
        settings.left = c.left;
        settings.top = c.top;
        EXPECT_EQ(SettingsFile::windowStartPosition(settings, window,
                                                    { primary, secondOnTheRight }, primary),
                  c.expected);
    }
}

} // namespace
