// Planar 3x3 matrix (homogeneous planar transformations).
#pragma once

#include <om/numerics/point2d.h>
#include <om/numerics/vector2d.h>

namespace om {

class OmLine2d;

// Nine doubles, row-major; the constructor gives the identity. Element access and copying work.
// The transformation algebra is not implemented: its operations keep fixed placeholder results
// (in-place operations leave the matrix unchanged, builders and products give the identity,
// det() and scale() give 0, isSingular/isEqualTo/== give true, isConformal/isScaledOrtho/
// isUniScaledOrtho give false). Callers that need planar transformations use the transformation
// classes instead; OmVector2d::setToProduct(m, v) does apply the linear part.
class OmMatrix2d {
  public:
    OmMatrix2d() { setToIdentity(); }
    OmMatrix2d(const OmMatrix2d&) = default;
    OmMatrix2d& operator=(const OmMatrix2d&) = default;

    OmMatrix2d& setToIdentity();
    // 0-based (row, col).
    double operator()(int row, int col) const { return e_[row * 3 + col]; }
    double& operator()(int row, int col) { return e_[row * 3 + col]; }

    // Placeholders: unchanged matrix.
    OmMatrix2d& operator*=(const OmMatrix2d&) { return *this; }
    OmMatrix2d& invert() { return *this; }
    OmMatrix2d& postMultBy(const OmMatrix2d&) { return *this; }
    OmMatrix2d& preMultBy(const OmMatrix2d&) { return *this; }
    OmMatrix2d& setCoordSystem(const OmPoint2d&, const OmVector2d&, const OmVector2d&) {
        return *this;
    }
    OmMatrix2d& setToAlignCoordSys(const OmPoint2d&, const OmVector2d&, const OmVector2d&,
                                   const OmPoint2d&, const OmVector2d&, const OmVector2d&) {
        return *this;
    }
    OmMatrix2d& setToMirroring(const OmLine2d&) { return *this; }
    OmMatrix2d& setToMirroring(const OmPoint2d&) { return *this; }
    OmMatrix2d& setToProduct(const OmMatrix2d&, const OmMatrix2d&) { return *this; }
    OmMatrix2d& setToRotation(double, const OmPoint2d& = OmPoint2d()) { return *this; }
    OmMatrix2d& setToScaling(double, const OmPoint2d& = OmPoint2d()) { return *this; }
    OmMatrix2d& setToTranslation(const OmVector2d&) { return *this; }
    OmMatrix2d& setTranslation(const OmVector2d&) { return *this; }
    OmMatrix2d& transposeIt() { return *this; }

    // Placeholders: identity results.
    OmMatrix2d operator*(const OmMatrix2d&) const { return {}; }
    OmMatrix2d inverse() const { return {}; }
    OmMatrix2d transpose() const { return {}; }
    static OmMatrix2d alignCoordSys(const OmPoint2d&, const OmVector2d&, const OmVector2d&,
                                    const OmPoint2d&, const OmVector2d&, const OmVector2d&) {
        return {};
    }
    static OmMatrix2d mirroring(const OmLine2d&) { return {}; }
    static OmMatrix2d mirroring(const OmPoint2d&) { return {}; }
    static OmMatrix2d rotation(double, const OmPoint2d& = OmPoint2d()) { return {}; }
    static OmMatrix2d scaling(double, const OmPoint2d& = OmPoint2d()) { return {}; }
    static OmMatrix2d translation(const OmVector2d&) { return {}; }

    // Placeholders: fixed scalar and predicate results.
    OmVector2d translation() const { return {}; }
    double det() const { return 0.0; }
    double scale() const { return 0.0; }
    bool isSingular(double = 1e-10) const { return true; }
    bool isEqualTo(const OmMatrix2d&, double = 1e-10) const { return true; }
    bool operator==(const OmMatrix2d&) const { return true; }
    bool operator!=(const OmMatrix2d&) const { return false; }
    bool isConformal(double&, double&, bool&, OmVector2d&) const { return false; }
    bool isScaledOrtho(double = 1e-10) const { return false; }
    bool isUniScaledOrtho(double = 1e-10) const { return false; }
    void getCoordSystem(OmPoint2d&, OmVector2d&, OmVector2d&) const {}

  private:
    double e_[9];
};

}  // namespace om
