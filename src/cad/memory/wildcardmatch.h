#pragma once
// The CAD's wildcard rules for selection filter values:
//   *  any run of characters (also none)    ?  any one character
//   #  one digit      @  one letter      .  one character that is neither
//   [...] one of the characters (ranges a-z)    [~...] one character not among them
//   ~  at the start of a pattern: anything but the pattern
//   `  the next character literally             ,  separates alternatives

#include <string_view>

namespace cad {

// ignoreCase folds ASCII letters only, as the CAD does for symbol names.
bool wildcardMatch(std::u16string_view text, std::u16string_view pattern, bool ignoreCase = false);

} // namespace cad
