#pragma once
// Drawing entities: TEXT, block references and their attributes.

#include "point.h"
#include "typedobject.h"

#include <string>
#include <vector>

namespace cad {

class Entity : public TypedObject
{
public:
    using TypedObject::TypedObject;

    std::u16string textString() const;
    void setTextString(const std::u16string &text) const;
    int alignment() const;
    void setAlignment(int alignment) const;
    Point insertionPoint() const;
    void setInsertionPoint(const Point &p) const;
    Point textAlignmentPoint() const;
    void setTextAlignmentPoint(const Point &p) const;

    std::u16string handle() const;
    std::u16string layer() const;
    int64_t objectId() const;
    int64_t ownerId() const;
    std::u16string entityName() const;

    Entity copy() const;
    // The CAD's Delete: removes the entity from the drawing.
    void erase() const;
    void update() const;
};

class Attribute : public Entity
{
public:
    using Entity::Entity;

    std::u16string tagString() const;
    std::u16string promptString() const;
};

class BlockReference : public Entity
{
public:
    using Entity::Entity;
    explicit BlockReference(const Entity &entity) : Entity(entity.object()) {}

    std::u16string name() const;
    bool hasAttributes() const;
    std::vector<Attribute> getAttributes() const;
};

} // namespace cad
