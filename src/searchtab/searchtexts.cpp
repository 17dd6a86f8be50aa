#include "searchtexts.h"

#include "widthinsensitivepattern.h"

#include "form/qstrings.h"

#include "cad/caderror.h"
#include "cad/connection.h"
#include "cad/entity.h"

#include <algorithm>

namespace {

// Reads items 0 … n-1 of a selection set with readItem, showing about a
// hundred progress texts whatever the size and testing "中止" before each
// item. Returns false when stopped.
template <typename ReadItem>
bool readEachItem(int n, const std::function<void(int i, int n)> &progress,
                  const std::function<bool()> &keepRunning, ReadItem readItem)
{
    const int step = std::max(1, n / 100);
    for (int i = 0; i < n; ++i) {
        if (i % step == 0)
            progress(i, n);
        if (!keepRunning())
            return false;
        readItem(i);
    }
    return true;
}

} // namespace

FoundTexts readSearchTexts(const cad::SelectionSet &set, int n,
                           const std::function<void(int i, int n)> &progress,
                           const std::function<bool()> &keepRunning)
{
    FoundTexts found;
    found.records.reserve(size_t(std::max(n, 0)));
    found.completed = readEachItem(n, progress, keepRunning, [&](int i) {
        const cad::Entity text = set.item(i);
        Morv2 rec;
        rec.text = qs(text.textString());
        rec.sHnd = qs(text.handle());
        rec.index = i;
        rec.insPt = text.insertionPoint();
        rec.lay = qs(text.layer());
        found.records.push_back(std::move(rec));
    });
    return found;
}

void keepMatchingTexts(Morv2List &records, const SearchMatcher &matcher)
{
    std::erase_if(records, [&](const Morv2 &rec) { return !matcher.matches(us(rec.text)); });
}

FoundTexts readSearchAttributes(const cad::SelectionSet &set, int n, const std::u16string &lockedLayerList,
                                const SearchMatcher &matcher,
                                const std::function<void(int i, int n)> &progress,
                                const std::function<bool()> &keepRunning)
{
    FoundTexts found;
    found.completed = readEachItem(n, progress, keepRunning, [&](int i) {
        Morv2List ofBlock;
        try {
            const cad::BlockReference ref(set.item(i));
            if (cad::isOnLockedLayer(lockedLayerList, ref.layer()) || !ref.hasAttributes())
                return;
            for (const cad::Attribute &attribute : ref.getAttributes()) {
                Morv2 rec;
                rec.text = qs(attribute.textString());
                if (!matcher.matches(us(rec.text)))
                    continue;
                rec.sHnd = qs(attribute.handle());
                rec.index = i;
                rec.insPt = attribute.insertionPoint();
                rec.lay = qs(attribute.layer());
                rec.attribute = true;
                rec.tag = qs(attribute.tagString());
                ofBlock.push_back(std::move(rec));
            }
        } catch (const cad::CadError &) {
            return; // this block reference is skipped; the others are read
        }
        for (Morv2 &rec : ofBlock)
            found.records.push_back(std::move(rec));
    });
    return found;
}

void markLockedTexts(Morv2List &records, const std::u16string &lockedLayerList)
{
    for (Morv2 &rec : records)
        rec.locked = cad::isOnLockedLayer(lockedLayerList, us(rec.lay));
}
