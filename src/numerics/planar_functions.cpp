#include <om/numerics/planar_functions.h>

#include <cmath>

#include <om/numerics/face2d.h>
#include <om/numerics/line2d.h>
#include <om/numerics/point3d.h>

namespace om {

double NormAngle(double& a) {
    return NormAngle(static_cast<const double&>(a));
}

double NormAngle(const double& a) {
    if (!std::isfinite(a)) return a;
    double r = a;
    // Beyond a few hundred turns the loop below would run for long (forever for 1e300, where
    // subtracting 2 pi changes nothing): reduce first. fmod is exact, so small results match.
    constexpr double kLoopLimit = 256.0 * kOmTwoPi;
    if (std::fabs(r) > kLoopLimit) r = std::fmod(r, kOmTwoPi);
    while (r < 0.0) r += kOmTwoPi;
    while (r > kOmTwoPi) r -= kOmTwoPi;
    return r;
}

int CounterClockwise(const OmPoint3d& p0, const OmPoint3d& p1, const OmPoint3d& p2) {
    const double dx1 = p1.x() - p0.x(), dy1 = p1.y() - p0.y();
    const double dx2 = p2.x() - p0.x(), dy2 = p2.y() - p0.y();
    if (dx1 * dy2 > dy1 * dx2) return 1;
    if (dx1 * dy2 < dy1 * dx2) return -1;
    if (dx1 * dx2 < 0.0 || dy1 * dy2 < 0.0) return -1;            // p0 between p1 and p2
    if (dx1 * dx1 + dy1 * dy1 < dx2 * dx2 + dy2 * dy2) return 1;  // p1 between p0 and p2
    return 0;
}

void Om2d_DbgPrintfSelftest() {
    const OmFace2d triangle(OmVector2d(0, 0), OmVector2d(4, 0), OmVector2d(0, 4));
    const OmFace2d quad(OmVector2d(0, 0), OmVector2d(4, 0), OmVector2d(4, 4), OmVector2d(0, 4));
    const OmVector2d probes[] = {{1, 1}, {2, 2}, {3, 3}, {5, 1}, {-1, 0}};
    int inside = 0;
    for (const OmVector2d& p : probes) inside += triangle.isInside(p) + quad.isInside(p);

    const OmLine2d a(0, 0, 1, 1);
    const OmLine2d b(0, 2, 2, 0);
    OmPoint2d cross;
    const bool met = a.interSect(b, cross);
    (void)inside;
    (void)met;
}

}  // namespace om
