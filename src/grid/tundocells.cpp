#include "grid/tundocells.h"

#include "grid/stringgrid.h"

#include <algorithm>

TUndoCells::~TUndoCells()
{
    Clear();
}

TUndoCell *TUndoCells::Add(StringGrid *aGrid, int ACol, int ARow)
{
    auto record = std::make_unique<TUndoCell>();
    record->SetText(aGrid->cellText(ACol, ARow));
    record->SetX(ACol);
    record->SetY(ARow);
    record->SetGrid(aGrid);

    int level = 0;
    if (const TUndoCell *last = LastOf(aGrid)) {
        level = last->UndoLevel() + 1;
        if (FUndoLevels > 0 && level > FUndoLevels - 1)
            level = DropOldest(aGrid);
    }
    record->SetUndoLevel(level);

    FList.push_back(std::move(record));
    return FList.back().get();
}

void TUndoCells::Undo(StringGrid *aGrid)
{
    Undo(aGrid, 1);
}

void TUndoCells::Undo(StringGrid *aGrid, int count)
{
    std::unique_ptr<TUndoCell> taken;
    for (int i = 0; i < count; ++i) {
        // The newest record of the grid is its last one (see LastOf).
        const auto newest = std::find_if(FList.rbegin(), FList.rend(),
                                         [aGrid](const auto &record) { return record->Grid() == aGrid; });
        if (newest == FList.rend())
            break;
        taken = std::move(*newest);
        FList.erase(std::next(newest).base());
        aGrid->setCellText(taken->X(), taken->Y(), taken->Text());
    }
    // Only the cell put back last becomes current: moving through every
    // cell of a large paste would show each one in the CAD on the way.
    if (taken) {
        aGrid->setCurrentCell(taken->X(), taken->Y());
        aGrid->setFocus();
    }
}

void TUndoCells::Clear()
{
    FList.clear();
}

TUndoCell *TUndoCells::LastOf(StringGrid *aGrid) const
{
    // A grid's levels rise in list order (Add appends the next level, Undo
    // takes the newest, DropOldest renumbers in order), so its newest record
    // is its last one: found from the back, a paste of 100,000 cells saves
    // each cell at once instead of scanning every record before it.
    for (auto it = FList.rbegin(); it != FList.rend(); ++it) {
        if ((*it)->Grid() == aGrid)
            return it->get();
    }
    return nullptr;
}

TUndoCell *TUndoCells::FirstOf(StringGrid *aGrid) const
{
    for (const auto &record : FList) {
        if (record->Grid() == aGrid)
            return record.get();
    }
    return nullptr;
}

int TUndoCells::DropOldest(StringGrid *aGrid)
{
    const auto first = std::find_if(FList.begin(), FList.end(),
                                    [aGrid](const auto &record) { return record->Grid() == aGrid; });
    if (first == FList.end())
        return 0;
    FList.erase(first);
    int level = 0;
    for (const auto &record : FList) {
        if (record->Grid() == aGrid)
            record->SetUndoLevel(level++);
    }
    return level;
}

void TUndoCells::RemapRows(StringGrid *aGrid, const std::vector<int> &newRowOf)
{
    for (const auto &record : FList) {
        if (record->Grid() == aGrid && record->Y() >= 0 && record->Y() < int(newRowOf.size()))
            record->SetY(newRowOf[size_t(record->Y())]);
    }
}
