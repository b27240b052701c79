#include <om/numerics/bounding_box2d.h>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace om {

namespace {
constexpr double kEmptyMin = std::numeric_limits<double>::max();
constexpr double kEmptyMax = -std::numeric_limits<double>::max();
}  // namespace

OmBoundingBox2d::OmBoundingBox2d(double x1, double y1, double x2, double y2)
    : xmin_(std::min(x1, x2)),
      ymin_(std::min(y1, y2)),
      xmax_(std::max(x1, x2)),
      ymax_(std::max(y1, y2)) {}

void OmBoundingBox2d::Init() {
    xmin_ = ymin_ = kEmptyMin;
    xmax_ = ymax_ = kEmptyMax;
}

bool OmBoundingBox2d::IsValid() const {
    return xmin_ != kEmptyMin && ymin_ != kEmptyMin && xmax_ != kEmptyMax && ymax_ != kEmptyMax;
}

void OmBoundingBox2d::Update(double x, double y) {
    xmin_ = std::min(xmin_, x);
    ymin_ = std::min(ymin_, y);
    xmax_ = std::max(xmax_, x);
    ymax_ = std::max(ymax_, y);
}

void OmBoundingBox2d::Adjust(double dxmin, double dxmax, double dymin, double dymax) {
    if (!IsValid()) return;
    xmin_ += dxmin;
    xmax_ += dxmax;
    ymin_ += dymin;
    ymax_ += dymax;
}

bool OmBoundingBox2d::Overlap(double x, double y, bool inclusive) const {
    if (inclusive) return x >= xmin_ && x <= xmax_ && y >= ymin_ && y <= ymax_;
    return x > xmin_ && x < xmax_ && y > ymin_ && y < ymax_;
}

bool OmBoundingBox2d::Overlap(const OmBoundingBox2d& other, bool inclusive) const {
    return OmIntervalsOverlap(xmin_, xmax_, other.xmin_, other.xmax_, inclusive) &&
           OmIntervalsOverlap(ymin_, ymax_, other.ymin_, other.ymax_, inclusive);
}

void OmBoundingBox2d::DbgPrintf(const char* title) const {
    char line[256];
    std::snprintf(line, sizeof line, "%s", title != nullptr ? title : "");
}

bool OmIntervalsOverlap(double min1, double max1, double min2, double max2, bool inclusive) {
    const bool firstIsLo = min1 <= min2;
    const double loMax = firstIsLo ? max1 : max2;
    const double hiMin = firstIsLo ? min2 : min1;
    return inclusive ? loMax >= hiMin : loMax > hiMin;
}

}  // namespace om
