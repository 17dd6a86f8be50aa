#include "entity.h"

namespace cad {

std::u16string Entity::textString() const { return get(u"TextString").toString(); }
void Entity::setTextString(const std::u16string &text) const { put(u"TextString", text); }
int Entity::alignment() const { return get(u"Alignment").toInt32(); }
void Entity::setAlignment(int alignment) const { put(u"Alignment", int32_t(alignment)); }
Point Entity::insertionPoint() const { return toPoint(get(u"InsertionPoint")); }
void Entity::setInsertionPoint(const Point &p) const { put(u"InsertionPoint", toVariant(p)); }
Point Entity::textAlignmentPoint() const { return toPoint(get(u"TextAlignmentPoint")); }
void Entity::setTextAlignmentPoint(const Point &p) const { put(u"TextAlignmentPoint", toVariant(p)); }

std::u16string Entity::handle() const { return get(u"Handle").toString(); }
std::u16string Entity::layer() const { return get(u"Layer").toString(); }
int64_t Entity::objectId() const { return get(u"ObjectId").toInt64(); }
int64_t Entity::ownerId() const { return get(u"OwnerId").toInt64(); }
std::u16string Entity::entityName() const { return get(u"EntityName").toString(); }

Entity Entity::copy() const { return Entity(call(u"Copy").toObject()); }
void Entity::erase() const { call(u"Delete"); }
void Entity::update() const { call(u"Update"); }

std::u16string Attribute::tagString() const { return get(u"TagString").toString(); }
std::u16string Attribute::promptString() const { return get(u"PromptString").toString(); }

std::u16string BlockReference::name() const { return get(u"Name").toString(); }
bool BlockReference::hasAttributes() const { return get(u"HasAttributes").toBool(); }

std::vector<Attribute> BlockReference::getAttributes() const
{
    const Variant result = call(u"GetAttributes");
    std::vector<Attribute> attributes;
    if (result.isEmpty())
        return attributes;
    for (const Variant &v : result.toVariantArray())
        attributes.emplace_back(v.toObject());
    return attributes;
}

} // namespace cad
