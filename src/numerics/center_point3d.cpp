#include <om/numerics/center_point3d.h>

namespace om {

void OmCenterPoint3d::Reset(double x, double y, double z) {
    x_ = x;
    y_ = y;
    z_ = z;
    count_ = 0;
}

void OmCenterPoint3d::Add(double x, double y, double z) {
    // new mean = (mean n + p) / (n + 1)
    const double n = count_;
    x_ = (x_ * n + x) / (n + 1.0);
    y_ = (y_ * n + y) / (n + 1.0);
    z_ = (z_ * n + z) / (n + 1.0);
    ++count_;
}

void OmCenterPoint3d::Subtract(double x, double y, double z) {
    if (count_ <= 1) {
        Reset(0.0, 0.0, 0.0);
        return;
    }
    // new mean = (mean n - p) / (n - 1)
    const double n = count_;
    x_ = (x_ * n - x) / (n - 1.0);
    y_ = (y_ * n - y) / (n - 1.0);
    z_ = (z_ * n - z) / (n - 1.0);
    --count_;
}

void OmCenterPoint3d::Add(const OmCenterPoint3d& other) {
    const int total = count_ + other.count_;
    const double div = total != 0 ? total : 1.0;
    x_ = (x_ * count_ + other.x_ * other.count_) / div;
    y_ = (y_ * count_ + other.y_ * other.count_) / div;
    z_ = (z_ * count_ + other.z_ * other.count_) / div;
    count_ = total;
}

void OmCenterPoint3d::Move(double dx, double dy, double dz) {
    x_ += dx;
    y_ += dy;
    z_ += dz;
}

}  // namespace om
