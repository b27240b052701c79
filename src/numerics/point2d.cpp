#include <om/numerics/point2d.h>

namespace om {

double OmPoint2d::distanceTo(const OmPoint2d& p) const {
    return (*this - p).length();
}

}  // namespace om
