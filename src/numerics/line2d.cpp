#include <om/numerics/line2d.h>

namespace om {

bool OmLine2d::interSect(const OmLine2d& other, OmPoint2d& p) const {
    const OmVector2d d1 = direction();
    const OmVector2d d2 = other.direction();
    // start + t d1 = other.start + u d2, solved for t by Cramer's rule.
    const double den = d1.y * d2.x - d1.x * d2.y;
    if (den == 0.0) return false;
    const double t = ((other.start.y - start.y) * d2.x - (other.start.x - start.x) * d2.y) / den;
    p = start + d1 * t;
    return true;
}

double OmLine2d::DistanceFromP1(const OmPoint2d& p, double* perp) const {
    return DistanceFromP1(p.x, p.y, perp);
}

double OmLine2d::DistanceFromP1(const double& x, const double& y, double* perp) const {
    const OmVector2d d = direction();
    const OmVector2d w(x - start.x, y - start.y);
    if (perp != nullptr) *perp = w.y * d.x - w.x * d.y;
    return w.dotProduct(d);
}

}  // namespace om
