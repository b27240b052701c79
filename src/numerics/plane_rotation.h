// The rotation by angle a in the plane of two coordinate axes, written into a matrix that already
// holds the identity there. Shared by the elementary rotations of every matrix type (0- or
// 1-based indices alike).
#pragma once

#include <cmath>

namespace om::numerics_detail {

// Rows i and j become (c, -s) and (s, c) in columns i and j: a turn from axis i towards axis j.
template <class Matrix>
void SetPlaneRotation(Matrix& m, int i, int j, double a) {
    const double c = std::cos(a), s = std::sin(a);
    m[i][i] = c;
    m[i][j] = -s;
    m[j][i] = s;
    m[j][j] = c;
}

}  // namespace om::numerics_detail
