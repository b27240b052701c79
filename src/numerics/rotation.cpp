// Rotation matrices: elementary rotations, the Ry Rx Rz composition and its angles, frames from
// three points, and direction comparisons.
#include <om/numerics/matrix.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "numerics/plane_rotation.h"
#include "numerics/spatial.h"

namespace om {
namespace {

// Below this the second direction of a frame counts as parallel to the first (its component
// orthogonal to the unit first direction is the sine of the angle between them).
constexpr double kParallelTolerance = 1e-10;

// Image of (0, 0, 1) under the leading 3x3 block: its third column.
std::array<double, 3> ImageOfZ(const OmMatrix& m) {
    if (m.GetZeilen() < 3 || m.GetSpalten() < 3) return {0.0, 0.0, 0.0};
    return {m[1][3], m[2][3], m[3][3]};
}

}  // namespace

// A 3x3 identity (larger matrices keep their size) with the turn of the given axes.
OmMatrix& OmMatrix::RotXAxis(double a) {
    Resize(std::max(m_rows, 3), std::max(m_cols, 3));
    SetIdent();
    numerics_detail::SetPlaneRotation(*this, 2, 3, a);
    return *this;
}

OmMatrix& OmMatrix::RotYAxis(double a) {
    Resize(std::max(m_rows, 3), std::max(m_cols, 3));
    SetIdent();
    numerics_detail::SetPlaneRotation(*this, 3, 1, a);
    return *this;
}

OmMatrix& OmMatrix::RotZAxis(double a) {
    Resize(std::max(m_rows, 3), std::max(m_cols, 3));
    SetIdent();
    numerics_detail::SetPlaneRotation(*this, 1, 2, a);
    return *this;
}

// R = Ry(a1) Rx(a2) Rz(a3), multiplied out (ci = cos ai, si = sin ai):
//   ( s2 s1 s3 + c3 c1   s2 s1 c3 - s3 c1   c2 s1 )
//   ( c2 s3              c2 c3              -s2   )
//   ( s2 c1 s3 - c3 s1   s2 c1 c3 + s3 s1   c2 c1 )
OmMatrix& OmMatrix::MakeRotMatrix(double a1, double a2, double a3) {
    const double c1 = std::cos(a1), s1 = std::sin(a1);
    const double c2 = std::cos(a2), s2 = std::sin(a2);
    const double c3 = std::cos(a3), s3 = std::sin(a3);
    Resize(std::max(m_rows, 3), std::max(m_cols, 3));
    OmMatrix& m = *this;
    m[1][1] = s2 * s1 * s3 + c3 * c1;
    m[1][2] = s2 * s1 * c3 - s3 * c1;
    m[1][3] = c2 * s1;
    m[2][1] = c2 * s3;
    m[2][2] = c2 * c3;
    m[2][3] = -s2;
    m[3][1] = s2 * c1 * s3 - c3 * s1;
    m[3][2] = s2 * c1 * c3 + s3 * s1;
    m[3][3] = c2 * c1;
    return *this;
}

// Gram-Schmidt on the two edge directions; the third axis completes a right-handed frame.
OmMatrix& OmMatrix::MakeRotMatrix(OmVector& p0, OmVector& p1, OmVector& p2, bool* ok) {
    if (ok) *ok = false;
    const OmVector origin = detail::FirstThree(p0);
    OmVector u = detail::FirstThree(p1) - origin;
    OmVector v = detail::FirstThree(p2) - origin;
    if (u.Abs() == 0.0 || v.Abs() == 0.0) return *this;
    u.Normalize();
    v.Normalize();
    v -= u * (u * v);
    if (!(v.Abs() >= kParallelTolerance)) return *this;  // also rejects NaN
    v.Normalize();
    OmVector w = u % v;
    if (w.Abs() == 0.0) return *this;
    w.Normalize();
    Resize(std::max(m_rows, 3), std::max(m_cols, 3));
    SetRow(1, u);
    SetRow(2, v);
    SetRow(3, w);
    if (ok) *ok = true;
    return *this;
}

// Inverse of MakeRotMatrix: m23 = -s2, (m13, m33) = c2 (s1, c1), (m21, m22) = c2 (s3, c3).
// atan2 of the unscaled pairs equals atan2 of the pairs divided by c2 whenever c2 > 0, which holds
// for a2 in (-pi/2, pi/2), and never divides by a vanishing c2. The asin argument is clamped
// because rounding can push |m23| just above 1.
void OmMatrix::GetRotAngles(double* a2, double* a1, double* a3) const {
    double p = 0.0, q = 0.0, r = 0.0;
    if (m_rows >= 3 && m_cols >= 3) {
        const OmMatrix& m = *this;
        p = std::asin(std::clamp(-m[2][3], -1.0, 1.0));
        q = std::atan2(m[1][3], m[3][3]);
        r = std::atan2(m[2][1], m[2][2]);
    }
    if (a2) *a2 = p;
    if (a1) *a1 = q;
    if (a3) *a3 = r;
}

// Two unit images of the z axis whose sum is longer than 1.42 (about sqrt 2) are less than about
// 90 degrees apart.
bool OmMatrix::IsLookingInSameDirection(const OmMatrix& other) const {
    const auto a = ImageOfZ(*this);
    const auto b = ImageOfZ(other);
    const double sx = a[0] + b[0], sy = a[1] + b[1], sz = a[2] + b[2];
    return std::sqrt(sx * sx + sy * sy + sz * sz) > 1.42;
}

double OmMatrix::CalcAngle(const OmMatrix& other) const {
    const auto ai = ImageOfZ(*this);
    const auto bi = ImageOfZ(other);
    OmVector a(ai[0], ai[1], ai[2]);
    OmVector b(bi[0], bi[1], bi[2]);
    a.Normalize();
    b.Normalize();
    const double cosine = a * b;
    if (cosine >= 1.0) return 0.0;
    return std::acos(std::max(cosine, -1.0));  // rounding can leave it just below -1
}

}  // namespace om
