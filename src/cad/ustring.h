#pragma once
// UTF-16 strings as the CAD's automation model holds them (COM BSTR code
// units), and the few conversions the CAD link needs without Qt.

#include <string>
#include <string_view>

namespace cad {

std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);

// ASCII-only case folding, as member names and selection set names compare.
char16_t asciiUpper(char16_t c);
std::u16string asciiUpper(std::u16string_view text);
bool equalsIgnoreAsciiCase(std::u16string_view a, std::u16string_view b);

} // namespace cad
