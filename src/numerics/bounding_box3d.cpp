#include <om/numerics/bounding_box3d.h>

#include <algorithm>
#include <limits>

#include <om/numerics/bounding_box2d.h>

namespace om {

namespace {
constexpr double kEmptyMin = std::numeric_limits<double>::max();
constexpr double kEmptyMax = -std::numeric_limits<double>::max();
}  // namespace

OmBoundingBox3d::OmBoundingBox3d(double xmin, double ymin, double zmin, double xmax, double ymax,
                                 double zmax)
    : min_{xmin, ymin, zmin}, max_{xmax, ymax, zmax} {}

OmBoundingBox3d::OmBoundingBox3d(const OmPoint3d& a, const OmPoint3d& b) {
    for (int i = 0; i < 3; ++i) {
        min_[i] = std::min(a[i], b[i]);
        max_[i] = std::max(a[i], b[i]);
    }
}

void OmBoundingBox3d::Reset() {
    for (int i = 0; i < 3; ++i) {
        min_[i] = kEmptyMin;
        max_[i] = kEmptyMax;
    }
    count_ = 0;
}

bool OmBoundingBox3d::IsValid() const {
    for (int i = 0; i < 3; ++i)
        if (min_[i] == kEmptyMin || max_[i] == kEmptyMax) return false;
    return true;
}

void OmBoundingBox3d::Update(double x, double y, double z) {
    const double p[3] = {x, y, z};
    for (int i = 0; i < 3; ++i) {
        min_[i] = std::min(min_[i], p[i]);
        max_[i] = std::max(max_[i], p[i]);
    }
    ++count_;
}

void OmBoundingBox3d::Union(const OmBoundingBox3d& other) {
    for (int i = 0; i < 3; ++i) {
        min_[i] = std::min(min_[i], other.min_[i]);
        max_[i] = std::max(max_[i], other.max_[i]);
    }
    ++count_;
}

double OmBoundingBox3d::GetMax() const {
    return std::max({GetWidth(), GetHeight(), GetDepth()});
}

double OmBoundingBox3d::GetMin() const {
    return std::min({GetWidth(), GetHeight(), GetDepth()});
}

OmPoint3d OmBoundingBox3d::Center() const {
    if (!IsValid()) return {};
    return {(min_[0] + max_[0]) / 2.0, (min_[1] + max_[1]) / 2.0, (min_[2] + max_[2]) / 2.0};
}

void OmBoundingBox3d::GetMinMaxPoints(OmPoint3d& pmin, OmPoint3d& pmax) const {
    pmin = OmPoint3d(min_[0], min_[1], min_[2]);
    pmax = OmPoint3d(max_[0], max_[1], max_[2]);
}

void OmBoundingBox3d::Move(double dx, double dy, double dz) {
    const double d[3] = {dx, dy, dz};
    for (int i = 0; i < 3; ++i) {
        min_[i] += d[i];
        max_[i] += d[i];
    }
}

void OmBoundingBox3d::AddFrame(double dx, double dy, double dz) {
    const double d[3] = {dx, dy, dz};
    for (int i = 0; i < 3; ++i) {
        min_[i] -= d[i];
        max_[i] += d[i];
    }
}

bool OmBoundingBox3d::AxisOverlap(int axis, const OmBoundingBox3d& other, bool inclusive) const {
    return OmIntervalsOverlap(min_[axis], max_[axis], other.min_[axis], other.max_[axis],
                              inclusive);
}

bool OmBoundingBox3d::OverlapXY(const OmBoundingBox3d& other, bool inclusive) const {
    return AxisOverlap(0, other, inclusive) && AxisOverlap(1, other, inclusive);
}

bool OmBoundingBox3d::OverlapXZ(const OmBoundingBox3d& other, bool inclusive) const {
    return AxisOverlap(0, other, inclusive) && AxisOverlap(2, other, inclusive);
}

bool OmBoundingBox3d::OverlapYZ(const OmBoundingBox3d& other, bool inclusive) const {
    return AxisOverlap(1, other, inclusive) && AxisOverlap(2, other, inclusive);
}

bool OmBoundingBox3d::Overlap(const OmBoundingBox3d& other, bool inclusive) const {
    return OverlapXY(other, inclusive) && OverlapXZ(other, inclusive);
}

bool OmBoundingBox3d::CheckMax(const OmBoundingBox3d& other) const {
    for (int i = 0; i < 3; ++i)
        if (other.min_[i] <= min_[i] || other.max_[i] >= max_[i]) return true;
    return false;
}

}  // namespace om
