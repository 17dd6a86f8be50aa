#pragma once

#include "cad/document.h"

#include <string>

// The PromptString of the attribute definition with this tag in the first
// block definition of this name, or empty. Only the first block definition
// whose name matches is looked at.
std::u16string FindAttributePrompt(const cad::Document &doc, const std::u16string &blockName,
                                   const std::u16string &tag);
