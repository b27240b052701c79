// Planar point value type.
#pragma once

#include <om/numerics/vector2d.h>

namespace om {

class OmLine2d;
class OmMatrix2d;

// A planar position (x, y). Point + vector is a point, point - point is a vector.
class OmPoint2d {
  public:
    double x = 0.0;
    double y = 0.0;

    OmPoint2d() = default;
    OmPoint2d(double xx, double yy) : x(xx), y(yy) {}

    OmPoint2d& set(double xx, double yy) {
        x = xx;
        y = yy;
        return *this;
    }
    // Index 0 is x, every other index is y.
    double operator[](int i) const { return i == 0 ? x : y; }
    double& operator[](int i) { return i == 0 ? x : y; }

    OmVector2d asVector() const { return {x, y}; }

    OmPoint2d operator+(const OmVector2d& v) const { return {x + v.x, y + v.y}; }
    OmPoint2d operator-(const OmVector2d& v) const { return {x - v.x, y - v.y}; }
    OmVector2d operator-(const OmPoint2d& p) const { return {x - p.x, y - p.y}; }
    OmPoint2d& operator+=(const OmVector2d& v) { return set(x + v.x, y + v.y); }
    OmPoint2d& operator-=(const OmVector2d& v) { return set(x - v.x, y - v.y); }
    OmPoint2d operator*(double s) const { return {x * s, y * s}; }
    OmPoint2d operator/(double s) const { return {x / s, y / s}; }
    OmPoint2d& operator*=(double s) { return set(x * s, y * s); }
    OmPoint2d& operator/=(double s) { return set(x / s, y / s); }

    double distanceTo(const OmPoint2d& p) const;
    double distanceToSq(const OmPoint2d& p) const { return (*this - p).lengthSqrd(); }

    bool isEqualTo(const OmPoint2d& p, double tol = 1e-5) const { return distanceTo(p) <= tol; }
    bool operator==(const OmPoint2d& p) const { return isEqualTo(p, 1e-5); }
    bool operator!=(const OmPoint2d& p) const { return !isEqualTo(p, 1e-5); }

    // Placeholders kept for interface compatibility: the planar-matrix family has no behaviour
    // in this library yet, and these operations return the point unchanged (see OmMatrix2d).
    OmPoint2d& transformBy(const OmMatrix2d&) { return *this; }
    OmPoint2d& setToProduct(const OmMatrix2d&, const OmPoint2d&) { return *this; }
    OmPoint2d& mirror(const OmLine2d&) { return *this; }
    OmPoint2d& rotateBy(double, const OmPoint2d&) { return *this; }
    OmPoint2d& scaleBy(double, const OmPoint2d&) { return *this; }
    OmPoint2d& setToSum(const OmPoint2d&, const OmVector2d&) { return *this; }
};

}  // namespace om
