#include "collections.h"

namespace cad {

std::u16string Layer::name() const { return get(u"Name").toString(); }
bool Layer::isLocked() const { return get(u"Lock").toBool(); }

int Layers::count() const { return get(u"Count").toInt32(); }
Layer Layers::item(int index) const { return Layer(call(u"Item", {int32_t(index)}).toObject()); }

std::u16string Block::name() const { return get(u"Name").toString(); }
int Block::count() const { return get(u"Count").toInt32(); }
Entity Block::item(int index) const { return Entity(call(u"Item", {int32_t(index)}).toObject()); }

int Blocks::count() const { return get(u"Count").toInt32(); }
Block Blocks::item(int index) const { return Block(call(u"Item", {int32_t(index)}).toObject()); }
Block Blocks::item(const std::u16string &name) const { return Block(call(u"Item", {name}).toObject()); }

int SelectionSets::count() const { return get(u"Count").toInt32(); }
SelectionSet SelectionSets::item(int index) const
{
    return SelectionSet(call(u"Item", {int32_t(index)}).toObject());
}
SelectionSet SelectionSets::add(const std::u16string &name) const
{
    return SelectionSet(call(u"Add", {name}).toObject());
}

} // namespace cad
