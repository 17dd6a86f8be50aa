#include "transform/systemtextmapping.h"

#include "transform/localeupper.h"
#include "transform/widthmapping.h"

std::u16string systemFullWidth(std::u16string_view s)
{
    return toFullWidth(s);
}

std::u16string systemHalfWidth(std::u16string_view s)
{
    return toHalfWidth(s);
}

std::u16string systemUpper(std::u16string_view s)
{
    return toLocaleUpper(s);
}
