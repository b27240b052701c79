#include <om/numerics/triangle3d.h>

#include <cmath>

#include <om/numerics/triangle3d_uvn.h>

namespace om {

int OmTrinagle3d::Intersect(const OmLine3d& ray, OmPoint3d& p, double* t) const {
    const OmVector3d u = p_[1] - p_[0];
    const OmVector3d v = p_[2] - p_[0];
    const OmVector3d n = u % v;
    if (n.IsDegenerate(1e-6)) return kOmRayTriangleDegenerate;
    return OmIntersectRayTriangle(p_[0], u, v, n, ray, p, t);
}

OmTrinagle3d_uvn::OmTrinagle3d_uvn(const OmPoint3d& p0, const OmPoint3d& p1, const OmPoint3d& p2)
    : p_{p0, p1, p2}, u_(p1 - p0), v_(p2 - p0), n_(u_ % v_) {}

int OmIntersectRayTriangle(const OmPoint3d& p0, const OmVector3d& u, const OmVector3d& v,
                           const OmVector3d& n, const OmLine3d& ray, OmPoint3d& p, double* t) {
    // Ray parameter r where the ray meets the triangle's plane: n . (start + r dir - p0) = 0.
    const OmVector3d& dir = ray.getDirection();
    const OmVector3d w0 = ray.getStart() - p0;
    const double a = -(n * w0);
    const double b = n * dir;
    if (std::fabs(b) < 1e-6) return a == 0.0 ? kOmRayTriangleInPlane : kOmRayTriangleMiss;
    const double r = a / b;
    if (r < 0.0) return kOmRayTriangleMiss;  // the plane lies behind the ray's start
    const OmPoint3d hit = ray.Evaluate(r);
    // Parametric coordinates of the hit, hit - p0 = s u + t v, from the 2x2 normal equations.
    const double uu = u * u, uv = u * v, vv = v * v;
    const OmVector3d w = hit - p0;
    const double wu = w * u, wv = w * v;
    const double den = uv * uv - uu * vv;  // = -|n|^2, non-zero unless cancelled away
    if (den == 0.0) return kOmRayTriangleMiss;
    // Written as negated inside tests so that a NaN coordinate counts as a miss.
    const double s = (uv * wv - vv * wu) / den;
    if (!(s >= 0.0 && s <= 1.0)) return kOmRayTriangleMiss;
    const double tt = (uv * wu - uu * wv) / den;
    if (!(tt >= 0.0 && s + tt <= 1.0)) return kOmRayTriangleMiss;
    p = hit;
    if (t != nullptr) *t = r;
    return kOmRayTriangleHitInside;
}

}  // namespace om
