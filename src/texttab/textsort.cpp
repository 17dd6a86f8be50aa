#include "textsort.h"

#include "grid/exchangesortorder.h"

#include <algorithm>
#include <cmath>
#include <utility>

void SortTextsByPosition(MorvList &records, int mode)
{
    if (records.size() < 2)
        return;
    if (mode >= 3) {
        double minX = records[0].insPt.x, maxX = minX, minY = records[0].insPt.y, maxY = minY;
        for (const Morv &r : records) {
            minX = std::min(minX, r.insPt.x);
            maxX = std::max(maxX, r.insPt.x);
            minY = std::min(minY, r.insPt.y);
            maxY = std::max(maxY, r.insPt.y);
        }
        // A column of texts, and a square spread, read top to bottom.
        mode = (maxY - minY) >= (maxX - minX) ? 1 : 0;
    }
    if (mode != 0 && mode != 1)
        return;
    // The lines come out in the order of an exchange sort, which also
    // decides the order of equal keys; it is worked out in O(n log n), so
    // that a pick of 100,000 texts is sorted at once.
    const bool hasNaN = std::any_of(records.begin(), records.end(), [mode](const Morv &r) {
        return std::isnan(mode == 0 ? r.insPt.x : r.insPt.y);
    });
    // Exchanged when the key at i is greater (x) or the y at i is lower.
    const auto greater = [&](int a, int b) {
        return mode == 0 ? records[size_t(a)].insPt.x > records[size_t(b)].insPt.x
                         : records[size_t(a)].insPt.y < records[size_t(b)].insPt.y;
    };
    const int n = int(records.size());
    // NaN makes the comparison no ordering: only the exchanges themselves
    // tell the result then.
    const std::vector<int> order = hasNaN ? exchangeSortOrderStepByStep(n, greater) : exchangeSortOrder(n, greater);
    MorvList sorted;
    sorted.reserve(records.size());
    for (int i : order)
        sorted.push_back(std::move(records[size_t(i)]));
    records = std::move(sorted);
}
