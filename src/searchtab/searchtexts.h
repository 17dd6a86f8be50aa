#pragma once
// Reading the TEXT entities the search selected into records, and marking
// those on locked layers.

#include "morv2.h"

class SearchMatcher;

#include "cad/selectionset.h"

#include <functional>

struct FoundTexts
{
    Morv2List records;
    bool completed = false; // false: the stop request ended the reading
};

// Reads the first n entities of the set (n = its Count) in set order.
// Before each entity: `progress(i, n)` every n div 100 entities (at least
// every entity), then `keepRunning()`, which lets the GUI process messages
// and says whether the user has not asked to stop. A failing CAD call ends
// the reading by its CadError.
FoundTexts readSearchTexts(const cad::SelectionSet &set, int n,
                           const std::function<void(int i, int n)> &progress,
                           const std::function<bool()> &keepRunning);

// Keeps the records whose text the matcher takes, in their order.
void keepMatchingTexts(Morv2List &records, const SearchMatcher &matcher);

// "属性": reads the attributes of the first n block references of the set
// (n = its Count), skipping those on a layer of the locked-layer list, and
// takes each attribute whose value the matcher takes. Progress and stop
// test as readSearchTexts; `index` is the block reference's position in
// the set. A block reference whose reading fails is skipped whole.
FoundTexts readSearchAttributes(const cad::SelectionSet &set, int n, const std::u16string &lockedLayerList,
                                const SearchMatcher &matcher,
                                const std::function<void(int i, int n)> &progress,
                                const std::function<bool()> &keepRunning);

// Marks the records on a layer of the locked-layer list (cad::LockedLayerList).
void markLockedTexts(Morv2List &records, const std::u16string &lockedLayerList);
