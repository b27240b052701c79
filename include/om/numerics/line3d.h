// Spatial line segment with a unit direction.
#pragma once

#include <om/numerics/point3d.h>
#include <om/numerics/vector3d.h>

namespace om {

// A segment from start to end with its unit direction. The direction may also be set on its
// own; then it is no longer tied to the end point. A zero-length segment has direction (0, 0, 0).
class OmLine3d {
  public:
    OmLine3d() = default;
    // Direction = normalised end - start.
    OmLine3d(const OmPoint3d& start, const OmPoint3d& end);
    // Direction normalised; the end lies one unit from the start.
    OmLine3d(const OmPoint3d& start, const OmVector3d& direction);

    void setStart(const OmPoint3d& p) { start_ = p; }
    void setEnd(const OmPoint3d& p, bool updateDirection = true);
    // Stores v normalised; start and end stay.
    void setDirection(const OmVector3d& v) { direction_ = OmSafeNormalized(v); }
    const OmPoint3d& getStart() const { return start_; }
    const OmPoint3d& getEnd() const { return end_; }
    const OmVector3d& getDirection() const { return direction_; }
    double getLength() const { return start_.Distance(end_); }
    OmPoint3d Evaluate(double t) const { return start_ + direction_ * t; }

    // Foot of the perpendicular from p. Always true for an infinite line; for the segment, true
    // only when the foot lies between start and end.
    bool getClosestPointTo(const OmPoint3d& p, OmPoint3d& out, bool infinite = true) const;

    // Perpendicular distance of p from the infinite line.
    double getNormDistance(const OmPoint3d& p) const;
    double getNormDistance(const OmPoint3d& p, OmPoint3d& foot) const;
    // Also tells whether the foot lies in the axis-aligned box spanned by start and end.
    double getNormDistance(const OmPoint3d& p, bool& inside) const;

    // dist = |start - p|; true when p lies on the infinite line (perpendicular distance < 1e-10).
    bool getDistAtPoint(const OmPoint3d& p, double& dist) const;

    // Closest approach of two infinite lines: writes the mid point of the two closest points and
    // returns their distance; -1.0 (mid untouched) when the lines are within 1 degree of parallel.
    double Intersect(const OmLine3d& other, OmPoint3d& mid) const;

  private:
    OmPoint3d start_;
    OmPoint3d end_;
    OmVector3d direction_;
};

}  // namespace om
