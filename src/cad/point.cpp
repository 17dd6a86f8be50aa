#include "point.h"

#include "caderror.h"

namespace cad {

Variant toVariant(const Point &p)
{
    return Variant(std::vector<double>{p.x, p.y, p.z});
}

Point toPoint(const Variant &v)
{
    const std::vector<double> d = v.toDoubleArray();
    if (d.size() < 2)
        throw CadError(u"a point needs at least two coordinates");
    return Point{d[0], d[1], d.size() > 2 ? d[2] : 0.0};
}

} // namespace cad
