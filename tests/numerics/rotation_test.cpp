// Rotation matrices and spatial affine maps: builders, angle decomposition, frames, inversion.
#include <om/numerics/affin_map3d.h>
#include <om/numerics/matrix.h>
#include <om/numerics/planar_functions.h>

#include <cmath>
#include <numbers>
#include <random>

#include <gtest/gtest.h>

#ifdef OMCORE_HAVE_EIGEN
#include <Eigen/Dense>
#endif

namespace om {
namespace {

constexpr double kPi = std::numbers::pi;

void ExpectOrthonormal(const OmMatrix& r, double tol) {
    const OmMatrix rtr = r.Transpose() * r;
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) EXPECT_NEAR(rtr[i][j], i == j ? 1.0 : 0.0, tol);
    EXPECT_NEAR(Det(r), 1.0, tol);
}

void ExpectNear(const OmMatrix& a, const OmMatrix& b, double tol) {
    ASSERT_EQ(a.GetZeilen(), b.GetZeilen());
    ASSERT_EQ(a.GetSpalten(), b.GetSpalten());
    for (int i = 1; i <= a.GetZeilen(); ++i)
        for (int j = 1; j <= a.GetSpalten(); ++j) EXPECT_NEAR(a[i][j], b[i][j], tol);
}

void ExpectMapNear(const OmAffinMap3d& a, const OmAffinMap3d& b, double tol) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_NEAR(a[r][c], b[r][c], tol) << r << "," << c;
}

TEST(Rotation, ElementaryRotationsTurnTheAxesCounterClockwise) {
    const double a = kPi / 2;
    OmMatrix r(3, 3);
    EXPECT_NEAR((r.RotZAxis(a) * OmVector(1.0, 0.0, 0.0))[2], 1.0, 1e-15);  // x to y
    EXPECT_NEAR((r.RotXAxis(a) * OmVector(0.0, 1.0, 0.0))[3], 1.0, 1e-15);  // y to z
    EXPECT_NEAR((r.RotYAxis(a) * OmVector(0.0, 0.0, 1.0))[1], 1.0, 1e-15);  // z to x
    EXPECT_NEAR((OmAffinMap3d::RotX(a) * OmVector3d(0, 1, 0)).z(), 1.0, 1e-15);
    EXPECT_NEAR((OmAffinMap3d::RotY(a) * OmVector3d(0, 0, 1)).x(), 1.0, 1e-15);
    EXPECT_NEAR((OmAffinMap3d::RotZ(a) * OmVector3d(1, 0, 0)).y(), 1.0, 1e-15);

    // A 4x4 stays 4x4 with an identity border; a too-small matrix grows to 3x3.
    OmMatrix h(4, 4);
    h[4][4] = 7.0;
    h.RotXAxis(0.3);
    EXPECT_TRUE(h.GetZeilen() == 4 && h[4][4] == 1.0 && h[1][4] == 0.0);
    OmMatrix tiny(1, 1);
    tiny.RotZAxis(0.3);
    EXPECT_EQ(tiny.GetZeilen(), 3);
    ExpectOrthonormal(tiny, 1e-15);
}

// MakeRotMatrix is Ry Rx Rz and the affine map's RotXYZ is Rz Ry Rx, both composed from the
// elementary rotations.
TEST(Rotation, ComposedRotationsMatchTheElementaryProducts) {
    for (double a1 = -3.0; a1 <= 3.0; a1 += 0.7) {
        for (double a2 = -1.5; a2 <= 1.5; a2 += 0.5) {
            for (double a3 = -3.0; a3 <= 3.0; a3 += 0.9) {
                OmMatrix rx(3, 3), ry(3, 3), rz(3, 3), r(3, 3);
                rx.RotXAxis(a2);
                ry.RotYAxis(a1);
                rz.RotZAxis(a3);
                r.MakeRotMatrix(a1, a2, a3);
                ExpectNear(r, ry * rx * rz, 1e-15);
                ExpectOrthonormal(r, 1e-14);

                rx.RotXAxis(a1);
                ry.RotYAxis(a2);
                const OmMatrix composed = rz * ry * rx;
                const OmAffinMap3d map = OmAffinMap3d::RotXYZ(a1, a2, a3);
                for (int i = 0; i < 4; ++i) {
                    for (int j = 0; j < 4; ++j) {
                        const double e = i < 3 && j < 3 ? composed.GetElemZeroIndex(i, j) : i == j;
                        EXPECT_NEAR(map[i][j], e, 1e-15);
                    }
                }
            }
        }
    }
}

TEST(Rotation, GetRotAnglesInvertsMakeRotMatrix) {
    OmMatrix r(3, 3);
    // Grid over (-pi, pi] x (-pi/2, pi/2) x (-pi, pi]; a2 avoids the gimbal poles.
    for (int i = -11; i <= 12; ++i) {
        for (int j = -7; j <= 7; ++j) {
            for (int k = -11; k <= 12; ++k) {
                const double a1 = i * kPi / 12, a2 = j * kPi / 16, a3 = k * kPi / 12;
                r.MakeRotMatrix(a1, a2, a3);
                double b2 = 0, b1 = 0, b3 = 0;
                r.GetRotAngles(&b2, &b1, &b3);
                EXPECT_NEAR(b2, a2, 1e-12);
                EXPECT_NEAR(b1, a1, 1e-12);
                EXPECT_NEAR(b3, a3, 1e-12);
            }
        }
    }
}

void ExpectAffineAngles(const OmAffinMap3d& m, double a, double b, double c, double tol) {
    double ra = -1, rb = -1, rc = -1;
    OmAffinMap3d::GetRotAngles(m, ra, rb, rc);
    for (const double r : {ra, rb, rc}) {
        EXPECT_GE(r, 0.0);
        EXPECT_LE(r, 2 * kPi);
    }
    EXPECT_NEAR(std::remainder(ra - a, 2 * kPi), 0.0, tol);
    EXPECT_NEAR(std::remainder(rb - b, 2 * kPi), 0.0, tol);
    EXPECT_NEAR(std::remainder(rc - c, 2 * kPi), 0.0, tol);
}

TEST(Rotation, AffineAnglesRoundTripIgnoringScaleShiftAndMirror) {
    std::mt19937 rng(47);
    std::uniform_real_distribution<double> u(-kPi, kPi);
    std::uniform_real_distribution<double> ub(-1.5, 1.5);
    for (int i = 0; i < 500; ++i) {
        const double a = u(rng), b = ub(rng), c = u(rng);
        ExpectAffineAngles(OmAffinMap3d::RotXYZ(a, b, c), a, b, c, 1e-9);
    }
    const OmAffinMap3d rot = OmAffinMap3d::RotXYZ(0.7, -0.4, 2.5);
    ExpectAffineAngles(OmAffinMap3d::Translate(4, 5, 6) * rot * OmAffinMap3d::Scale(2, 30, 0.5),
                       0.7, -0.4, 2.5, 1e-12);
    ExpectAffineAngles(rot * OmAffinMap3d::Scale(-1, -1, -1), 0.7, -0.4, 2.5, 1e-12);
}

// At the poles the decomposition must neither divide by cos = 0 nor feed asin a rounded value
// past 1.
TEST(Rotation, AnglesAtThePolesStayFinite) {
    for (double sign : {-1.0, 1.0}) {
        OmMatrix r(3, 3);
        r.MakeRotMatrix(0.4, sign * kPi / 2, -0.7);
        r[2][3] = -sign * (1.0 + 1e-15);
        double a2 = 0, a1 = 0, a3 = 0;
        r.GetRotAngles(&a2, &a1, &a3);
        ASSERT_TRUE(std::isfinite(a1) && std::isfinite(a2) && std::isfinite(a3));
        EXPECT_NEAR(a2, sign * kPi / 2, 1e-7);

        const OmAffinMap3d m = OmAffinMap3d::RotXYZ(0.8, sign * kPi / 2, 0.0);
        double ra, rb, rc;
        OmAffinMap3d::GetRotAngles(m, ra, rb, rc);
        EXPECT_FALSE(std::isnan(ra) || std::isnan(rb) || std::isnan(rc));
        EXPECT_EQ(rc, 0.0);
        ExpectMapNear(OmAffinMap3d::RotXYZ(ra, rb, rc), m, 1e-7);
    }
    OmAffinMap3d m = OmAffinMap3d::RotY(kPi / 2);
    m[2][0] = -1.0000000000000002;
    double ra, rb, rc;
    OmAffinMap3d::GetRotAngles(m, ra, rb, rc);
    EXPECT_NEAR(rb, kPi / 2, 1e-7);
    EXPECT_FALSE(std::isnan(ra));

    // A matrix too small for angles gives zeros.
    double a = 9, b = 9, c = 9;
    OmMatrix(2, 2).GetRotAngles(&a, &b, &c);
    EXPECT_EQ(a + b + c, 0.0);
}

TEST(Rotation, FrameFromThreePointsAndDegenerateFrames) {
    OmMatrix r(3, 3);
    bool ok = false;
    OmVector p0(1.0, 1.0, 1.0), p1(3.0, 1.0, 1.0), p2(2.0, 4.0, 1.0);
    r.MakeRotMatrix(p0, p1, p2, &ok);
    ASSERT_TRUE(ok);
    const double expected[] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    ExpectNear(r, OmMatrix(expected, 3, 3), 1e-15);

    // An oblique triangle: u along p1 - p0, v in the plane, w its normal.
    OmVector q0(0.5, -1.0, 2.0), q1(2.0, 1.0, 3.0), q2(-1.0, 2.0, 0.0);
    r.MakeRotMatrix(q0, q1, q2, &ok);
    ASSERT_TRUE(ok);
    ExpectOrthonormal(r, 1e-14);
    OmVector u(3), w(3);
    r.GetRow(1, u);
    r.GetRow(3, w);
    EXPECT_NEAR(u * (q1 - q0), (q1 - q0).Abs(), 1e-14);
    EXPECT_NEAR(w * (q2 - q0), 0.0, 1e-14);

    // Coincident or (up to rounding) collinear points leave the matrix as it was.
    const OmMatrix before = r;
    OmVector a(1.0, 2.0, 3.0), b(2.0, 4.0, 6.0), c(3.0, 6.0, 9.0);
    ok = true;
    r.MakeRotMatrix(a, a, b, &ok);
    EXPECT_FALSE(ok);
    ok = true;
    OmVector far(1.0 + 1e6, 2.0 + 2e6, 3.0 + 3e6 + 1e-12);
    r.MakeRotMatrix(a, b, far, &ok);
    EXPECT_FALSE(ok);
    ExpectNear(r, before, 0.0);
    r.MakeRotMatrix(a, b, c, nullptr);  // a null flag is allowed
}

TEST(Rotation, DirectionComparisons) {
    OmMatrix a(3, 3), b(3, 3);
    a.MakeRotMatrix(0.0, 0.0, 0.0);
    b.MakeRotMatrix(0.5, 0.0, 2.0);  // z axis turned by 0.5 about y; rotation about z irrelevant
    EXPECT_NEAR(a.CalcAngle(b), 0.5, 1e-12);
    EXPECT_TRUE(a.IsLookingInSameDirection(b));
    b.MakeRotMatrix(1.6, 0.0, 0.0);  // just over 90 degrees apart
    EXPECT_FALSE(a.IsLookingInSameDirection(b));
    EXPECT_EQ(a.CalcAngle(a), 0.0);

    // Opposite directions whose dot product rounds below -1 give pi, not NaN.
    b.MakeRotMatrix(kPi, 0.0, 0.0);
    b[3][3] = -1.0 - 1e-15;
    EXPECT_NEAR(a.CalcAngle(b), kPi, 1e-7);
    EXPECT_FALSE(a.IsLookingInSameDirection(b));
}

TEST(AffinMap3d, PointsTranslateVectorsDoNot) {
    const OmAffinMap3d t =
        OmAffinMap3d::Translate(OmVector3d(1, 2, 3)) * OmAffinMap3d::Scale(2, 3, 4);
    const OmPoint3d p = t * OmPoint3d(1, 1, 1);
    EXPECT_TRUE(p.x() == 3.0 && p.y() == 5.0 && p.z() == 7.0 && p[3] == 1.0);
    EXPECT_TRUE(t.Transform(OmVector3d(1, 1, 1)).z() == 4.0 && (t * OmVector3d(1, 1, 1))[3] == 0.0);
    const OmLine3d l = t.Transform(OmLine3d(OmPoint3d(0, 0, 0), OmPoint3d(1, 0, 0)));
    EXPECT_TRUE(l.getStart().x() == 1.0 && l.getLength() == 2.0 && l.getDirection().x() == 1.0);

    // Normals go through the inverse transpose so that they stay perpendicular.
    const OmAffinMap3d m = OmAffinMap3d::Translate(3, -2, 7) * OmAffinMap3d::RotXYZ(0.4, 0.1, -1) *
                           OmAffinMap3d::Scale(1, 5, 0.2);
    const OmAffinMap3d nm = OmAffinMap3d::NormalTransformMap(m);
    const OmVector3d n = Normalized(OmVector3d(1, 2, 3));
    const OmVector3d t1 = n % OmVector3d(0, 0, 1), t2 = n % t1;
    EXPECT_NEAR((nm * n) * (m * t1), 0.0, 1e-12);
    EXPECT_NEAR((nm * n) * (m * t2), 0.0, 1e-12);
    for (int r = 0; r < 3; ++r) EXPECT_EQ(nm[r][3], 0.0);
    const OmAffinMap3d s = OmAffinMap3d::GetScaleMap(m);
    EXPECT_NEAR(s[0][0], 1.0, 1e-12);
    EXPECT_NEAR(s[1][1], 5.0, 1e-12);
    EXPECT_NEAR(s[2][2], 0.2, 1e-12);
}

TEST(AffinMap3d, FrameMapsLocalToWorld) {
    const OmFrame3d f(OmPoint3d(10, 20, 30), OmVector3d(0, 1, 0), OmVector3d(-1, 0, 0),
                      OmVector3d(0, 0, 1));
    const OmAffinMap3d m(f);
    const OmPoint3d expect(f, 1, 2, 3);
    EXPECT_NEAR((m * OmPoint3d(1, 2, 3)).Distance(expect), 0.0, 1e-12);
    EXPECT_TRUE(expect.x() == 8.0 && expect.y() == 21.0);

    // From one frame to another: the point at local (4, 5, 6) in f goes to local (4, 5, 6)
    // in g; with g the world frame the map takes world coordinates into f.
    const OmFrame3d g(OmPoint3d(-1, 0, 2), OmVector3d(1, 0, 0), OmVector3d(0, 0, 1),
                      OmVector3d(0, -1, 0));
    const OmAffinMap3d fg(f, g);
    EXPECT_NEAR((fg * (m * OmPoint3d(4, 5, 6))).Distance(OmPoint3d(g, 4, 5, 6)), 0.0, 1e-12);
    const OmAffinMap3d intoF(f, OmFrame3d());
    EXPECT_NEAR((intoF * OmPoint3d(f, 4, 5, 6)).Distance(OmPoint3d(4, 5, 6)), 0.0, 1e-12);
}

TEST(AffinMap3d, InvertRoundTripAndSingular) {
    std::mt19937 rng(43);
    std::uniform_real_distribution<double> u(-3.0, 3.0);
    for (int i = 0; i < 200; ++i) {
        OmAffinMap3d m;
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c) m[r][c] = u(rng);
        if (std::fabs(m.Det()) < 0.1) continue;
        OmAffinMap3d inv = m;
        ASSERT_EQ(inv.Invert(), 0);
        ExpectMapNear(m * inv, OmAffinMap3d(), 1e-9);
        ExpectMapNear(OmAffinMap3d::Inv(m) * m, OmAffinMap3d(), 1e-9);
#ifdef OMCORE_HAVE_EIGEN
        Eigen::Matrix4d e;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) e(r, c) = m[r][c];
        const Eigen::Matrix4d ei = e.inverse();
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) EXPECT_NEAR(inv[r][c], ei(r, c), 1e-9);
#endif
    }
    OmAffinMap3d singular = OmAffinMap3d::Scale(1, 0, 2);
    singular[0][3] = 5;
    EXPECT_EQ(singular.Invert(), 1);
    EXPECT_TRUE(singular[0][3] == 5.0 && singular[2][2] == 2.0);  // unchanged
}

#ifdef OMCORE_HAVE_EIGEN
TEST(AffinMap3d, RotationAnglesAgreeWithEigen) {
    std::mt19937 rng(53);
    std::uniform_real_distribution<double> u(-kPi, kPi);
    for (int i = 0; i < 100; ++i) {
        // An independent rotation from a random axis and angle.
        Eigen::Vector3d axis(u(rng), u(rng), u(rng));
        const Eigen::Matrix3d r = Eigen::AngleAxisd(u(rng), axis.normalized()).toRotationMatrix();
        OmAffinMap3d m;
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col) m[row][col] = r(row, col);
        double a, b, c;
        OmAffinMap3d::GetRotAngles(m, a, b, c);
        // Rebuild with Eigen: R = Rz(c) Ry(b) Rx(a).
        const Eigen::Matrix3d back = (Eigen::AngleAxisd(c, Eigen::Vector3d::UnitZ()) *
                                      Eigen::AngleAxisd(b, Eigen::Vector3d::UnitY()) *
                                      Eigen::AngleAxisd(a, Eigen::Vector3d::UnitX()))
                                         .toRotationMatrix();
        EXPECT_LT((back - r).norm(), 1e-9);
    }
}
#endif

}  // namespace
}  // namespace om
