#include "grid/exchangesortorder.h"

#include <algorithm>
#include <deque>
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
    std::vector<int> byKey(size_t(std::max(n, 0)));
    std::iota(byKey.begin(), byKey.end(), 0);
    std::stable_sort(byKey.begin(), byKey.end(), [&](int a, int b) { return greater(b, a); });

    std::vector<int> order;
    order.reserve(byKey.size());
    PositionCounter smaller(n);
    size_t begin = 0;
    while (begin < byKey.size()) {
        // One key value: its items are in their original order (stable sort).
        size_t end = begin + 1;
        while (end < byKey.size() && !greater(byKey[end], byKey[begin]))
            ++end;

        std::deque<int> queue;
        for (size_t m = begin; m < end; ++m) {
            queue.push_back(byKey[m]);
            const int next = m + 1 < end ? byKey[m + 1] : n;
            const int placedBetween = smaller.countBefore(next) - smaller.countBefore(byKey[m]);
            for (int turn = placedBetween % int(queue.size()); turn > 0; --turn) {
                queue.push_back(queue.front());
                queue.pop_front();
            }
        }
        order.insert(order.end(), queue.begin(), queue.end());
        for (size_t m = begin; m < end; ++m)
            smaller.mark(byKey[m]);
        begin = end;
    }
    return order;
}
