// Axis-aligned spatial bounding box with an update count.
#pragma once

#include <om/numerics/point3d.h>

namespace om {

// An empty box holds min = largest finite double and max = its negative on every axis and a count
// of 0; every Update or Union increments the count.
class OmBoundingBox3d {
  public:
    OmBoundingBox3d() { Reset(); }
    OmBoundingBox3d(double xmin, double ymin, double zmin, double xmax, double ymax, double zmax);
    // Each coordinate pair sorted into min and max.
    OmBoundingBox3d(const OmPoint3d& a, const OmPoint3d& b);

    void Reset();
    // No sentinel left.
    bool IsValid() const;
    void Update(double x, double y, double z);
    void Update(const OmPoint3d& p) { Update(p.x(), p.y(), p.z()); }
    // Extends by the other box's min and max corners (an empty other box changes no bound).
    void Union(const OmBoundingBox3d& other);
    unsigned int GetCount() const { return count_; }

    double Xmin() const { return min_[0]; }
    double Ymin() const { return min_[1]; }
    double Zmin() const { return min_[2]; }
    double Xmax() const { return max_[0]; }
    double Ymax() const { return max_[1]; }
    double Zmax() const { return max_[2]; }
    void SetXmin(double v) { min_[0] = v; }
    void SetYmin(double v) { min_[1] = v; }
    void SetZmin(double v) { min_[2] = v; }
    void SetXmax(double v) { max_[0] = v; }
    void SetYmax(double v) { max_[1] = v; }
    void SetZmax(double v) { max_[2] = v; }

    double GetWidth() const { return max_[0] - min_[0]; }
    double GetXSize() const { return GetWidth(); }
    double GetHeight() const { return max_[1] - min_[1]; }
    double GetYSize() const { return GetHeight(); }
    double GetDepth() const { return max_[2] - min_[2]; }
    double GetZSize() const { return GetDepth(); }
    // Largest and smallest extent.
    double GetMax() const;
    double GetMin() const;
    double GetVol() const { return GetWidth() * GetHeight() * GetDepth(); }
    // Mid point; (0, 0, 0) for an invalid box.
    OmPoint3d Center() const;
    void GetMinMaxPoints(OmPoint3d& pmin, OmPoint3d& pmax) const;

    void Move(double dx, double dy, double dz);
    void MoveXmin(double d) { min_[0] += d; }
    void MoveYmin(double d) { min_[1] += d; }
    void MoveZmin(double d) { min_[2] += d; }
    void MoveXmax(double d) { max_[0] += d; }
    void MoveYmax(double d) { max_[1] += d; }
    void MoveZmax(double d) { max_[2] += d; }
    // Each min decreases and each max increases by the amount for its axis.
    void AddFrame(double dx, double dy, double dz);
    void Swell(double d) { AddFrame(d, d, d); }

    // Inclusive containment tests on one, two or three axes.
    bool IsInX(double x) const { return x >= min_[0] && x <= max_[0]; }
    bool IsInY(double y) const { return y >= min_[1] && y <= max_[1]; }
    bool IsInZ(double z) const { return z >= min_[2] && z <= max_[2]; }
    bool IsInXY(double x, double y) const { return IsInX(x) && IsInY(y); }
    bool IsInXZ(double x, double z) const { return IsInX(x) && IsInZ(z); }
    bool IsInYZ(double y, double z) const { return IsInY(y) && IsInZ(z); }
    bool IsInBox(double x, double y, double z) const { return IsInXY(x, y) && IsInZ(z); }
    bool IsInBox(const OmPoint3d& p) const { return IsInBox(p.x(), p.y(), p.z()); }

    // Overlap on two axes by the interval rule of OmBoundingBox2d::Overlap.
    bool OverlapXY(const OmBoundingBox3d& other, bool inclusive) const;
    bool OverlapXZ(const OmBoundingBox3d& other, bool inclusive) const;
    bool OverlapYZ(const OmBoundingBox3d& other, bool inclusive) const;
    // OverlapXY and OverlapXZ, hence all three axes.
    bool Overlap(const OmBoundingBox3d& other, bool inclusive) const;
    // True when the other box reaches or passes this box's border on any side.
    bool CheckMax(const OmBoundingBox3d& other) const;

  private:
    bool AxisOverlap(int axis, const OmBoundingBox3d& other, bool inclusive) const;

    double min_[3];
    double max_[3];
    unsigned int count_ = 0;
};

}  // namespace om
