// Planar vector value type.
#pragma once

namespace om {

class OmLine2d;
class OmMatrix2d;

// A planar direction or displacement (x, y). A plain value: copied freely, no virtual operations.
class OmVector2d {
  public:
    double x = 0.0;
    double y = 0.0;

    OmVector2d() = default;
    OmVector2d(double xx, double yy) : x(xx), y(yy) {}
    // The unit vector at angle `a` (radians, counter-clockwise from the x axis).
    explicit OmVector2d(double a);

    OmVector2d& set(double xx, double yy) {
        x = xx;
        y = yy;
        return *this;
    }
    // Index 0 is x, every other index is y.
    double operator[](int i) const { return i == 0 ? x : y; }
    double& operator[](int i) { return i == 0 ? x : y; }

    OmVector2d operator+(const OmVector2d& v) const { return {x + v.x, y + v.y}; }
    OmVector2d operator-(const OmVector2d& v) const { return {x - v.x, y - v.y}; }
    OmVector2d operator-() const { return {-x, -y}; }
    OmVector2d operator*(double s) const { return {x * s, y * s}; }
    OmVector2d operator/(double s) const { return {x / s, y / s}; }
    OmVector2d& operator+=(const OmVector2d& v) { return set(x + v.x, y + v.y); }
    OmVector2d& operator-=(const OmVector2d& v) { return set(x - v.x, y - v.y); }
    OmVector2d& operator*=(double s) { return set(x * s, y * s); }
    OmVector2d& operator/=(double s) { return set(x / s, y / s); }

    OmVector2d& negate() { return set(-x, -y); }
    OmVector2d& setToSum(const OmVector2d& a, const OmVector2d& b) {
        return set(a.x + b.x, a.y + b.y);
    }
    OmVector2d& setToProduct(const OmVector2d& v, double s) { return set(v.x * s, v.y * s); }
    // The linear part of `m` applied to `v`; the translation column is ignored.
    OmVector2d& setToProduct(const OmMatrix2d& m, const OmVector2d& v);
    OmVector2d& transformBy(const OmMatrix2d& m);

    double length() const;
    double lengthSqrd() const { return x * x + y * y; }
    double dotProduct(const OmVector2d& v) const { return x * v.x + y * v.y; }
    // The z component of the spatial cross product: positive when `v` lies to the left.
    double crossProduct(const OmVector2d& v) const { return x * v.y - y * v.x; }
    // Rotated by +90 degrees.
    OmVector2d perpVector() const { return {-y, x}; }

    double angle() const;
    // Angle between the two vectors in [0, pi]. The cosine is clamped to [-1, 1] so that
    // rounding on (anti)parallel vectors cannot produce NaN.
    double angleTo(const OmVector2d& v) const;

    // Divides by the length; a zero vector stays zero.
    OmVector2d& normalize();
    OmVector2d normal() const;

    OmVector2d& rotateBy(double a);
    // Complex multiplication by `r`: rotates by r's angle and scales by r's length.
    OmVector2d& rotateBy(const OmVector2d& r);
    // Reflects the point (x, y) across the infinite line through l's end points. A line shorter
    // than 1e-5 defines no direction; the vector is then left as it is.
    OmVector2d& mirror(const OmLine2d& l);

    bool isEqualTo(const OmVector2d& v, double tol = 1e-5) const;
    bool operator==(const OmVector2d& v) const { return isEqualTo(v, 1e-5); }
    bool operator!=(const OmVector2d& v) const { return !isEqualTo(v, 1e-5); }
    bool isUnitLength(double tol = 1e-5) const;
    bool isZeroLength(double tol = 1e-5) const;
    // Both take magnitudes: a cross product (dot product) of either sign below `tol` counts.
    bool isParallelTo(const OmVector2d& v, double tol = 1e-5) const;
    bool isPerpendicularTo(const OmVector2d& v, double tol = 1e-5) const;
};

inline OmVector2d operator*(double s, const OmVector2d& v) {
    return v * s;
}

}  // namespace om
