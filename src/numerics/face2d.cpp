#include <om/numerics/face2d.h>

namespace om {

void OmFace2d::set(const OmVector2d& a, const OmVector2d& b, const OmVector2d& c) {
    corners_[0] = a;
    corners_[1] = b;
    corners_[2] = c;
    corners_[3] = OmVector2d();
    triangle_ = true;
    valid_ = true;
}

void OmFace2d::set(const OmVector2d& a, const OmVector2d& b, const OmVector2d& c,
                   const OmVector2d& d) {
    corners_[0] = a;
    corners_[1] = b;
    corners_[2] = c;
    corners_[3] = d;
    triangle_ = false;
    valid_ = true;
}

bool OmFace2d::isInside(const OmVector2d& p) const {
    if (!valid_) return false;
    const OmVector2d* c = corners_;
    if (triangle_) return OmIsInsideTriangle2d(c[0], c[1], c[2], p);
    return OmIsInsideTriangle2d(c[0], c[1], c[2], p) || OmIsInsideTriangle2d(c[2], c[3], c[0], p);
}

bool OmIsInsideTriangle2d(const OmVector2d& a, const OmVector2d& b, const OmVector2d& c,
                          const OmVector2d& p) {
    // p - a = u e0 + v e1; the normal equations of that 2x2 system, solved by Cramer's rule.
    const OmVector2d e0 = b - a;
    const OmVector2d e1 = c - a;
    const OmVector2d w = p - a;
    const double d00 = e0.dotProduct(e0);
    const double d01 = e0.dotProduct(e1);
    const double d11 = e1.dotProduct(e1);
    const double d0w = e0.dotProduct(w);
    const double d1w = e1.dotProduct(w);
    const double den = d00 * d11 - d01 * d01;
    if (den == 0.0) return false;
    const double u = (d11 * d0w - d01 * d1w) / den;
    const double v = (d00 * d1w - d01 * d0w) / den;
    return u >= 0.0 && v >= 0.0 && u + v <= 1.0;
}

}  // namespace om
