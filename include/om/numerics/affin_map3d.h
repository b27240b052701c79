// Spatial affine map as a 4x4 matrix.
#pragma once

#include <om/numerics/frame3d.h>
#include <om/numerics/line3d.h>
#include <om/numerics/mmatrix.h>
#include <om/numerics/point3d.h>
#include <om/numerics/vector3d.h>

namespace om {

// A 4x4 row-major matrix acting on column vectors: p' = M p. The last row stays (0, 0, 0, 1), so
// points (w = 1) are translated and vectors (w = 0) are not.
class OmAffinMap3d : public _MMatrix {
  public:
    OmAffinMap3d();
    // Maps frame-local coordinates (x, y, z) to origin + x v1 + y v2 + z v3: the columns of the
    // linear part are the axes, the translation is the origin.
    explicit OmAffinMap3d(const OmFrame3d& f);
    // Map(to) * Map(from)^-1: carries frame `from` onto frame `to`, so the point with local
    // coordinates (x, y, z) in `from` goes to the point with the same local coordinates in `to`.
    // With `to` the world frame this is the map from world coordinates into `from`.
    OmAffinMap3d(const OmFrame3d& from, const OmFrame3d& to);

    static OmAffinMap3d Translate(double tx, double ty, double tz);
    static OmAffinMap3d Translate(const OmVector3d& v);
    static OmAffinMap3d Scale(double sx, double sy, double sz);
    // Elementary rotations: RotX(a) has rows (1, 0, 0), (0, c, -s), (0, s, c); RotY and RotZ
    // likewise, matching the 3x3 rotation builders of OmMatrix.
    static OmAffinMap3d RotX(double a);
    static OmAffinMap3d RotY(double a);
    static OmAffinMap3d RotZ(double a);
    // RotZ(c) * RotY(b) * RotX(a): first about x, then y, then z.
    static OmAffinMap3d RotXYZ(double a, double b, double c);
    static OmAffinMap3d Inv(const OmAffinMap3d& m);
    // The map for normal vectors: inverse transpose of the linear part, no translation.
    static OmAffinMap3d NormalTransformMap(const OmAffinMap3d& m);
    // Scale by the norms of the three columns of m's linear part.
    static OmAffinMap3d GetScaleMap(const OmAffinMap3d& m);
    // The angles (a, b, c), each in [0, 2 pi], of the rotation R in m = R S (S = GetScaleMap(m))
    // with R = RotXYZ(a, b, c); a reflection (det < 0) is first turned into a rotation by
    // negating the linear part. At b = +-pi/2 (gimbal lock) c is 0 and a takes the whole turn
    // about the common axis.
    static void GetRotAngles(const OmAffinMap3d& m, double& a, double& b, double& c);

    OmAffinMap3d operator*(const OmAffinMap3d& other) const;
    OmPoint3d operator*(const OmPoint3d& p) const { return Transform(p); }
    OmVector3d operator*(const OmVector3d& v) const { return Transform(v); }
    OmPoint3d Transform(const OmPoint3d& p) const;
    // Linear part only.
    OmVector3d Transform(const OmVector3d& v) const;
    // Origin as a point, axes as vectors.
    OmFrame3d Transform(const OmFrame3d& f) const;
    // Maps start and end and rebuilds the line from them.
    OmLine3d Transform(const OmLine3d& l) const;

    // Determinant of the 3x3 linear part.
    double Det() const;
    // Inverts in place by cofactors: 0 on success, 1 (map unchanged) when Det() is exactly 0.
    int Invert();
    // Translation column and the three columns of the linear part.
    void GetCoordSystem(OmPoint3d& origin, OmVector3d& v1, OmVector3d& v2, OmVector3d& v3) const;

    // Two unit axes perpendicular to n by the arbitrary-axis rule: ax = (0,1,0) x n when |nx| and
    // |ny| are both below 1/64, else (0,0,1) x n; ay = n x ax.
    static void ArbAxisAlg(const OmVector3d& n, OmVector3d& ax, OmVector3d& ay);
    // The map of the frame (origin 0, axes ax, ay, n) from ArbAxisAlg: entity to world system.
    static OmAffinMap3d MapEcsToWcs(const OmVector3d& n);

  protected:
    // Rows 0..2 applied to the 4-vector `in`; out's w is copied from in.
    void Transformer(const _MVector& in, _MVector& out) const;

  private:
    void SetIdentity();
};

}  // namespace om
