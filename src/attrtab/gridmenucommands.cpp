#include "gridmenucommands.h"

#include "form/qstrings.h"
#include "grid/stringgrid.h"
#include "grid/tundocells.h"
#include "transform/incrementtext.h"
#include "transform/replacetext.h"
#include "transform/zenhanutil.h"

#include <functional>
#include <optional>

namespace {

bool isInsideGrid(const StringGrid *grid, int col, int row)
{
    return col >= 0 && col < grid->colCount() && row >= 0 && row < grid->rowCount();
}

// Visits the selection row by row, left to right; convert gives the new
// text of a cell or nothing to leave it unsaved and unchanged.
int changeSelection(StringGrid *grid, const GridRect &selection, TUndoCells &undo,
                    const std::function<std::optional<std::u16string>(const std::u16string &)> &convert)
{
    int saved = 0;
    for (int row = selection.top; row <= selection.bottom; ++row) {
        for (int col = selection.left; col <= selection.right; ++col) {
            if (!isInsideGrid(grid, col, row))
                continue;
            const std::optional<std::u16string> text = convert(us(grid->cellText(col, row)));
            if (!text)
                continue;
            undo.Add(grid, col, row);
            ++saved;
            grid->setCellText(col, row, qs(*text));
        }
    }
    return saved;
}

} // namespace

int convertSelectionToFullWidth(StringGrid *grid, const GridRect &selection, TUndoCells &undo)
{
    return changeSelection(grid, selection, undo, [](std::u16string s) -> std::optional<std::u16string> {
        AllHanToZen(s);
        for (char16_t &c : s) {
            if (c == u'\u3000')
                c = u' ';
        }
        return s;
    });
}

int convertSelectionToHalfWidth(StringGrid *grid, const GridRect &selection, TUndoCells &undo)
{
    return changeSelection(grid, selection, undo, [](std::u16string s) -> std::optional<std::u16string> {
        AllZenToHan(s);
        return s;
    });
}

int replaceInSelection(StringGrid *grid, const GridRect &selection, const std::u16string &find,
                       const std::u16string &repl, TUndoCells &undo)
{
    return changeSelection(grid, selection, undo, [&](const std::u16string &s) -> std::optional<std::u16string> {
        return ReplaceText(s, find, repl, false);
    });
}

int incrementSelection(StringGrid *grid, const GridRect &selection, const IncrementSettings &settings,
                       TUndoCells &undo)
{
    return changeSelection(grid, selection, undo, [&](const std::u16string &s) -> std::optional<std::u16string> {
        std::optional<std::u16string> r = IncrementText(s, settings);
        if (r && *r == s)
            return std::nullopt;
        return r;
    });
}

int writeSerialTexts(StringGrid *grid, const GridRect &selection, int currentCol, int currentRow,
                     const std::vector<std::u16string> &texts, TUndoCells &undo)
{
    const bool oneRowHigh = selection.top == selection.bottom;
    const int firstRow = oneRowHigh ? currentRow : selection.top;
    const int lastRow = oneRowHigh ? grid->rowCount() - 1 : selection.bottom;
    if (!isInsideGrid(grid, currentCol, firstRow))
        return 0;
    int saved = 0;
    for (size_t k = 0; k < texts.size(); ++k) {
        const int row = firstRow + int(k);
        if (row > lastRow || row >= grid->rowCount())
            break;
        undo.Add(grid, currentCol, row);
        ++saved;
        grid->setCellText(currentCol, row, qs(texts[k]));
    }
    return saved;
}
