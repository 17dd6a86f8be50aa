#pragma once

#include <functional>
#include <vector>

// The row sort of the grids is an exchange sort: for each position i, every
// later item j whose key is smaller than the key now at i is exchanged with
// it. Items with equal keys are never exchanged with each other, yet their
// final order follows from the exchanges of the other items and is part of
// the result.
//
// Both functions return the final order: order[k] is the item (0 .. n-1, by
// its position before the sort) that ends at position k. greater(a, b) tells
// whether the key of item a is greater than the key of item b.

// Runs the exchanges one by one: n * n / 2 comparisons. Exact for any
// comparison, also one that is not a strict weak ordering.
std::vector<int> exchangeSortOrderStepByStep(int n, const std::function<bool(int, int)> &greater);

// The same result in O(n log n) for keys that form a strict weak ordering
// (text, numbers without NaN), so that large grids sort at once.
//
// Why it works: the items with one key value v keep their relative order
// except that, each time an item with a smaller key is placed, the first
// v-item moves behind the v-items that lie between it and that smaller
// item. Items with larger keys do not matter. So the v-items end in the
// order of a queue that takes them in their original order and, for each
// smaller item met in between, moves its front item to its back. That
// queue is worked out backwards from its end, in O(log n) per item however
// many turns it takes.
std::vector<int> exchangeSortOrder(int n, const std::function<bool(int, int)> &greater);

// The same for integer keys (ranks[i] is the key of item i), without a call
// through std::function per comparison.
std::vector<int> exchangeSortOrderOfRanks(const std::vector<int> &ranks);
