// Spatial triangle with ray intersection.
#pragma once

#include <om/numerics/line3d.h>
#include <om/numerics/point3d.h>

namespace om {

// Results of the ray-triangle intersection.
enum eOmRayTriangleHit : int {
    kOmRayTriangleDegenerate = -1,  // the triangle has no area
    kOmRayTriangleMiss = 0,         // no intersection (also: triangle behind the ray start)
    kOmRayTriangleHitInside = 1,    // one point inside the triangle, edges and corners included
    kOmRayTriangleInPlane = 2,      // the ray lies in the triangle's plane
};

// Three corners.
class OmTrinagle3d {
  public:
    OmTrinagle3d() = default;
    OmTrinagle3d(const OmPoint3d& p0, const OmPoint3d& p1, const OmPoint3d& p2) : p_{p0, p1, p2} {}
    OmTrinagle3d(const OmTrinagle3d&) = default;
    OmTrinagle3d& operator=(const OmTrinagle3d&) = default;
    virtual ~OmTrinagle3d() = default;

    const OmPoint3d& operator[](int i) const { return p_[i]; }
    OmPoint3d& operator[](int i) { return p_[i]; }

    // Intersection with the ray from l's start along its direction: -1 degenerate triangle,
    // 0 miss, 1 hit (p and, when t is not null, the ray parameter written), 2 ray in the plane.
    int Intersect(const OmLine3d& ray, OmPoint3d& p, double* t) const;

  private:
    OmPoint3d p_[3];
};

// Ray-triangle intersection on a triangle given by corner p0, edges u = p1 - p0, v = p2 - p0 and
// normal n = u x v. Returns 0, 1 or 2 as OmTrinagle3d::Intersect (no degeneracy test: a zero
// normal reads as a ray in the plane or a miss).
int OmIntersectRayTriangle(const OmPoint3d& p0, const OmVector3d& u, const OmVector3d& v,
                           const OmVector3d& n, const OmLine3d& ray, OmPoint3d& p, double* t);

}  // namespace om
