// Spatial point (homogeneous w = 1).
#pragma once

#include <om/numerics/mvector.h>
#include <om/numerics/vector3d.h>

namespace om {

class OmAffinMap3d;
class OmFrame3d;

// A spatial position. The fourth component is always 1, so affine maps apply their
// translation to it. Point - point is a vector; point +/- vector is a point.
class OmPoint3d : public _MVector {
  public:
    OmPoint3d() : _MVector(1.0, 0.0, 0.0, 0.0) {}
    OmPoint3d(double x, double y, double z) : _MVector(1.0, x, y, z) {}
    // origin + x v1 + y v2 + z v3 of the frame.
    OmPoint3d(const OmFrame3d& f, double x, double y, double z);

    OmVector3d operator-(const OmPoint3d& p) const {
        return {x() - p.x(), y() - p.y(), z() - p.z()};
    }
    OmPoint3d operator+(const OmVector3d& v) const {
        return {x() + v.x(), y() + v.y(), z() + v.z()};
    }
    OmPoint3d operator-(const OmVector3d& v) const {
        return {x() - v.x(), y() - v.y(), z() - v.z()};
    }
    OmPoint3d& operator+=(const OmVector3d& v) { return *this = *this + v; }
    OmPoint3d& operator-=(const OmVector3d& v) { return *this = *this - v; }

    double Distance(const OmPoint3d& p) const { return (*this - p).Norm(); }
    double Distance2(const OmPoint3d& p) const;
    OmPoint3d MiddlePoint(const OmPoint3d& p) const;
    OmVector3d AsVector() const { return {x(), y(), z()}; }
    // Applies the full affine map in place.
    OmPoint3d& Transform(const OmAffinMap3d& m);
};

// p + (b / (a + b)) (q - p): the point dividing pq in the ratio b : a.
OmPoint3d AffinCombination(const OmPoint3d& p, const OmPoint3d& q, double a, double b);

}  // namespace om
