#include <om/numerics/round_value.h>

#include <cmath>

namespace om {

double RoundValue(double v, double step, int mode) {
    if (step == 0.0) return v;
    if (mode < 0) return std::floor(v / step) * step;
    const double offset = mode == 0 ? step / 2.0 : step;
    const double magnitude = std::floor((std::fabs(v) + offset) / step) * step;
    if (v == 0.0) return mode == 0 ? 0.0 : magnitude;
    return v < 0.0 ? -magnitude : magnitude;
}

}  // namespace om
