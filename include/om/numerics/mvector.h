// Fixed four-component vector, the storage base of the spatial value types.
#pragma once

namespace om {

// Four doubles x, y, z, w with 0-based access. The spatial vector and point types derive from it
// and fix w (0 for directions, 1 for positions), so the fourth component is only reachable through
// operator[] and asDblArray().
class _MVector {
  public:
    _MVector() : v{0.0, 0.0, 0.0, 0.0} {}

    double operator[](int i) const { return v[i]; }
    double& operator[](int i) { return v[i]; }

    double x() const { return v[0]; }
    double y() const { return v[1]; }
    double z() const { return v[2]; }
    double& x() { return v[0]; }
    double& y() { return v[1]; }
    double& z() { return v[2]; }

    const double* asDblArray() const { return v; }
    double* asDblArray() { return v; }

  protected:
    // The homogeneous component comes first so that derived types can state it up front.
    _MVector(double w, double x, double y, double z) : v{x, y, z, w} {}

    double v[4];  // x, y, z, w
};

}  // namespace om
