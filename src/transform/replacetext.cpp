#include "transform/replacetext.h"

#include "transform/systemtextmapping.h"

std::u16string ReplaceText(std::u16string_view s, std::u16string_view find,
                           std::u16string_view repl, bool ignoreCase)
{
    if (find.empty())
        return std::u16string(s);

    // Upper-casing keeps every code unit in place, so a position found in
    // the upper-cased copy is the same position in s.
    const std::u16string searchedCopy = ignoreCase ? systemUpper(s) : std::u16string(s);
    const std::u16string pattern = ignoreCase ? systemUpper(find) : std::u16string(find);

    std::u16string result;
    result.reserve(s.size());
    std::size_t from = 0;
    for (std::size_t pos = searchedCopy.find(pattern); pos != std::u16string::npos;
         pos = searchedCopy.find(pattern, from)) {
        result.append(s.substr(from, pos - from));
        result.append(repl);
        from = pos + pattern.size();
    }
    result.append(s.substr(from));
    return result;
}
