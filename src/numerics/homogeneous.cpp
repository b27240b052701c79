// Homogeneous point transformation with 3x3 (planar) and 4x4 (spatial) matrices.
#include <om/numerics/matrix.h>

#include <cmath>

#include <om/numerics/vector3d.h>

namespace om {
namespace {

// Below this the homogeneous weight counts as zero: the point maps to infinity.
constexpr double kWeightTolerance = 1e-10;

}  // namespace

// (x', y') = ((m11 x + m12 y + m13) / w, (m21 x + m22 y + m23) / w), w = m31 x + m32 y + m33.
bool OmMatrix::PTrans2D(double* x, double* y) const {
    if (m_rows < 3 || m_cols < 3) return false;
    const OmMatrix& m = *this;
    const double w = m[3][1] * *x + m[3][2] * *y + m[3][3];
    if (!(std::fabs(w) >= kWeightTolerance)) return false;
    const double xn = (m[1][1] * *x + m[1][2] * *y + m[1][3]) / w;
    const double yn = (m[2][1] * *x + m[2][2] * *y + m[2][3]) / w;
    *x = xn;
    *y = yn;
    return true;
}

// The same in space with w = m41 x + m42 y + m43 z + m44.
bool OmMatrix::PTrans3D(double* x, double* y, double* z) const {
    if (m_rows < 4 || m_cols < 4) return false;
    const OmMatrix& m = *this;
    const double w = m[4][1] * *x + m[4][2] * *y + m[4][3] * *z + m[4][4];
    if (!(std::fabs(w) >= kWeightTolerance)) return false;
    const double xn = (m[1][1] * *x + m[1][2] * *y + m[1][3] * *z + m[1][4]) / w;
    const double yn = (m[2][1] * *x + m[2][2] * *y + m[2][3] * *z + m[2][4]) / w;
    const double zn = (m[3][1] * *x + m[3][2] * *y + m[3][3] * *z + m[3][4]) / w;
    *x = xn;
    *y = yn;
    *z = zn;
    return true;
}

bool OmMatrix::PTrans2D(OmVector3d* v) const {
    return v && PTrans2D(&v->x(), &v->y());
}

}  // namespace om
