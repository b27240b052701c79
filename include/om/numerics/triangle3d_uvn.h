// Spatial triangle with precomputed edges and normal, for repeated ray tests.
#pragma once

#include <om/numerics/line3d.h>
#include <om/numerics/point3d.h>
#include <om/numerics/triangle3d.h>
#include <om/numerics/vector3d.h>

namespace om {

// Corners p0, p1, p2 with u = p1 - p0, v = p2 - p0 and n = u x v.
class OmTrinagle3d_uvn {
  public:
    OmTrinagle3d_uvn() = default;
    OmTrinagle3d_uvn(const OmPoint3d& p0, const OmPoint3d& p1, const OmPoint3d& p2);
    explicit OmTrinagle3d_uvn(const OmTrinagle3d& t) : OmTrinagle3d_uvn(t[0], t[1], t[2]) {}

    const OmPoint3d& operator[](int i) const { return p_[i]; }
    const OmVector3d& U() const { return u_; }
    const OmVector3d& V() const { return v_; }
    const OmVector3d& N() const { return n_; }

    // All components of the normal below 1e-6 in magnitude.
    bool IsDegenerate() const { return n_.IsDegenerate(1e-6); }
    // As OmTrinagle3d::Intersect without the degeneracy test (0, 1 or 2).
    int Intersect(const OmLine3d& ray, OmPoint3d& p, double* t) const {
        return OmIntersectRayTriangle(p_[0], u_, v_, n_, ray, p, t);
    }

  private:
    OmPoint3d p_[3];
    OmVector3d u_, v_, n_;
};

}  // namespace om
