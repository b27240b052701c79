// Spatial plane in Hesse normal form.
#pragma once

#include <om/numerics/line3d.h>
#include <om/numerics/point3d.h>
#include <om/numerics/vector3d.h>

namespace om {

// The points p with normal . p + d = 0, the normal of unit length. A zero normal (default plane)
// describes no plane: its distances are d everywhere and it intersects nothing.
class OmPlane3d {
  public:
    OmPlane3d() = default;
    // Normal normalised, d taken unchanged.
    OmPlane3d(const OmVector3d& normal, double d);
    // Through p. The normal is oriented from the plane towards the origin, so d >= 0.
    OmPlane3d(const OmPoint3d& p, const OmVector3d& normal);
    // Through p, spanned by a and b: normal b x a, then oriented as above.
    OmPlane3d(const OmPoint3d& p, const OmVector3d& a, const OmVector3d& b);

    // Signed distance normal . p + d.
    double Dist(const OmPoint3d& p) const { return normal_ * p.AsVector() + d_; }
    // Foot of the perpendicular from p.
    OmPoint3d Projection(const OmPoint3d& p) const { return p - normal_ * Dist(p); }
    void SetNorm(const OmVector3d& v) { normal_ = OmSafeNormalized(v); }
    void SetDist(double d) { d_ = d; }
    double GetDist() const { return d_; }
    const OmVector3d& GetNorm() const { return normal_; }

    // 0 and the intersection point; 1 when the line is parallel to the plane
    // (|normal . direction| < 1e-6) or has no direction.
    int Intersect(const OmLine3d& l, OmPoint3d& p) const;
    // 0 and the intersection line (unit direction n1 x n2); -1 for parallel or antiparallel
    // planes.
    int Intersect(const OmPlane3d& other, OmLine3d& l) const;

  private:
    OmVector3d normal_;
    double d_ = 0.0;
};

// A point on the intersection line of the planes n1 . p + d1 = 0 and n2 . p + d2 = 0 (normals
// of any length), written to point[0..2]. The point is solved in the coordinate plane z = 0
// when the line crosses it, else in x = 0 or y = 0. False, point untouched, when the normals
// are parallel (|n1 x n2| < 1e-10 |n1| |n2|).
bool OmIntersectPlanes(const double n1[3], double d1, const double n2[3], double d2,
                       double point[3]);

}  // namespace om
