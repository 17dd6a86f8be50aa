// The CAD wildcard matcher of the in-memory drawing: a text, a pattern and
// the case switch, any of them malformed.

#include "fuzzinput.h"

#include "cad/memory/wildcardmatch.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const bool ignoreCase = data[0] & 1;
    const std::vector<std::u16string> fields = fieldsOf(data + 1, size - 1);
    const std::u16string &text = fields[0];
    const std::u16string pattern = fields.size() > 1 ? fields[1] : fields[0];
    const bool matched = cad::wildcardMatch(text, pattern, ignoreCase);
    // A pattern without special characters matches exactly itself.
    if (pattern.find_first_of(u"*?#@.[]~`,") == std::u16string::npos && !pattern.empty() && !ignoreCase
        && matched != (text == pattern))
        std::abort();
    return 0;
}
