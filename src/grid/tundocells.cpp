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
    TUndoCell *last = LastOf(aGrid);
    if (!last)
        return;
    aGrid->setCellText(last->X(), last->Y(), last->Text());
    const auto at = std::find_if(FList.begin(), FList.end(),
                                 [last](const auto &record) { return record.get() == last; });
    std::unique_ptr<TUndoCell> taken = std::move(*at);
    FList.erase(at);
    aGrid->setCurrentCell(taken->X(), taken->Y());
    aGrid->setFocus();
}

void TUndoCells::Clear()
{
    FList.clear();
}

TUndoCell *TUndoCells::LastOf(StringGrid *aGrid) const
{
    TUndoCell *kept = nullptr;
    int highest = -1;
    for (const auto &record : FList) {
        if (record->Grid() == aGrid && record->UndoLevel() > highest) {
            kept = record.get();
            highest = record->UndoLevel();
        }
    }
    return kept;
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
