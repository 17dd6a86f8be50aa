#pragma once
// The CAD's wildcard rules for selection filter values:
//   *  any run of characters (also none)    ?  any one character
//   #  one digit 0-9  @  one letter (A-Z, a-z, Latin letters with diacritics)
//   .  one character that is neither a digit nor a letter
//   [...] one of the characters (ranges a-z)    [~...] one character not among them
//   ~  at the start of a pattern: anything but the pattern
//   `  the next character literally             ,  separates alternatives
// A character is a Unicode character: a surrogate pair counts as one.

#include <string_view>

namespace cad {

// ignoreCase folds ASCII letters only, as the CAD does for symbol names.
bool wildcardMatch(std::u16string_view text, std::u16string_view pattern, bool ignoreCase = false);

} // namespace cad
