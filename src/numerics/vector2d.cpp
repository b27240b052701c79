#include <om/numerics/vector2d.h>

#include <algorithm>
#include <cmath>

#include <om/numerics/line2d.h>
#include <om/numerics/matrix2d.h>

namespace om {

OmVector2d::OmVector2d(double a) : x(std::cos(a)), y(std::sin(a)) {}

OmVector2d& OmVector2d::setToProduct(const OmMatrix2d& m, const OmVector2d& v) {
    return set(m(0, 0) * v.x + m(0, 1) * v.y, m(1, 0) * v.x + m(1, 1) * v.y);
}

OmVector2d& OmVector2d::transformBy(const OmMatrix2d& m) {
    return setToProduct(m, OmVector2d(*this));
}

double OmVector2d::length() const {
    return std::hypot(x, y);
}

double OmVector2d::angle() const {
    return std::atan2(y, x);
}

double OmVector2d::angleTo(const OmVector2d& v) const {
    const double c = dotProduct(v) / (v.length() * length());
    return std::acos(std::clamp(c, -1.0, 1.0));
}

OmVector2d& OmVector2d::normalize() {
    const double len = length();
    if (len > 0.0) *this /= len;
    return *this;
}

OmVector2d OmVector2d::normal() const {
    return OmVector2d(*this).normalize();
}

OmVector2d& OmVector2d::rotateBy(double a) {
    return rotateBy(OmVector2d(a));
}

OmVector2d& OmVector2d::rotateBy(const OmVector2d& r) {
    return set(x * r.x - y * r.y, x * r.y + y * r.x);
}

OmVector2d& OmVector2d::mirror(const OmLine2d& l) {
    const OmVector2d a = l.start.asVector();
    const OmVector2d ab = l.end - l.start;
    const double len2 = ab.lengthSqrd();
    if (std::sqrt(len2) < 1e-5) return *this;
    // Foot of the perpendicular F = A + AB (AB.(p - A)) / |AB|^2; the mirror image is 2F - p.
    const OmVector2d foot = a + ab * (ab.dotProduct(*this - a) / len2);
    return *this = foot * 2.0 - *this;
}

bool OmVector2d::isEqualTo(const OmVector2d& v, double tol) const {
    return (*this - v).length() <= tol;
}

bool OmVector2d::isUnitLength(double tol) const {
    return std::fabs(length() - 1.0) <= tol;
}

bool OmVector2d::isZeroLength(double tol) const {
    return length() <= tol;
}

bool OmVector2d::isParallelTo(const OmVector2d& v, double tol) const {
    return std::fabs(crossProduct(v)) < tol;
}

bool OmVector2d::isPerpendicularTo(const OmVector2d& v, double tol) const {
    return std::fabs(dotProduct(v)) < tol;
}

}  // namespace om
