// Spatial vector (homogeneous w = 0).
#pragma once

#include <om/numerics/mvector.h>

namespace om {

class OmAffinMap3d;
class OmFrame3d;
class OmPoint3d;

// A spatial direction or displacement. The fourth component is always 0, so affine maps apply
// only their linear part to it.
class OmVector3d : public _MVector {
  public:
    OmVector3d() : _MVector(0.0, 0.0, 0.0, 0.0) {}
    OmVector3d(double x, double y, double z) : _MVector(0.0, x, y, z) {}
    // x v1 + y v2 + z v3 of the frame's axes, in world orientation.
    OmVector3d(const OmFrame3d& f, double x, double y, double z);

    OmVector3d operator+(const OmVector3d& v) const {
        return {x() + v.x(), y() + v.y(), z() + v.z()};
    }
    OmVector3d operator-(const OmVector3d& v) const {
        return {x() - v.x(), y() - v.y(), z() - v.z()};
    }
    OmVector3d operator-() const { return {-x(), -y(), -z()}; }
    OmVector3d operator*(double s) const { return {x() * s, y() * s, z() * s}; }
    OmVector3d operator/(double s) const { return {x() / s, y() / s, z() / s}; }
    // Dot product.
    double operator*(const OmVector3d& v) const { return x() * v.x() + y() * v.y() + z() * v.z(); }
    // Cross product this x v.
    OmVector3d operator%(const OmVector3d& v) const {
        return {y() * v.z() - z() * v.y(), z() * v.x() - x() * v.z(), x() * v.y() - y() * v.x()};
    }
    OmVector3d& operator+=(const OmVector3d& v) { return *this = *this + v; }
    OmVector3d& operator-=(const OmVector3d& v) { return *this = *this - v; }
    OmVector3d& operator*=(double s) { return *this = *this * s; }
    OmVector3d& operator/=(double s) { return *this = *this / s; }
    OmVector3d& operator%=(const OmVector3d& v) { return *this = *this % v; }

    double Dot(const OmVector3d& v) const { return *this * v; }
    double Norm() const;
    // Divides by the norm. A zero vector gives NaN components: callers that may meet one test
    // IsDegenerate first or use OmSafeNormalized.
    OmVector3d& Normalize() { return *this /= Norm(); }
    // Angle between the vectors in [0, pi]; the cosine is clamped to [-1, 1] so that rounding on
    // (anti)parallel vectors cannot give NaN.
    double Angle(const OmVector3d& v) const;
    bool IsPerpendicular(const OmVector3d& v, double tol) const;
    // False when either norm is below tol; otherwise true when the angle between them is at
    // least tol (antiparallel vectors count as independent).
    bool IsLinearIndependent(const OmVector3d& v, double tol) const;
    bool IsNormalized(double tol) const;
    // All three components below tol in magnitude.
    bool IsDegenerate(double tol) const;

    OmPoint3d AsPoint() const;
    // Applies the linear part of `m` (no translation) in place.
    OmVector3d& Transform(const OmAffinMap3d& m);
};

inline OmVector3d operator*(double s, const OmVector3d& v) {
    return v * s;
}

// Copy divided by its norm (NaN for a zero vector, like Normalize).
OmVector3d Normalized(const OmVector3d& v);
// Copy divided by its norm; a vector shorter than 1e-300 stays as it is instead of becoming NaN.
OmVector3d OmSafeNormalized(const OmVector3d& v);
double Norm(const OmVector3d& v);
double Angle(const OmVector3d& a, const OmVector3d& b);

}  // namespace om
