#include <om/numerics/int_bounding_box2d.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>

#include <om/numerics/bounding_box2d.h>

namespace om {

namespace {

int Saturate(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
}

}  // namespace

OmIntBoundingBox2d::OmIntBoundingBox2d(int x1, int y1, int x2, int y2)
    : xmin_(std::min(x1, x2)),
      ymin_(std::min(y1, y2)),
      xmax_(std::max(x1, x2)),
      ymax_(std::max(y1, y2)) {}

void OmIntBoundingBox2d::Reset() {
    xmin_ = ymin_ = INT_MAX;
    xmax_ = ymax_ = INT_MIN;
}

bool OmIntBoundingBox2d::IsValid() const {
    return xmin_ != INT_MAX && ymin_ != INT_MAX && xmax_ != INT_MIN && ymax_ != INT_MIN;
}

void OmIntBoundingBox2d::Update(int x, int y) {
    xmin_ = std::min(xmin_, x);
    ymin_ = std::min(ymin_, y);
    xmax_ = std::max(xmax_, x);
    ymax_ = std::max(ymax_, y);
}

void OmIntBoundingBox2d::Adjust(int dxmin, int dxmax, int dymin, int dymax) {
    if (!IsValid()) return;
    xmin_ = Saturate(std::int64_t{xmin_} + dxmin);
    xmax_ = Saturate(std::int64_t{xmax_} + dxmax);
    ymin_ = Saturate(std::int64_t{ymin_} + dymin);
    ymax_ = Saturate(std::int64_t{ymax_} + dymax);
}

int OmIntBoundingBox2d::GetWidth() const {
    return Saturate(std::int64_t{xmax_} - xmin_);
}

int OmIntBoundingBox2d::GetHeight() const {
    return Saturate(std::int64_t{ymax_} - ymin_);
}

bool OmIntBoundingBox2d::Overlap(int x, int y, bool inclusive) const {
    if (inclusive) return x >= xmin_ && x <= xmax_ && y >= ymin_ && y <= ymax_;
    return x > xmin_ && x < xmax_ && y > ymin_ && y < ymax_;
}

bool OmIntBoundingBox2d::Overlap(const OmIntBoundingBox2d& other, bool inclusive) const {
    return OmIntervalsOverlap(xmin_, xmax_, other.xmin_, other.xmax_, inclusive) &&
           OmIntervalsOverlap(ymin_, ymax_, other.ymin_, other.ymax_, inclusive);
}

void OmIntBoundingBox2d::DbgPrintf(const char* title) const {
    char line[256];
    std::snprintf(line, sizeof line, "%s", title != nullptr ? title : "");
}

}  // namespace om
