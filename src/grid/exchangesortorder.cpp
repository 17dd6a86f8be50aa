#include "grid/exchangesortorder.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace {

// Counts marked positions before a position.
class PositionCounter
{
public:
    explicit PositionCounter(int n) : m_tree(size_t(n) + 1, 0) {}

    void mark(int position)
    {
        for (size_t i = size_t(position) + 1; i < m_tree.size(); i += i & (~i + 1))
            ++m_tree[i];
    }
    int countBefore(int position) const
    {
        int count = 0;
        for (size_t i = size_t(position); i > 0; i -= i & (~i + 1))
            count += m_tree[i];
        return count;
    }

private:
    std::vector<int> m_tree;
};

// The slots of a queue's final order, all taken at first; finds the k-th
// slot still taken and gives slots up, each in O(log n).
class TakenSlots
{
public:
    explicit TakenSlots(int n) : m_tree(size_t(n) + 1, 0)
    {
        for (size_t i = 1; i < m_tree.size(); ++i)
            m_tree[i] = int(i & (~i + 1));
        while (m_top * 2 <= size_t(n))
            m_top *= 2;
    }

    void giveUp(int slot)
    {
        for (size_t i = size_t(slot) + 1; i < m_tree.size(); i += i & (~i + 1))
            --m_tree[i];
    }
    // The k-th slot still taken, counted from 0.
    int kth(int k) const
    {
        size_t position = 0;
        for (size_t step = m_top; step > 0; step /= 2) {
            if (position + step < m_tree.size() && m_tree[position + step] <= k) {
                position += step;
                k -= m_tree[position];
            }
        }
        return int(position);
    }

private:
    std::vector<int> m_tree;
    size_t m_top = 1;
};

// The items by key, those of one key in their original order.
template <typename Greater>
std::vector<int> itemsByKey(int n, const Greater &greater)
{
    std::vector<int> byKey(size_t(std::max(n, 0)));
    std::iota(byKey.begin(), byKey.end(), 0);
    std::stable_sort(byKey.begin(), byKey.end(), [&](int a, int b) { return greater(b, a); });
    return byKey;
}

// The same for integer keys of a range not much wider than their number:
// counted into place, in O(n).
std::vector<int> itemsByRank(const std::vector<int> &ranks)
{
    const auto [low, high] = std::minmax_element(ranks.begin(), ranks.end());
    const size_t width = ranks.empty() ? 0 : size_t(int64_t(*high) - int64_t(*low)) + 1;
    if (width > 2 * ranks.size() + 16)
        return itemsByKey(int(ranks.size()), [&ranks](int a, int b) { return ranks[size_t(a)] > ranks[size_t(b)]; });
    std::vector<int> start(width + 1, 0);
    for (const int rank : ranks)
        ++start[size_t(rank - *low) + 1];
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<int> byKey(ranks.size());
    for (size_t i = 0; i < ranks.size(); ++i)
        byKey[size_t(start[size_t(ranks[i] - *low)]++)] = int(i);
    return byKey;
}

template <typename Greater>
std::vector<int> exchangeOrder(int n, const std::vector<int> &byKey, const Greater &greater)
{
    std::vector<int> order;
    order.reserve(byKey.size());
    PositionCounter smaller(n);
    size_t begin = 0;
    while (begin < byKey.size()) {
        // One key value: its items are in their original order (stable sort).
        size_t end = begin + 1;
        while (end < byKey.size() && !greater(byKey[end], byKey[begin]))
            ++end;

        // The queue takes item m, then moves its front item to its back
        // `turns[m]` times.
        const int count = int(end - begin);
        std::vector<int> turns(static_cast<size_t>(count));
        for (int m = 0; m < count; ++m) {
            const int item = byKey[begin + size_t(m)];
            const int next = m + 1 < count ? byKey[begin + size_t(m) + 1] : n;
            turns[size_t(m)] = (smaller.countBefore(next) - smaller.countBefore(item)) % (m + 1);
        }
        // Backwards from the final queue, whose front is slot 0: before its
        // turns, item m stood at the back, just before the front then. Taking
        // it out gives the queue before it came, with the same front.
        std::vector<int> queue(static_cast<size_t>(count));
        TakenSlots slots(count);
        int front = 0; // the front's rank among the slots still taken
        for (int m = count - 1; m >= 0; --m) {
            const int size = m + 1;
            const int back = ((front - turns[size_t(m)] - 1) % size + size) % size;
            const int slot = slots.kth(back);
            queue[size_t(slot)] = byKey[begin + size_t(m)];
            slots.giveUp(slot);
            front = back == size - 1 ? 0 : back;
        }
        order.insert(order.end(), queue.begin(), queue.end());
        for (size_t m = begin; m < end; ++m)
            smaller.mark(byKey[m]);
        begin = end;
    }
    return order;
}

} // namespace

std::vector<int> exchangeSortOrderStepByStep(int n, const std::function<bool(int, int)> &greater)
{
    std::vector<int> order(size_t(std::max(n, 0)));
    std::iota(order.begin(), order.end(), 0);
    for (int i = 0; i < n - 1; ++i) {
        for (int j = i + 1; j < n; ++j) {
            if (greater(order[size_t(i)], order[size_t(j)]))
                std::swap(order[size_t(i)], order[size_t(j)]);
        }
    }
    return order;
}

std::vector<int> exchangeSortOrder(int n, const std::function<bool(int, int)> &greater)
{
    return exchangeOrder(n, itemsByKey(n, greater), greater);
}

std::vector<int> exchangeSortOrderOfRanks(const std::vector<int> &ranks)
{
    return exchangeOrder(int(ranks.size()), itemsByRank(ranks),
                         [&ranks](int a, int b) { return ranks[size_t(a)] > ranks[size_t(b)]; });
}
