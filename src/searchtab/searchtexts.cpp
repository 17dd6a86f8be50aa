#include "searchtexts.h"

#include "form/qstrings.h"

#include "cad/connection.h"

#include <algorithm>

FoundTexts readSearchTexts(const cad::SelectionSet &set, int n,
                           const std::function<void(int i, int n)> &progress,
                           const std::function<bool()> &keepRunning)
{
    FoundTexts found;
    found.records.reserve(size_t(std::max(n, 0)));
    // About a hundred progress texts per search, whatever its size.
    const int step = std::max(1, n / 100);
    for (int i = 0; i < n; ++i) {
        if (i % step == 0)
            progress(i, n);
        if (!keepRunning())
            return found;
        const cad::Entity text = set.item(i);
        Morv2 rec;
        rec.text = qs(text.textString());
        rec.sHnd = qs(text.handle());
        rec.index = i;
        rec.insPt = text.insertionPoint();
        rec.lay = qs(text.layer());
        found.records.push_back(std::move(rec));
    }
    found.completed = true;
    return found;
}

void markLockedTexts(Morv2List &records, const std::u16string &lockedLayerList)
{
    for (Morv2 &rec : records)
        rec.locked = cad::isOnLockedLayer(lockedLayerList, us(rec.lay));
}
