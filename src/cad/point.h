#pragma once
// A drawing point as the CAD returns it: an array of three doubles.

#include "variant.h"

namespace cad {

struct Point
{
    double x = 0;
    double y = 0;
    double z = 0;

    bool operator==(const Point &) const = default;
};

Variant toVariant(const Point &p);
// Elements 0 and 1 are x and y; a missing z reads as 0.
Point toPoint(const Variant &v);

} // namespace cad
