#include <om/numerics/affin_map3d.h>

#include <algorithm>
#include <cmath>

#include <om/numerics/planar_functions.h>

#include "numerics/plane_rotation.h"

namespace om {

OmAffinMap3d::OmAffinMap3d() {
    SetIdentity();
}

OmAffinMap3d::OmAffinMap3d(const OmFrame3d& f) {
    SetIdentity();
    const OmVector3d axes[3] = {f.v1(), f.v2(), f.v3()};
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) m[4 * r + c] = axes[c][r];
    for (int r = 0; r < 3; ++r) m[4 * r + 3] = f.Origin()[r];
}

OmAffinMap3d::OmAffinMap3d(const OmFrame3d& from, const OmFrame3d& to)
    : OmAffinMap3d(OmAffinMap3d(to) * Inv(OmAffinMap3d(from))) {}

void OmAffinMap3d::SetIdentity() {
    for (int i = 0; i < 16; ++i) m[i] = (i % 5 == 0) ? 1.0 : 0.0;
}

OmAffinMap3d OmAffinMap3d::Translate(double tx, double ty, double tz) {
    OmAffinMap3d t;
    t[0][3] = tx;
    t[1][3] = ty;
    t[2][3] = tz;
    return t;
}

OmAffinMap3d OmAffinMap3d::Translate(const OmVector3d& v) {
    return Translate(v.x(), v.y(), v.z());
}

OmAffinMap3d OmAffinMap3d::Scale(double sx, double sy, double sz) {
    OmAffinMap3d s;
    s[0][0] = sx;
    s[1][1] = sy;
    s[2][2] = sz;
    return s;
}

OmAffinMap3d OmAffinMap3d::RotX(double a) {
    OmAffinMap3d r;
    numerics_detail::SetPlaneRotation(r, 1, 2, a);
    return r;
}

OmAffinMap3d OmAffinMap3d::RotY(double a) {
    OmAffinMap3d r;
    numerics_detail::SetPlaneRotation(r, 2, 0, a);
    return r;
}

OmAffinMap3d OmAffinMap3d::RotZ(double a) {
    OmAffinMap3d r;
    numerics_detail::SetPlaneRotation(r, 0, 1, a);
    return r;
}

OmAffinMap3d OmAffinMap3d::RotXYZ(double a, double b, double c) {
    return RotZ(c) * RotY(b) * RotX(a);
}

OmAffinMap3d OmAffinMap3d::Inv(const OmAffinMap3d& m) {
    OmAffinMap3d r(m);
    r.Invert();
    return r;
}

OmAffinMap3d OmAffinMap3d::NormalTransformMap(const OmAffinMap3d& m) {
    OmAffinMap3d lin(m);
    for (int r = 0; r < 3; ++r) lin[r][3] = 0.0;
    lin.Invert();
    OmAffinMap3d t;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) t[r][c] = lin[c][r];
    return t;
}

namespace {

double ColumnNorm(const OmAffinMap3d& m, int c) {
    return std::sqrt(m[0][c] * m[0][c] + m[1][c] * m[1][c] + m[2][c] * m[2][c]);
}

}  // namespace

OmAffinMap3d OmAffinMap3d::GetScaleMap(const OmAffinMap3d& m) {
    return Scale(ColumnNorm(m, 0), ColumnNorm(m, 1), ColumnNorm(m, 2));
}

void OmAffinMap3d::GetRotAngles(const OmAffinMap3d& m, double& a, double& b, double& c) {
    // R = m S^-1 with unit columns, negated when m mirrors. With R = RotZ(c) RotY(b) RotX(a):
    //   R[2][0] = -sin b, R[2][1] = cos b sin a, R[2][2] = cos b cos a,
    //   R[1][0] = cos b sin c, R[0][0] = cos b cos c.
    // atan2 on those pairs needs no division by cos b, and asin gets a clamped argument.
    const double s = m.Det() < 0.0 ? -1.0 : 1.0;
    double r[3][3];
    for (int col = 0; col < 3; ++col) {
        const double n = ColumnNorm(m, col);
        const double f = n > 0.0 ? s / n : 0.0;
        for (int row = 0; row < 3; ++row) r[row][col] = m[row][col] * f;
    }
    const double sb = std::clamp(-r[2][0], -1.0, 1.0);
    b = NormAngle(std::asin(sb));
    const double cb = std::sqrt(std::max(0.0, 1.0 - sb * sb));
    if (cb >= 1e-6) {
        a = NormAngle(std::atan2(r[2][1], r[2][2]));
        c = NormAngle(std::atan2(r[1][0], r[0][0]));
    } else {
        // Gimbal lock: R = RotY(+-pi/2) RotX(a) when c is taken as 0; its second row is
        // (0, cos a, -sin a).
        c = 0.0;
        a = NormAngle(std::atan2(-r[1][2], r[1][1]));
    }
}

OmAffinMap3d OmAffinMap3d::operator*(const OmAffinMap3d& o) const {
    OmAffinMap3d p;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += m[4 * r + k] * o.m[4 * k + c];
            p.m[4 * r + c] = sum;
        }
    return p;
}

void OmAffinMap3d::Transformer(const _MVector& in, _MVector& out) const {
    double res[3];
    for (int r = 0; r < 3; ++r)
        res[r] =
            m[4 * r] * in[0] + m[4 * r + 1] * in[1] + m[4 * r + 2] * in[2] + m[4 * r + 3] * in[3];
    for (int r = 0; r < 3; ++r) out[r] = res[r];
    out[3] = in[3];
}

OmPoint3d OmAffinMap3d::Transform(const OmPoint3d& p) const {
    OmPoint3d out;
    Transformer(p, out);
    return out;
}

OmVector3d OmAffinMap3d::Transform(const OmVector3d& v) const {
    OmVector3d out;
    Transformer(v, out);
    return out;
}

OmFrame3d OmAffinMap3d::Transform(const OmFrame3d& f) const {
    return {Transform(f.Origin()), Transform(f.v1()), Transform(f.v2()), Transform(f.v3())};
}

OmLine3d OmAffinMap3d::Transform(const OmLine3d& l) const {
    return {Transform(l.getStart()), Transform(l.getEnd())};
}

double OmAffinMap3d::Det() const {
    const double* a = m;
    return a[0] * (a[5] * a[10] - a[6] * a[9]) - a[1] * (a[4] * a[10] - a[6] * a[8]) +
           a[2] * (a[4] * a[9] - a[5] * a[8]);
}

int OmAffinMap3d::Invert() {
    const double det = Det();
    if (det == 0.0) return 1;
    const double* a = m;
    // A^-1 = adj(A) / det, adj(A)[r][c] = cofactor of A[c][r].
    double inv[3][3] = {
        {a[5] * a[10] - a[6] * a[9], a[2] * a[9] - a[1] * a[10], a[1] * a[6] - a[2] * a[5]},
        {a[6] * a[8] - a[4] * a[10], a[0] * a[10] - a[2] * a[8], a[2] * a[4] - a[0] * a[6]},
        {a[4] * a[9] - a[5] * a[8], a[1] * a[8] - a[0] * a[9], a[0] * a[5] - a[1] * a[4]}};
    const double t[3] = {a[3], a[7], a[11]};
    OmAffinMap3d r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) r[i][j] = inv[i][j] / det;
        // New translation -A^-1 t.
        r[i][3] = -(r[i][0] * t[0] + r[i][1] * t[1] + r[i][2] * t[2]);
    }
    *this = r;
    return 0;
}

void OmAffinMap3d::GetCoordSystem(OmPoint3d& origin, OmVector3d& v1, OmVector3d& v2,
                                  OmVector3d& v3) const {
    origin = OmPoint3d(m[3], m[7], m[11]);
    v1 = OmVector3d(m[0], m[4], m[8]);
    v2 = OmVector3d(m[1], m[5], m[9]);
    v3 = OmVector3d(m[2], m[6], m[10]);
}

void OmAffinMap3d::ArbAxisAlg(const OmVector3d& n, OmVector3d& ax, OmVector3d& ay) {
    constexpr double kArbBound = 1.0 / 64.0;
    const OmVector3d ref = (std::fabs(n.x()) < kArbBound && std::fabs(n.y()) < kArbBound)
                               ? OmVector3d(0, 1, 0)
                               : OmVector3d(0, 0, 1);
    ax = OmSafeNormalized(ref % n);
    ay = OmSafeNormalized(n % ax);
}

OmAffinMap3d OmAffinMap3d::MapEcsToWcs(const OmVector3d& n) {
    OmVector3d ax, ay;
    ArbAxisAlg(n, ax, ay);
    return OmAffinMap3d(OmFrame3d(OmPoint3d(), ax, ay, n));
}

}  // namespace om
