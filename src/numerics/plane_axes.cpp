#include <om/numerics/plane_axes.h>

#include <cmath>

#include "numerics/spatial.h"

namespace om {

bool CalcNormVect(OmVector* n, const OmMatrix& m) {
    if (!n || m.GetZeilen() != 4 || m.GetSpalten() != 4) return false;
    const OmVector origin = m * OmVector(0.0, 0.0, 0.0, 1.0);
    const OmVector ex = m * OmVector(1.0, 0.0, 0.0, 1.0);
    const OmVector ey = m * OmVector(0.0, 1.0, 0.0, 1.0);
    if (origin[4] == 0.0 || ex[4] == 0.0 || ey[4] == 0.0) return false;
    const OmVector p0 = origin / origin[4];
    const OmVector d1 = ex / ex[4] - p0;
    const OmVector d2 = ey / ey[4] - p0;
    OmVector normal = d1 % d2;  // cross product of the first three elements
    const double norm = normal.Abs();
    if (!(norm > 0.0) || !std::isfinite(norm)) return false;
    *n = normal / norm;
    return true;
}

bool CalcArbitaryAlg(OmVector* ax, OmVector* ay, const OmVector& normal) {
    constexpr double kNearZAxis = 1.0 / 64.0;
    const OmVector N = detail::FirstThree(normal);
    const bool near_z = std::fabs(N[1]) < kNearZAxis && std::fabs(N[2]) < kNearZAxis;
    const OmVector reference = near_z ? OmVector(0.0, 1.0, 0.0) : OmVector(0.0, 0.0, 1.0);
    OmVector x = reference % N;
    x.Normalize();
    OmVector y = N % x;
    y.Normalize();
    if (ax) *ax = x;
    if (ay) *ay = y;
    return true;
}

}  // namespace om
