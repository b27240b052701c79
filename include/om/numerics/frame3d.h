// Spatial coordinate frame: origin and three axes.
#pragma once

#include <om/numerics/point3d.h>
#include <om/numerics/vector3d.h>

namespace om {

// Origin and axes v1, v2, v3; the default is the world frame. The axes are taken as given
// (no orthonormalisation), so a frame can also describe an affine system.
class OmFrame3d {
  public:
    OmFrame3d() : v1_(1, 0, 0), v2_(0, 1, 0), v3_(0, 0, 1) {}
    OmFrame3d(const OmPoint3d& origin, const OmVector3d& v1, const OmVector3d& v2,
              const OmVector3d& v3)
        : origin_(origin), v1_(v1), v2_(v2), v3_(v3) {}

    OmPoint3d Origin() const { return origin_; }
    OmVector3d v1() const { return v1_; }
    OmVector3d v2() const { return v2_; }
    OmVector3d v3() const { return v3_; }
    OmPoint3d& Origin() { return origin_; }
    OmVector3d& v1() { return v1_; }
    OmVector3d& v2() { return v2_; }
    OmVector3d& v3() { return v3_; }

  private:
    OmPoint3d origin_;
    OmVector3d v1_, v2_, v3_;
};

}  // namespace om
