#include <om/numerics/matrix2d.h>

namespace om {

OmMatrix2d& OmMatrix2d::setToIdentity() {
    for (int i = 0; i < 9; ++i) e_[i] = (i % 4 == 0) ? 1.0 : 0.0;
    return *this;
}

}  // namespace om
