// Fixed 4x4 row-major matrix, the storage base of the spatial affine map.
#pragma once

namespace om {

// Sixteen doubles, row-major, 0-based: m[i][j] is row i, column j. The default constructor leaves
// the values unset because every derived type fills them in its own constructor.
class _MMatrix {
  public:
    const double* operator[](int i) const { return m + 4 * i; }
    double* operator[](int i) { return m + 4 * i; }

    const double* asDblArray() const { return m; }
    double* asDblArray() { return m; }

  protected:
    _MMatrix() {}  // values deliberately left unset

    double m[16];
};

}  // namespace om
