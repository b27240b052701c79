#include <om/photo/camera.h>

#include <cmath>

#include "photo/inv_adjust_registry.h"

namespace om {

OmCamera::OmCamera(unsigned id, double c, double xh, double yh, double a1, double a2, double r0,
                   const char* name)
    : OmListnode(id, String(name)), c_(c), xh_(xh), yh_(yh), a1_(a1), a2_(a2), r0_(r0) {}

OmCamera::OmCamera(const OmCamera& other) : OmListnode(other), OmFlag(other) {
    CopyParameters(other);
}

OmCamera& OmCamera::operator=(const OmCamera& other) {
    if (this == &other) return *this;
    OmListnode::operator=(other);  // identifier and name, never the list links
    OmFlag::operator=(other);
    CopyParameters(other);
    ClearCache();
    return *this;
}

void OmCamera::CopyParameters(const OmCamera& other) {
    c_ = other.c_;
    xh_ = other.xh_;
    yh_ = other.yh_;
    a1_ = other.a1_;
    a2_ = other.a2_;
    r0_ = other.r0_;
    cViva_ = other.cViva_;
    xhViva_ = other.xhViva_;
    yhViva_ = other.yhViva_;
    a3_ = other.a3_;
    c1_ = other.c1_;
    c2_ = other.c2_;
    b1_ = other.b1_;
    b2_ = other.b2_;
    rm_ = other.rm_;
    mode_ = other.mode_;
}

void OmCamera::ClearParameters() {
    CopyParameters(OmCamera());
    ClearCache();
}

void OmCamera::ClearCache() {
    hasLast_ = false;
    lastIn_[0] = lastIn_[1] = lastOut_[0] = lastOut_[1] = 0.0;
}

bool OmCamera::GetLastInvAdjust(double* inX, double* inY, double* outX, double* outY) const {
    if (inX) *inX = lastIn_[0];
    if (inY) *inY = lastIn_[1];
    if (outX) *outX = lastOut_[0];
    if (outY) *outY = lastOut_[1];
    return hasLast_;
}

// --- distortion functions ---

double OmCamera::Calc_r(const double& x, const double& y) const {
    return std::sqrt(x * x + y * y);
}

double OmCamera::CalcdrA1A2(const double& r) const {
    if (r == 0.0) return 0.0;
    const double r2 = r * r, r02 = r0_ * r0_;
    return a1_ * (r2 - r02) + a2_ * (r2 * r2 - r02 * r02);
}

double OmCamera::CalcdrA1A2(const double& x, const double& y) const {
    return CalcdrA1A2(Calc_r(x, y));
}

double OmCamera::CalcdrA1A2A3(const double& r) const {
    if (r == 0.0) return 0.0;
    const double r2 = r * r, r02 = r0_ * r0_;
    return a1_ * (r2 - r02) + a2_ * (r2 * r2 - r02 * r02) + a3_ * (r2 * r2 * r2 - r02 * r02 * r02);
}

double OmCamera::CalcdrA1A2A3(const double& x, const double& y) const {
    return CalcdrA1A2A3(Calc_r(x, y));
}

double OmCamera::Calcd(double x, double y) const {
    const double r2 = x * x + y * y, r02 = r0_ * r0_;
    return a1_ * (r2 - r02) + a2_ * (r2 * r2 - r02 * r02);
}

void OmCamera::CalcTanDistort(double& dx, double& dy, const double& x, const double& y,
                              const double& r) const {
    const double r2 = r * r;
    dx = c1_ * (2.0 * x * x + r2) + 2.0 * c2_ * x * y;
    dy = c2_ * (2.0 * y * y + r2) + 2.0 * c1_ * x * y;
}

double OmCamera::CalcdrAffin(const double& x, const double& y) const {
    return b1_ * x + b2_ * y;
}

void OmCamera::CalcDistortA1A2(double& dx, double& dy, const double& x, const double& y) const {
    const double d = CalcdrA1A2(x, y);
    dx = -x * d;
    dy = -y * d;
}

// CAP correction D(x, y) = -(p dr(r) + t(p) + p/r * (b1 x + b2 y)), p = (x, y), r = |p|: radial,
// decentring, and an affine term that acts along the radius (its unit vector p/r; at the origin
// the divisor is 1, where p = 0 anyway).
double OmCamera::CalcDistortA1A2A3B1B2C1C2(double& dx, double& dy, const double& x,
                                           const double& y) const {
    const double r = Calc_r(x, y);
    const double d = CalcdrA1A2A3(r);
    double tx = 0.0, ty = 0.0;
    CalcTanDistort(tx, ty, x, y, r);
    const double f = CalcdrAffin(x, y);
    const double q = r == 0.0 ? 1.0 : r;
    dx = -(x * d + tx + x * f / q);
    dy = -(y * d + ty + y * f / q);
    return dx * dx + dy * dy;
}

double OmCamera::Calc_drForGraph(const double& x, const double& y) const {
    switch (mode_) {
        case kModeOmri:
        case kModeViva:
            return CalcdrA1A2(x, y);
        case kModeCap: {
            double ax = x, ay = y;
            Adjust(&ax, &ay);
            const double len = Calc_r(ax - x, ay - y);
            return CalcdrA1A2A3(x, y) < 0.0 ? -len : len;
        }
        default:
            return 0.0;
    }
}

double OmCamera::GetXhYhRadius() const {
    return Calc_r(xhViva_, yhViva_) + Calc_r(xh_, yh_);
}

// --- correction ---

bool OmCamera::Adjust(double* x, double* y) const {
    if (GetId() == 0) return false;
    switch (mode_) {
        case kModeOmri: {
            // Reduce to the principal point, then remove the radial displacement there.
            const double rx = *x - xh_, ry = *y - yh_;
            const double d = CalcdrA1A2(rx, ry);
            *x = rx - rx * d;
            *y = ry - ry * d;
            return true;
        }
        case kModeViva: {
            // The distortion is centred on (xh, yh); the result is reduced to (xhViva, yhViva).
            const double d = CalcdrA1A2(*x - xh_, *y - yh_);
            const double rx = *x - xhViva_, ry = *y - yhViva_;
            *x = rx - rx * d;
            *y = ry - ry * d;
            return true;
        }
        case kModeCap:
            return AdjustCap(x, y);
        default:
            return false;
    }
}

// The CAP correction is defined at the corrected point: (dx, dy) = D(x' + dx, y' + dy) with
// (x', y') the reduced measurement. A damped fixed-point iteration solves it: each new estimate
// D(x' + d) is blended with the previous d by the smallest weight w in 1..9 for which the
// squared length of the correction at the blend is closer to the latest one than the last
// change was (else w = 10). It stops when the change of the squared length drops to 1e-4, after
// 40 steps, or when the change has doubled since the first step (divergence).
bool OmCamera::AdjustCap(double* x, double* y) const {
    const double rx = *x - xh_, ry = *y - yh_;
    double dx = 0.0, dy = 0.0;
    double ePrev = CalcDistortA1A2A3B1B2C1C2(dx, dy, rx, ry);
    double firstDelta = 0.0;
    constexpr double kStopDelta = 0.0001;
    constexpr int kMaxSteps = 40;
    for (int n = 0;;) {
        double dx1 = 0.0, dy1 = 0.0;
        const double e1 = CalcDistortA1A2A3B1B2C1C2(dx1, dy1, rx + dx, ry + dy);
        const double delta = std::fabs(ePrev - e1);
        if (firstDelta == 0.0) firstDelta = delta;
        int w = 10;
        for (int k = 1; k <= 9; ++k) {
            double ex = 0.0, ey = 0.0;
            const double cx = (k * dx + dx1) / (k + 1), cy = (k * dy + dy1) / (k + 1);
            const double e2 = CalcDistortA1A2A3B1B2C1C2(ex, ey, rx + cx, ry + cy);
            if (std::fabs(e2 - e1) < delta) {
                w = k;
                break;
            }
        }
        dx = (w * dx + dx1) / (w + 1);
        dy = (w * dy + dy1) / (w + 1);
        ePrev = e1;
        ++n;
        if (delta <= kStopDelta || n >= kMaxSteps || 2.0 * firstDelta <= delta) break;
    }
    *x = rx + dx;
    *y = ry + dy;
    return true;
}

double OmCamera::TableHalfWidth() const {
    if (rm_ != 0.0) return rm_;
    if (mode_ == kModeOmri) return 30.0;
    if (mode_ == kModeViva) return 8.0;
    return 0.0;  // CAP without rm: the table finds nothing
}

OmInvAdjustKey OmCamera::InvAdjustKey() const {
    OmInvAdjustKey key;
    key.id = GetId();
    key.mode = mode_;
    key.values = {c_, xh_, yh_, a1_, a2_, r0_, xhViva_, yhViva_, a3_, c1_, c2_, b1_, b2_, rm_};
    return key;
}

bool OmCamera::InvAdjust(double* x, double* y) {
    if (GetId() == 0) return false;
    if (mode_ == kModePinhole) return true;
    if (mode_ > kModePinhole && InvAdjustByIteration(x, y)) return true;

    const OmInvAdjustKey key = InvAdjustKey();
    // Repeated requests for one point (redrawing a projected point) are answered from the last
    // result, provided the camera still has the parameters that produced it.
    if (hasLast_ && *x == lastIn_[0] && *y == lastIn_[1] && key == lastKey_) {
        *x = lastOut_[0];
        *y = lastOut_[1];
        return true;
    }
    const OmInvAdjustTable* table = OmInvAdjustRegistry::Find(key);
    if (!table) {
        table = &OmInvAdjustRegistry::Acquire(
            key, TableHalfWidth(), [this](double* px, double* py) { return Adjust(px, py); });
    }
    double tx = *x, ty = *y;
    if (!table->Lookup(&tx, &ty)) return false;
    lastIn_[0] = *x;
    lastIn_[1] = *y;
    lastOut_[0] = tx;
    lastOut_[1] = ty;
    lastKey_ = key;
    hasLast_ = true;
    *x = tx;
    *y = ty;
    return true;
}

// Inverts the mode-0 formula q - q dr(q) = t (q reduced measured, t corrected) by the fixed
// point q <- t + q dr(q). False (unchanged) when a step grows or 25 steps do not settle it.
bool OmCamera::InvAdjustByIteration(double* x, double* y) const {
    const double tx = *x, ty = *y;
    double qx = tx, qy = ty;
    double lastStep = INFINITY;
    for (int n = 0; n < 25; ++n) {
        const double d = CalcdrA1A2(qx, qy);
        const double nx = tx + qx * d, ny = ty + qy * d;
        const double step = (nx - qx) * (nx - qx) + (ny - qy) * (ny - qy);
        if (!(step <= lastStep)) return false;
        qx = nx;
        qy = ny;
        if (step < 1e-14) {
            *x = qx + xh_;
            *y = qy + yh_;
            return true;
        }
        lastStep = step;
    }
    return false;
}

void OmCamera::DeleteInvAdjustTables() {
    OmInvAdjustRegistry::Clear();
}

// --- settings ---

void OmCamera::SetTs15(double c, double xh, double yh) {
    mode_ = kModeViva;
    rm_ = 8.0;
    xhViva_ = xh;
    yhViva_ = yh;
    cViva_ = c_;
    c_ = c;
}

}  // namespace om
