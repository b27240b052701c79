#include <om/numerics/plane3d.h>

#include <cmath>

namespace om {

namespace {

// Unit normal oriented from the plane through p towards the origin (flipped when n . (-p) < 0),
// and the matching d = -(normal . p) >= 0.
void OrientTowardsOrigin(const OmPoint3d& p, const OmVector3d& n, OmVector3d& normal, double& d) {
    normal = OmSafeNormalized(n);
    if (normal * (-p.AsVector()) < 0.0) normal = -normal;
    d = -(normal * p.AsVector());
}

}  // namespace

OmPlane3d::OmPlane3d(const OmVector3d& normal, double d)
    : normal_(OmSafeNormalized(normal)), d_(d) {}

OmPlane3d::OmPlane3d(const OmPoint3d& p, const OmVector3d& normal) {
    OrientTowardsOrigin(p, normal, normal_, d_);
}

OmPlane3d::OmPlane3d(const OmPoint3d& p, const OmVector3d& a, const OmVector3d& b) {
    OrientTowardsOrigin(p, b % a, normal_, d_);
}

int OmPlane3d::Intersect(const OmLine3d& l, OmPoint3d& p) const {
    // normal . (start + t dir) + d = 0.
    const double den = normal_ * l.getDirection();
    if (std::fabs(den) < 1e-6) return 1;
    p = l.Evaluate(-Dist(l.getStart()) / den);
    return 0;
}

int OmPlane3d::Intersect(const OmPlane3d& other, OmLine3d& l) const {
    double point[3];
    if (!OmIntersectPlanes(normal_.asDblArray(), d_, other.normal_.asDblArray(), other.d_, point))
        return -1;
    const OmPoint3d start(point[0], point[1], point[2]);
    l = OmLine3d(start, normal_ % other.normal_);
    return 0;
}

bool OmIntersectPlanes(const double n1[3], double d1, const double n2[3], double d2,
                       double point[3]) {
    // Direction of the line: c = n1 x n2. Its component along an axis is the determinant of the
    // 2x2 system that the two plane equations form in the other two coordinates when that axis
    // coordinate is set to 0.
    const double c[3] = {n1[1] * n2[2] - n1[2] * n2[1], n1[2] * n2[0] - n1[0] * n2[2],
                         n1[0] * n2[1] - n1[1] * n2[0]};
    const double scale = std::sqrt(n1[0] * n1[0] + n1[1] * n1[1] + n1[2] * n1[2]) *
                         std::sqrt(n2[0] * n2[0] + n2[1] * n2[1] + n2[2] * n2[2]);
    const double tiny = 1e-10 * scale;
    if (!(std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]) >= tiny) || scale == 0.0) return false;
    // Prefer the point with z = 0; a line (nearly) parallel to z = 0 is cut with x = 0 or y = 0,
    // whichever it crosses more steeply.
    int axis = 2;
    if (std::fabs(c[2]) < tiny) axis = std::fabs(c[0]) >= std::fabs(c[1]) ? 0 : 1;
    const int i = (axis + 1) % 3;
    const int j = (axis + 2) % 3;
    // n1_i u_i + n1_j u_j = -d1, n2_i u_i + n2_j u_j = -d2, by Cramer's rule; det = c[axis].
    const double det = n1[i] * n2[j] - n2[i] * n1[j];
    point[axis] = 0.0;
    point[i] = (-d1 * n2[j] + d2 * n1[j]) / det;
    point[j] = (-n1[i] * d2 + n2[i] * d1) / det;
    return true;
}

}  // namespace om
