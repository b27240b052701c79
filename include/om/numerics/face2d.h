// Planar triangle or quadrilateral.
#pragma once

#include <om/numerics/vector2d.h>

namespace om {

// A triangle (the first three corners) or a quadrilateral. A default face is invalid and
// contains nothing.
class OmFace2d {
  public:
    OmFace2d() = default;
    OmFace2d(const OmVector2d& a, const OmVector2d& b, const OmVector2d& c) { set(a, b, c); }
    OmFace2d(const OmVector2d& a, const OmVector2d& b, const OmVector2d& c, const OmVector2d& d) {
        set(a, b, c, d);
    }

    void set(const OmVector2d& a, const OmVector2d& b, const OmVector2d& c);
    void set(const OmVector2d& a, const OmVector2d& b, const OmVector2d& c, const OmVector2d& d);

    const OmVector2d& corner(int i) const { return corners_[i & 3]; }
    bool isTriangle() const { return triangle_; }
    bool isValid() const { return valid_; }

    // Edges and corners count as inside. A quadrilateral (a, b, c, d) is split along the
    // diagonal a-c into (a, b, c) and (c, d, a).
    bool isInside(const OmVector2d& p) const;

  private:
    OmVector2d corners_[4];
    bool triangle_ = false;
    bool valid_ = false;
};

// Barycentric containment test of p in the triangle (a, b, c), borders inclusive. A degenerate
// (zero-area) triangle contains nothing.
bool OmIsInsideTriangle2d(const OmVector2d& a, const OmVector2d& b, const OmVector2d& c,
                          const OmVector2d& p);

}  // namespace om
