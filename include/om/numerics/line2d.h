// Planar line segment.
#pragma once

#include <om/numerics/point2d.h>

namespace om {

// A segment from `start` to `end`; the intersection and distance operations treat it as the
// infinite line through both points.
class OmLine2d {
  public:
    OmPoint2d start;
    OmPoint2d end;

    OmLine2d() = default;
    OmLine2d(const OmPoint2d& s, const OmPoint2d& e) : start(s), end(e) {}
    OmLine2d(double x1, double y1, double x2, double y2) : start(x1, y1), end(x2, y2) {}
    OmLine2d(const OmLine2d&) = default;
    OmLine2d& operator=(const OmLine2d&) = default;
    virtual ~OmLine2d() = default;

    void setStart(const OmPoint2d& p) { start = p; }
    void setEnd(const OmPoint2d& p) { end = p; }
    // Index 0 is the start point, every other index the end point.
    const OmPoint2d& operator[](int i) const { return i == 0 ? start : end; }
    OmPoint2d& operator[](int i) { return i == 0 ? start : end; }

    double length() const { return (end - start).length(); }
    // Unit direction from start to end; (0, 0) for a zero-length segment.
    OmVector2d direction() const { return (end - start).normal(); }

    // Intersection of the two infinite lines, not limited to the segments. Parallel lines and
    // zero-length segments give false and leave `p` unchanged.
    bool interSect(const OmLine2d& other, OmPoint2d& p) const;

    // Signed distance of p's foot along the line from the start. When `perp` is not null it
    // receives the signed perpendicular distance, positive on the left of the direction.
    double DistanceFromP1(const OmPoint2d& p, double* perp) const;
    double DistanceFromP1(const double& x, const double& y, double* perp) const;
};

}  // namespace om
