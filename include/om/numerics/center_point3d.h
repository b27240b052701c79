// Running centre of gravity of spatial points.
#pragma once

#include <om/numerics/point3d.h>

namespace om {

// The mean of the points added so far, updated incrementally; points can also be taken out.
class OmCenterPoint3d {
  public:
    OmCenterPoint3d() = default;

    // Sets the mean, count 0.
    void Reset(double x, double y, double z);
    void Add(double x, double y, double z);
    // Removes a point from the mean; taking the last one out resets to (0, 0, 0), count 0.
    void Subtract(double x, double y, double z);
    // Count-weighted merge of two means.
    void Add(const OmCenterPoint3d& other);
    void Add(const OmPoint3d& p) { Add(p.x(), p.y(), p.z()); }
    void Subtract(const OmPoint3d& p) { Subtract(p.x(), p.y(), p.z()); }
    void Move(double dx, double dy, double dz);
    OmPoint3d Point() const { return {x_, y_, z_}; }
    int GetCount() const { return count_; }

  private:
    double x_ = 0.0, y_ = 0.0, z_ = 0.0;
    int count_ = 0;
};

}  // namespace om
