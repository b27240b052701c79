#include <om/numerics/line3d.h>

#include <algorithm>
#include <cmath>

namespace om {

OmLine3d::OmLine3d(const OmPoint3d& start, const OmPoint3d& end)
    : start_(start), end_(end), direction_(OmSafeNormalized(end - start)) {}

OmLine3d::OmLine3d(const OmPoint3d& start, const OmVector3d& direction)
    : start_(start), direction_(OmSafeNormalized(direction)) {
    end_ = start_ + direction_;
}

void OmLine3d::setEnd(const OmPoint3d& p, bool updateDirection) {
    end_ = p;
    if (updateDirection) direction_ = OmSafeNormalized(end_ - start_);
}

bool OmLine3d::getClosestPointTo(const OmPoint3d& p, OmPoint3d& out, bool infinite) const {
    const double t = (p - start_) * direction_;
    out = Evaluate(t);
    return infinite || (t >= 0.0 && t <= getLength());
}

double OmLine3d::getNormDistance(const OmPoint3d& p) const {
    return (direction_ % (p - start_)).Norm();
}

double OmLine3d::getNormDistance(const OmPoint3d& p, OmPoint3d& foot) const {
    getClosestPointTo(p, foot, true);
    return getNormDistance(p);
}

double OmLine3d::getNormDistance(const OmPoint3d& p, bool& inside) const {
    OmPoint3d foot;
    const double dist = getNormDistance(p, foot);
    inside = true;
    for (int i = 0; i < 3; ++i) {
        const double lo = std::min(start_[i], end_[i]);
        const double hi = std::max(start_[i], end_[i]);
        inside = inside && foot[i] >= lo && foot[i] <= hi;
    }
    return dist;
}

bool OmLine3d::getDistAtPoint(const OmPoint3d& p, double& dist) const {
    dist = start_.Distance(p);
    return getNormDistance(p) < 1e-10;
}

double OmLine3d::Intersect(const OmLine3d& other, OmPoint3d& mid) const {
    const OmVector3d& d1 = direction_;
    const OmVector3d& d2 = other.direction_;
    const OmVector3d n = d1 % d2;
    // |d1 x d2| = sin of the angle between the lines; cos(89 deg) = sin(1 deg).
    constexpr double kMinSin = 0.0174524;
    const double nn = n * n;
    if (std::sqrt(nn) <= kMinSin) return -1.0;
    // s n + t1 d1 - t2 d2 = w with w = start2 - start1. Crossing with d2 (resp. d1) and dotting
    // with n eliminates the other two unknowns: t1 = ((w x d2) . n) / |n|^2 and
    // t2 = ((w x d1) . n) / |n|^2. |n|^2 is bounded away from 0 by the angle test above.
    const OmVector3d w = other.start_ - start_;
    const double t1 = ((w % d2) * n) / nn;
    const double t2 = ((w % d1) * n) / nn;
    const OmPoint3d q1 = Evaluate(t1);
    const OmPoint3d q2 = other.Evaluate(t2);
    mid = q1.MiddlePoint(q2);
    return q1.Distance(q2);
}

}  // namespace om
