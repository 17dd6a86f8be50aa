#pragma once

// A run of serial texts: prefix + counter + suffix, such as "A-01" .. "A-16".

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

struct SerialRun
{
    std::u16string prefix;
    std::u16string startText; // as typed; its length is the counter's least width
    std::u16string suffix;
    int radix = 10;           // 10, 16 or 8
    std::int32_t start = 0;   // the start text read in the radix
    std::int32_t step = 1;
    std::int32_t count = 0;
};

// s with the ASCII letters "a".."z" turned to "A".."Z".
std::u16string upperAscii(std::u16string_view s);

// Text k of the run: prefix + (k * step + start written in the radix,
// zero-padded to the start text's length) + suffix, ASCII letters upper-cased.
// Without a start text it is the fixed text prefix + suffix.
std::u16string SerialText(const SerialRun &run, std::int32_t k);

// Texts 0 .. count - 1 of the run, at most limit of them; none for a count
// of 0 or less.
std::vector<std::u16string> SerialTexts(const SerialRun &run,
                                        std::size_t limit = std::numeric_limits<std::size_t>::max());
