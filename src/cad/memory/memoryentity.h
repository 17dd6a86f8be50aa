#pragma once
// One entity of the in-memory drawing, with everything the automation model
// reads and writes of it.

#include "cad/point.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace cad {

using Handle = uint64_t;

enum class EntityKind {
    Text,
    BlockReference,
    Attribute,
    AttributeDefinition,
    Other, // lines, circles, MTEXT …: present in the drawing, never edited here
};

// What a program built on the in-memory drawing keeps per entity beyond the
// automation model (the stand-in CAD keeps the DXF groups it read). It is
// copied with the entity by Copy.
class EntityExtension
{
public:
    virtual ~EntityExtension() = default;
    virtual std::shared_ptr<EntityExtension> clone() const = 0;
    // Throws CadError for a TextString the program cannot keep (the
    // stand-in CAD: one its file cannot be written with); the string is
    // then refused as a CAD refuses it.
    virtual void checkText(const std::u16string &text) const { (void)text; }
};

struct MemoryEntity
{
    Handle handle = 0;
    EntityKind kind = EntityKind::Other;
    std::u16string dxfType;        // "TEXT", "INSERT", "ATTRIB", "ATTDEF", "LINE" …
    std::u16string layer = u"0";
    std::u16string text;           // TextString (the default value of an ATTDEF)
    int alignment = 0;             // the automation model's Alignment, 0 = left
    Point insertionPoint;
    Point alignmentPoint;          // TextAlignmentPoint
    double height = 2.5;
    double rotation = 0;
    std::u16string tag;            // ATTRIB, ATTDEF
    std::u16string prompt;         // ATTDEF
    std::u16string blockName;      // INSERT
    Handle owner = 0;              // ATTRIB: its INSERT
    std::vector<Handle> attributes; // INSERT: its ATTRIBs in order
    std::u16string ownerBlock;     // empty: the drawing; else the block definition holding it
    bool paperSpace = false;
    std::shared_ptr<EntityExtension> extension;

    bool isSelectable() const { return ownerBlock.empty() && kind != EntityKind::Attribute; }
    bool hasText() const
    {
        return kind == EntityKind::Text || kind == EntityKind::Attribute
            || kind == EntityKind::AttributeDefinition || dxfType == u"MTEXT";
    }
};

// The automation model's class name of an entity ("AcDbText" …).
std::u16string entityClassName(const MemoryEntity &entity);

std::u16string handleToString(Handle handle);
// Returns 0 for a string that is not a hexadecimal handle.
Handle handleFromString(const std::u16string &text);

} // namespace cad
