#include <om/numerics/vector3d.h>

#include <algorithm>
#include <cmath>

#include <om/numerics/affin_map3d.h>
#include <om/numerics/frame3d.h>
#include <om/numerics/point3d.h>

namespace om {

OmVector3d::OmVector3d(const OmFrame3d& f, double x, double y, double z)
    : OmVector3d(f.v1() * x + f.v2() * y + f.v3() * z) {}

double OmVector3d::Norm() const {
    return std::sqrt(*this * *this);
}

double OmVector3d::Angle(const OmVector3d& v) const {
    const double c = (*this * v) / (Norm() * v.Norm());
    return std::acos(std::clamp(c, -1.0, 1.0));
}

bool OmVector3d::IsPerpendicular(const OmVector3d& v, double tol) const {
    return std::fabs(*this * v) < tol;
}

bool OmVector3d::IsLinearIndependent(const OmVector3d& v, double tol) const {
    if (Norm() < tol || v.Norm() < tol) return false;
    return Angle(v) >= tol;
}

bool OmVector3d::IsNormalized(double tol) const {
    const double n = Norm();
    return 1.0 - tol <= n && n <= 1.0 + tol;
}

bool OmVector3d::IsDegenerate(double tol) const {
    return std::fabs(x()) < tol && std::fabs(y()) < tol && std::fabs(z()) < tol;
}

OmPoint3d OmVector3d::AsPoint() const {
    return {x(), y(), z()};
}

OmVector3d& OmVector3d::Transform(const OmAffinMap3d& m) {
    return *this = m.Transform(*this);
}

OmVector3d Normalized(const OmVector3d& v) {
    return v / v.Norm();
}

OmVector3d OmSafeNormalized(const OmVector3d& v) {
    const double n = v.Norm();
    return n < 1e-300 ? v : v / n;
}

double Norm(const OmVector3d& v) {
    return v.Norm();
}

double Angle(const OmVector3d& a, const OmVector3d& b) {
    return a.Angle(b);
}

}  // namespace om
