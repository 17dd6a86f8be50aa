#include "blocksort.h"

#include <algorithm>
#include <utility>

void SortBlocksByPosition(GridBlockList &blocks)
{
    if (blocks.size() < 2)
        return;
    double minX = blocks[0].insPt.x, maxX = minX, minY = blocks[0].insPt.y, maxY = minY;
    for (const nBlk &b : blocks) {
        minX = std::min(minX, b.insPt.x);
        maxX = std::max(maxX, b.insPt.x);
        minY = std::min(minY, b.insPt.y);
        maxY = std::max(maxY, b.insPt.y);
    }
    const bool byY = (maxY - minY) >= (maxX - minX);
    for (size_t i = 0; i + 1 < blocks.size(); ++i) {
        for (size_t j = i + 1; j < blocks.size(); ++j) {
            const bool before = byY ? blocks[j].insPt.y > blocks[i].insPt.y : blocks[j].insPt.x < blocks[i].insPt.x;
            if (before)
                std::swap(blocks[i], blocks[j]);
        }
    }
}
