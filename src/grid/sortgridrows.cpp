#include "grid/sortgridrows.h"

#include "grid/exchangesortorder.h"
#include "grid/stringgrid.h"
#include "grid/tundocells.h"

#include <QLocale>

#include <cmath>
#include <string_view>

namespace {

std::u16string_view codeUnits(const QString &text)
{
    return {reinterpret_cast<const char16_t *>(text.utf16()), size_t(text.size())};
}

std::vector<int> textOrder(const std::vector<QString> &keys)
{
    return exchangeSortOrder(int(keys.size()), [&keys](int a, int b) {
        return codeUnits(keys[size_t(a)]) > codeUnits(keys[size_t(b)]);
    });
}

std::vector<int> numberOrder(const std::vector<QString> &texts)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    std::vector<double> keys;
    keys.reserve(texts.size());
    bool hasNaN = false;
    for (const QString &text : texts) {
        bool ok = false;
        const double value = locale.toDouble(text, &ok);
        keys.push_back(ok ? value : 0.0);
        hasNaN = hasNaN || (ok && std::isnan(value));
    }
    // A comparison that cannot be decided (NaN) counts as greater.
    const auto greater = [&keys](int a, int b) { return !(keys[size_t(a)] <= keys[size_t(b)]); };
    // NaN makes the comparison no ordering: only the exchanges themselves
    // tell the result then.
    return hasNaN ? exchangeSortOrderStepByStep(int(keys.size()), greater)
                  : exchangeSortOrder(int(keys.size()), greater);
}

} // namespace

void SortGridRows(StringGrid *grid, int keyCol, bool numeric, TUndoCells *undoCells)
{
    const int firstRow = grid->fixedRows();
    const int rowCount = grid->rowCount();
    if (rowCount - firstRow < 2)
        return;

    std::vector<QString> keys;
    keys.reserve(size_t(rowCount - firstRow));
    for (int row = firstRow; row < rowCount; ++row)
        keys.push_back(grid->cellText(keyCol, row));

    const std::vector<int> order = numeric ? numberOrder(keys) : textOrder(keys);

    std::vector<int> newOrder;
    newOrder.reserve(order.size());
    std::vector<int> newRowOf(static_cast<size_t>(rowCount));
    for (int row = 0; row < rowCount; ++row)
        newRowOf[size_t(row)] = row;
    for (size_t k = 0; k < order.size(); ++k) {
        newOrder.push_back(firstRow + order[k]);
        newRowOf[size_t(firstRow + order[k])] = firstRow + int(k);
    }
    grid->reorderDataRows(newOrder);
    if (undoCells)
        undoCells->RemapRows(grid, newRowOf);
}
