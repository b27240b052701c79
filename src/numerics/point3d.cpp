#include <om/numerics/point3d.h>

#include <om/numerics/affin_map3d.h>
#include <om/numerics/frame3d.h>

namespace om {

OmPoint3d::OmPoint3d(const OmFrame3d& f, double x, double y, double z)
    : OmPoint3d(f.Origin() + OmVector3d(f, x, y, z)) {}

double OmPoint3d::Distance2(const OmPoint3d& p) const {
    const OmVector3d d = *this - p;
    return d * d;
}

OmPoint3d OmPoint3d::MiddlePoint(const OmPoint3d& p) const {
    return {(x() + p.x()) / 2.0, (y() + p.y()) / 2.0, (z() + p.z()) / 2.0};
}

OmPoint3d& OmPoint3d::Transform(const OmAffinMap3d& m) {
    return *this = m.Transform(*this);
}

OmPoint3d AffinCombination(const OmPoint3d& p, const OmPoint3d& q, double a, double b) {
    return p + (q - p) * (b / (a + b));
}

}  // namespace om
