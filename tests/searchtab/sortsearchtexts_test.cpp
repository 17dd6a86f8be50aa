// SortSearchTexts: the order of UTF-16 code units, and equal texts in the
// order the exchange sort leaves them.

#include "support/headlessform.h"
#include "support/qstringprinter.h"

#include "grid/exchangesortorder.h"
#include "searchtab/sortsearchtexts.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <random>

namespace {

Morv2List recordsOf(const QStringList &texts)
{
    Morv2List records;
    for (int i = 0; i < texts.size(); ++i) {
        Morv2 rec;
        rec.text = texts[i];
        rec.index = i;
        records.push_back(rec);
    }
    return records;
}

QStringList textsOf(const Morv2List &records)
{
    QStringList texts;
    for (const Morv2 &rec : records)
        texts << rec.text;
    return texts;
}

struct OrderCase
{
    const char *name;
    QString a;
    QString b;
    bool aAfterB;
};

class SearchTabTextOrder : public ::testing::TestWithParam<OrderCase>
{
};

TEST_P(SearchTabTextOrder, ComparesCodeUnits)
{
    const OrderCase &c = GetParam();
    EXPECT_EQ(textSortsAfter(c.a, c.b), c.aAfterB);
}

const OrderCase OrderCases[] = {
    {"UpperCaseBeforeLowerCase", "a", "B", true},
    {"PrefixFirst", "AB", "A", true},
    {"PrefixIsNotAfterItsExtension", "A", "AB", false},
    {"EqualIsNotAfter", "検索", "検索", false},
    {"FullWidthAfterAscii", QStringLiteral("Ａ"), "z", true},
    // A character beyond the BMP is stored as surrogates (D83D …), which
    // come before U+FF5E as code units though not as code points.
    {"SurrogatesBeforeHighBmp", QStringLiteral("～"), QStringLiteral("😀"), true},
    {"EmptyFirst", "", " ", false},
};

INSTANTIATE_TEST_SUITE_P(Cases, SearchTabTextOrder, ::testing::ValuesIn(OrderCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(SearchTabSort, MatchesTheExchangeSortStepByStep)
{
    std::mt19937 random(7);
    QStringList texts;
    for (int i = 0; i < 300; ++i)
        texts << QStringLiteral("K%1").arg(random() % 23);
    Morv2List records = recordsOf(texts);
    QLabel label;
    TestPump pump;
    SortSearchTexts(records, &label, pump);

    const std::vector<int> expected = exchangeSortOrderStepByStep(
        int(texts.size()), [&](int a, int b) { return textSortsAfter(texts[a], texts[b]); });
    std::vector<int> order;
    for (const Morv2 &rec : records)
        order.push_back(rec.index);
    EXPECT_EQ(order, expected);
    EXPECT_EQ(pump.calls, 100); // 300 div 100 = every third place of 299
    EXPECT_EQ(label.text(), "");
}

TEST(SearchTabSort, FewerThanTwoRecordsOnlyEmptyTheLabel)
{
    for (const QStringList &texts : {QStringList{}, QStringList{"X"}}) {
        Morv2List records = recordsOf(texts);
        QLabel label(QStringLiteral("TEXT = 1"));
        TestPump pump;
        SortSearchTexts(records, &label, pump);
        EXPECT_EQ(textsOf(records), texts);
        EXPECT_EQ(label.text(), "");
        EXPECT_EQ(pump.calls, 0);
    }
}

} // namespace
