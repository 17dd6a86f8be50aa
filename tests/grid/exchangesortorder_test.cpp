#include "grid/exchangesortorder.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::vector<int> fastOrder(const std::vector<int> &keys)
{
    return exchangeSortOrder(int(keys.size()), [&keys](int a, int b) { return keys[a] > keys[b]; });
}

std::vector<int> exchangedOrder(const std::vector<int> &keys)
{
    return exchangeSortOrderStepByStep(int(keys.size()),
                                       [&keys](int a, int b) { return keys[a] > keys[b]; });
}

TEST(GridExchangeSort, EqualKeysMoveWithTheExchanges)
{
    // Items 0 and 1 share key 2; placing item 2 (key 1) moves item 0 behind
    // item 1. With the smaller item between them their order stays.
    EXPECT_EQ(exchangedOrder({2, 2, 1}), (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(exchangedOrder({2, 1, 2}), (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(fastOrder({2, 2, 1}), (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(fastOrder({2, 1, 2}), (std::vector<int>{1, 0, 2}));
}

TEST(GridExchangeSort, FastOrderEqualsTheExchangesForRandomKeys)
{
    std::mt19937 random(20261210);
    for (int round = 0; round < 400; ++round) {
        const int n = int(random() % 150);
        const int values = 1 + int(random() % 8);
        std::vector<int> keys(size_t(n), 0);
        for (int &key : keys)
            key = int(random() % unsigned(values));
        const std::vector<int> exchanged = exchangedOrder(keys);
        ASSERT_EQ(fastOrder(keys), exchanged) << "round " << round;
        ASSERT_EQ(exchangeSortOrderOfRanks(keys), exchanged) << "round " << round;
        // Integer keys below zero and keys far apart give the same order.
        std::vector<int> shifted = keys, spread = keys;
        for (size_t i = 0; i < keys.size(); ++i) {
            shifted[i] = keys[i] - 4;
            spread[i] = keys[i] * 1000003;
        }
        ASSERT_EQ(exchangeSortOrderOfRanks(shifted), exchanged) << "round " << round;
        ASSERT_EQ(exchangeSortOrderOfRanks(spread), exchanged) << "round " << round;
    }
}

TEST(GridExchangeSort, NoItemsAndOneItem)
{
    EXPECT_TRUE(fastOrder({}).empty());
    EXPECT_EQ(fastOrder({5}), (std::vector<int>{0}));
    EXPECT_EQ(exchangedOrder({5}), (std::vector<int>{0}));
}

TEST(GridExchangeSort, StepByStepFollowsAComparisonThatIsNoOrdering)
{
    // Every comparison with item 1 counts as greater, as an undecidable
    // numeric comparison does: it is exchanged with everything after it
    // and everything before it is exchanged with it.
    const auto greater = [](int a, int b) { return a == 1 || b == 1 || a > b; };
    EXPECT_EQ(exchangeSortOrderStepByStep(3, greater), (std::vector<int>{2, 1, 0}));
}

} // namespace
