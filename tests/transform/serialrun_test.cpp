#include "transform/serialrunfields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::u16string>;

struct RunCase
{
    const char *name;
    SerialRunFields fields;
    Texts created;
    std::u16string preview;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const RunCase &c, std::ostream *os)
{
    *os << c.name;
}

class TransformSerialRun : public testing::TestWithParam<RunCase>
{
};

TEST_P(TransformSerialRun, CreatesTheRunAndItsPreview)
{
    const RunCase &c = GetParam();
    EXPECT_EQ(SerialTexts(ReadSerialRun(c.fields, SerialFieldUse::Creation)), c.created);
    EXPECT_EQ(SerialPreview(c.fields), c.preview);
}

Texts decimalRun(int first, int last, int width)
{
    Texts texts;
    for (int v = first; v <= last; ++v) {
        std::u16string s;
        for (char ch : std::to_string(v))
            s += static_cast<char16_t>(ch);
        while (static_cast<int>(s.size()) < width)
            s.insert(s.begin(), u'0');
        texts.push_back(s);
    }
    return texts;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TransformSerialRun,
    testing::Values(
        RunCase{"InitialFields", {u"", u"00", u"", u"1", u"16", 10}, decimalRun(0, 15, 2), u"[ 00 ] ～ [ 15 ]"},
        RunCase{"PrefixUpperCased", {u"a-", u"1", u"", u"1", u"3", 10}, {u"A-1", u"A-2", u"A-3"},
                u"[ A-1 ] ～ [ A-3 ]"},
        RunCase{"ThreeDigits", {u"", u"001", u"", u"1", u"12", 10}, decimalRun(1, 12, 3), u"[ 001 ] ～ [ 012 ]"},
        RunCase{"HexStep", {u"", u"08", u"", u"2", u"3", 16}, {u"08", u"0A", u"0C"}, u"[ 08 ] ～ [ 0C ]"},
        RunCase{"HexStartLowerCase", {u"x", u"0a", u"", u"1", u"2", 16}, {u"X0A", u"X0B"}, u"[ X0A ] ～ [ X0B ]"},
        RunCase{"Octal", {u"", u"7", u"", u"1", u"3", 8}, {u"7", u"10", u"11"}, u"[ 7 ] ～ [ 11 ]"},
        RunCase{"FixedText", {u"x", u"", u"y", u"1", u"3", 10}, {u"XY", u"XY", u"XY"}, u"[ XY ] x 3"},
        RunCase{"SuffixAndStep", {u"P", u"10", u"-b", u"5", u"3", 10}, {u"P10-B", u"P15-B", u"P20-B"},
                u"[ P10-B ] ～ [ P20-B ]"},
        RunCase{"OnlyAsciiUpperCased", {u"ｐａ", u"1", u"ä", u"1", u"1", 10}, {u"ｐａ1ä"}, u"[ ｐａ1ä ] ～ [ ｐａ1ä ]"},
        RunCase{"CountZero", {u"", u"5", u"", u"1", u"0", 10}, {}, u"[ 5 ] ～ [ 4 ]"},
        RunCase{"CountNegative", {u"", u"5", u"", u"1", u"-2", 10}, {}, u"[ 5 ] ～ [ 2 ]"},
        RunCase{"NegativeStep", {u"", u"03", u"", u"-2", u"3", 10}, {u"03", u"01", u"-01"},
                u"[ 03 ] ～ [ -01 ]"}),
    [](const testing::TestParamInfo<RunCase> &info) { return std::string(info.param.name); });

// Fields that do not read count differently in the preview and the creation.
TEST(TransformSerialRunFields, UnreadableFieldsDifferBetweenPreviewAndCreation)
{
    const struct
    {
        const char *name;
        SerialRunFields fields;
        std::int32_t previewStart, previewCount, creationStart, creationCount, step;
    } cases[] = {
        {"DecimalStart", {u"", u"ab", u"", u"1", u"4", 10}, 0, 4, 1, 4, 1},
        {"HexStart", {u"", u"XY", u"", u"1", u"4", 16}, 0, 4, 1, 4, 1},
        {"OctalStartNotOctal", {u"", u"19", u"", u"1", u"4", 8}, 0, 4, 1, 4, 1},
        {"OctalStart", {u"", u"17", u"", u"1", u"4", 8}, 15, 4, 15, 4, 1},
        {"DecimalCount", {u"", u"1", u"", u"1", u"", 10}, 1, 0, 1, 1, 1},
        {"HexCount", {u"", u"1", u"", u"1", u"", 16}, 1, 1, 1, 1, 1},
        {"OctalCount", {u"", u"1", u"", u"1", u"z", 8}, 1, 1, 1, 1, 1},
        {"CountWithoutStart", {u"a", u"", u"", u"1", u"", 10}, 0, 0, 0, 0, 1},
        {"Step", {u"", u"1", u"", u"", u"2", 10}, 1, 2, 1, 2, 1},
        {"NegativeStep", {u"", u"1", u"", u"-3", u"2", 10}, 1, 2, 1, 2, -3},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const SerialRun preview = ReadSerialRun(c.fields, SerialFieldUse::Preview);
        const SerialRun creation = ReadSerialRun(c.fields, SerialFieldUse::Creation);
        EXPECT_EQ(preview.start, c.previewStart);
        EXPECT_EQ(preview.count, c.previewCount);
        EXPECT_EQ(creation.start, c.creationStart);
        EXPECT_EQ(creation.count, c.creationCount);
        EXPECT_EQ(preview.step, c.step);
        EXPECT_EQ(creation.step, c.step);
    }
}

TEST(TransformSerialRunFields, PreviewOfUnreadableFields)
{
    // An empty count with a start text: the decimal preview counts 0 texts,
    // so its last element lies one step before the start.
    EXPECT_EQ(SerialPreview({u"", u"5", u"", u"1", u"", 10}), u"[ 5 ] ～ [ 4 ]");
    EXPECT_EQ(SerialPreview({u"", u"5", u"", u"1", u"", 16}), u"[ 5 ] ～ [ 5 ]");
    // The start text is shown as typed, the last text as written in the radix.
    EXPECT_EQ(SerialPreview({u"", u"zz", u"", u"1", u"3", 10}), u"[ ZZ ] ～ [ 02 ]");
    EXPECT_EQ(SerialPreview({u"a", u"", u"", u"1", u"", 10}), u"[ A ] x 0");
}

TEST(TransformSerialRun, LimitStopsTheRun)
{
    SerialRun run;
    run.startText = u"1";
    run.start = 1;
    run.count = 16;
    EXPECT_EQ(SerialTexts(run, 3), (Texts{u"1", u"2", u"3"}));
    EXPECT_EQ(SerialText(run, 15), u"16");
}

TEST(TransformSerialRun, HexRunBelowZeroWraps)
{
    SerialRun run;
    run.startText = u"01";
    run.radix = 16;
    run.start = 1;
    run.step = -1;
    run.count = 3;
    EXPECT_EQ(SerialTexts(run), (Texts{u"01", u"00", u"FFFFFFFF"}));
}

} // namespace
