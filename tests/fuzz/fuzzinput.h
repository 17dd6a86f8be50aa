#pragma once

// Fuzzer bytes as the UTF-16 code units the CAD link carries: two bytes a
// unit, so lone surrogates and every other unit come through as they are.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline std::u16string unitsOf(const std::uint8_t *data, std::size_t size)
{
    std::u16string units(size / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = char16_t(data[2 * i] | (data[2 * i + 1] << 8));
    return units;
}

// The units split at each U+0000: the fields of one input.
inline std::vector<std::u16string> fieldsOf(const std::uint8_t *data, std::size_t size)
{
    std::vector<std::u16string> fields(1);
    for (const char16_t unit : unitsOf(data, size)) {
        if (unit == u'\0')
            fields.emplace_back();
        else
            fields.back() += unit;
    }
    return fields;
}
