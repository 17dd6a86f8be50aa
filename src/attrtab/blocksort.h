#pragma once

#include "gridrecords.h"

// Orders the block references as they lie in the drawing: by y, largest
// first (top to bottom), when their spread in y is not smaller than their
// spread in x, else by x, smallest first (left to right). The exchange sort
// decides the order of equal keys, so rows come out as they always have.
void SortBlocksByPosition(GridBlockList &blocks);
