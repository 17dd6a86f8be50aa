#include "textsort.h"

#include <algorithm>
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
    // This exact exchange sort decides the order of equal keys, so that the
    // lines come out as they always have.
    for (size_t i = 0; i + 1 < records.size(); ++i) {
        for (size_t j = i + 1; j < records.size(); ++j) {
            const bool swap = mode == 0 ? records[i].insPt.x > records[j].insPt.x
                                        : records[i].insPt.y < records[j].insPt.y;
            if (swap)
                std::swap(records[i], records[j]);
        }
    }
}
