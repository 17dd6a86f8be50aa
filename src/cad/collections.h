#pragma once
// The document's collections: layers, block definitions, selection sets.

#include "entity.h"
#include "selectionset.h"

namespace cad {

class Layer : public TypedObject
{
public:
    using TypedObject::TypedObject;
    std::u16string name() const;
    bool isLocked() const;
};

class Layers : public TypedObject
{
public:
    using TypedObject::TypedObject;
    int count() const;
    Layer item(int index) const;
};

// A block definition: its entities, attribute definitions among them.
class Block : public TypedObject
{
public:
    using TypedObject::TypedObject;
    std::u16string name() const;
    int count() const;
    Entity item(int index) const;
};

class Blocks : public TypedObject
{
public:
    using TypedObject::TypedObject;
    int count() const;
    Block item(int index) const;
    Block item(const std::u16string &name) const;
};

class SelectionSets : public TypedObject
{
public:
    using TypedObject::TypedObject;
    int count() const;
    SelectionSet item(int index) const;
    SelectionSet add(const std::u16string &name) const;
};

} // namespace cad
