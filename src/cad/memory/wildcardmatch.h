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
#include <utility>
#include <vector>

namespace cad {

// One element of a compiled pattern: a literal character (escaped ones
// included), "*", "?", "#", "@", "." or a set, with its ranges of members.
struct WildcardToken
{
    enum Kind { Literal, AnyRun, AnyOne, Digit, Letter, NonAlnum, Set } kind = Literal;
    char32_t ch = 0;      // the character of a Literal
    bool negated = false; // a set [~...]
    std::vector<std::pair<char32_t, char32_t>> ranges; // a set's members, single ones as (c, c)
};

// One comma-separated alternative; a leading "~" negates it.
struct WildcardAlternative
{
    bool negated = false;
    std::vector<WildcardToken> tokens;
};

using CompiledWildcard = std::vector<WildcardAlternative>;

// ignoreCase folds ASCII letters only, as the CAD does for symbol names.
bool wildcardMatch(std::u16string_view text, std::u16string_view pattern, bool ignoreCase = false);

// The pattern taken apart by the same rules, case kept, to be looked at or
// rewritten token by token and matched without being read again.
CompiledWildcard compileWildcard(std::u16string_view pattern);
bool wildcardMatch(std::u16string_view text, const CompiledWildcard &pattern);

// Whether one character passes one token that stands for one character
// (never true for "*").
bool wildcardTokenMatches(const WildcardToken &token, char32_t c);
// The classes of "#" and "@".
bool isWildcardDigit(char32_t c);
bool isWildcardLetter(char32_t c);

} // namespace cad
