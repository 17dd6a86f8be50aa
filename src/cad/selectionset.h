#pragma once
// A named selection set of the document, filled by picking or by a filter.

#include "entity.h"

namespace cad {

// DXF group codes of a selection filter with their values: 0 entity type,
// 1 text string, 2 block name. Values may hold the CAD's wildcards.
struct SelectionFilter
{
    std::vector<int16_t> codes;
    std::vector<std::u16string> values;

    void add(int16_t code, std::u16string value)
    {
        codes.push_back(code);
        values.push_back(std::move(value));
    }
};

class SelectionSet : public TypedObject
{
public:
    using TypedObject::TypedObject;

    std::u16string name() const;
    int count() const;
    Entity item(int index) const;
    void clear() const;
    // The CAD's Delete: removes the set from the drawing.
    void erase() const;
    // The user picks on the CAD screen; only entities passing the filter.
    void selectOnScreen(const SelectionFilter &filter) const;
    // Select mode 5: every entity of the drawing that passes the filter.
    void selectAll(const SelectionFilter &filter) const;
};

} // namespace cad
