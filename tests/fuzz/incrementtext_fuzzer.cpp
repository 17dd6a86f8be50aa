// IncrementText over any text in each radix, addend and direction.

#include "fuzzinput.h"

#include "transform/incrementtext.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 6)
        return 0;
    static const int radixes[] = {10, 16, 8};
    IncrementSettings settings;
    settings.radix = radixes[data[0] % 3];
    settings.fromTail = data[0] & 4;
    settings.width = 1 + data[1] % 12;
    std::int32_t addend;
    std::memcpy(&addend, data + 2, sizeof addend);
    settings.addend = addend;
    const std::u16string text = unitsOf(data + 6, size - 6);
    if (const auto result = IncrementText(text, settings))
        (void)IncrementText(*result, settings);
    return 0;
}
