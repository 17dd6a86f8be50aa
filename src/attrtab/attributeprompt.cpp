#include "attributeprompt.h"

namespace {
constexpr char16_t AttributeDefinitionName[] = u"AcDbAttributeDefinition";
}

std::u16string FindAttributePrompt(const cad::Document &doc, const std::u16string &blockName,
                                   const std::u16string &tag)
{
    const cad::Blocks blocks = doc.blocks();
    const int blockCount = blocks.count();
    for (int b = 0; b < blockCount; ++b) {
        const cad::Block block = blocks.item(b);
        if (block.name() != blockName)
            continue;
        const int entityCount = block.count();
        for (int e = 0; e < entityCount; ++e) {
            const cad::Entity entity = block.item(e);
            if (entity.entityName() != AttributeDefinitionName)
                continue;
            const cad::Attribute definition(entity.object());
            if (definition.tagString() == tag)
                return definition.promptString();
        }
        break;
    }
    return {};
}
