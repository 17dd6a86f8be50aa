#include "selectionset.h"

namespace cad {

namespace {

Variant filterValues(const SelectionFilter &filter)
{
    std::vector<Variant> values;
    for (const auto &v : filter.values)
        values.emplace_back(v);
    return Variant(std::move(values));
}

constexpr int32_t SelectAllMode = 5;

} // namespace

std::u16string SelectionSet::name() const { return get(u"Name").toString(); }
int SelectionSet::count() const { return get(u"Count").toInt32(); }
Entity SelectionSet::item(int index) const { return Entity(call(u"Item", {int32_t(index)}).toObject()); }
void SelectionSet::clear() const { call(u"Clear"); }
void SelectionSet::erase() const { call(u"Delete"); }

void SelectionSet::selectOnScreen(const SelectionFilter &filter) const
{
    call(u"SelectOnScreen", {Variant(filter.codes), filterValues(filter)});
}

void SelectionSet::selectAll(const SelectionFilter &filter) const
{
    // The two corner points of a window selection are left out in mode 5.
    call(u"Select", {SelectAllMode, Variant::missing(), Variant::missing(), Variant(filter.codes),
                     filterValues(filter)});
}

} // namespace cad
