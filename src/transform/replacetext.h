#pragma once

// The replace operation of the text tools.

#include <string>
#include <string_view>

// Gives s with every occurrence of find replaced by repl. The search runs
// from the start; after each match it goes on behind the match, so matches
// never overlap and the inserted text is never searched again. With
// ignoreCase, s and find are compared in upper case (systemUpper) but the
// replacement is applied to s itself. An empty find leaves s unchanged.
std::u16string ReplaceText(std::u16string_view s, std::u16string_view find,
                           std::u16string_view repl, bool ignoreCase);
