#pragma once
// SortTextsByPosition: orders the records of the first tab left to right
// (mode 0), top to bottom (mode 1), or by whichever extent is larger (3).

#include "morv.h"

void SortTextsByPosition(MorvList &records, int mode);
