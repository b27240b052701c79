// Debug output of a camera: its parameters, and the Adjust -> InvAdjust self-test.
#include <om/photo/camera.h>

#include <algorithm>
#include <cmath>

#include <om/log/dbgprintf.h>

namespace om {

void OmCamera::DbgPrintf(const char* title) const {
    const char* t = title ? title : "";
    switch (mode_) {
        case kModeOmri:
            dbgprintf("%s Omri c %.4f, xh %.4f, yh %.4f, a1 %.4f, a2 %.4f, r0 %.4f", t, c_, xh_,
                      yh_, a1_, a2_, r0_);
            break;
        case kModeViva:
            dbgprintf(
                "%s Viva c %.4f, xh %.4f, yh %.4f, a1 %.4f, a2 %.4f, r0 %.4f | cViva %.4f, xhViva "
                "%.4f, yhViva %.4f",
                t, c_, xh_, yh_, a1_, a2_, r0_, cViva_, xhViva_, yhViva_);
            break;
        case kModeCap:
            dbgprintf(
                "%s CAP c %.4f, xh %.4f, yh %.4f, a1 %.4f, a2 %.4f a3 %.4f, r0 %.1f, c1 %.4f, c2 "
                "%.4f, b1 %.4f, b2 %.4f",
                t, c_, xh_, yh_, a1_, a2_, a3_, r0_, c1_, c2_, b1_, b2_);
            break;
        case kModePinhole:
            dbgprintf("%s Pinhole c %.4f", t, c_);
            break;
        default:
            break;
    }
}

// A point whose InvAdjust fails keeps its adjusted coordinates, so its difference is the whole
// correction; it still counts towards the maximum, as the printed table shows it.
OmInvAdjustTestResult OmCamera::DbgTestInvAdjust(double range) {
    OmInvAdjustTestResult result;
    if (rm_ != 0.0) range = rm_;
    // Without a range there is no table to head: only the summary line is printed.
    if (range > 0.0) dbgprintf("Valid x1 y2 -> adjust -> invadjust -> diff");
    constexpr double kStep = 0.5;
    // Larger than any image radius; bounds the work (640,000 points) for a hostile rm.
    constexpr double kLargestRange = 200.0;
    range = std::min(range, kLargestRange);
    // Counted steps x = -range + k * 0.5 while x < range, so rounding cannot add a column.
    const int steps = range > 0.0 ? static_cast<int>(std::ceil(2.0 * range / kStep)) : 0;
    for (int ix = 0; ix < steps; ++ix) {
        const double x = -range + ix * kStep;
        for (int iy = 0; iy < steps; ++iy) {
            const double y = -range + iy * kStep;
            double ax = x, ay = y;
            Adjust(&ax, &ay);
            double bx = ax, by = ay;
            const bool found = InvAdjust(&bx, &by);
            const double diffX = bx - x, diffY = by - y;
            if (found) {
                result.maxFoundDiffX = std::max(result.maxFoundDiffX, std::fabs(diffX));
                result.maxFoundDiffY = std::max(result.maxFoundDiffY, std::fabs(diffY));
            } else {
                ++result.notFound;
            }
            dbgprintf(
                "(%6.2f %6.2f) -> (%6.3f %6.3f) -> (%7.3f %7.3f) : %5.2f \xC2\xB5m %5.2f \xC2\xB5m",
                x, y, ax, ay, bx, by, diffX * 1000.0, diffY * 1000.0);
            result.maxDiffX = std::max(result.maxDiffX, std::fabs(diffX));
            result.maxDiffY = std::max(result.maxDiffY, std::fabs(diffY));
            ++result.points;
        }
    }
    dbgprintf("Max Diff:  %8.5f %8.5f", result.maxDiffX, result.maxDiffY);
    return result;
}

}  // namespace om
