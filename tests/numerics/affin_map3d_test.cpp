// Spatial affine maps: builders, inversion, frames and the rotation-angle decomposition.
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include <om/numerics/affin_map3d.h>
#include <om/numerics/planar_functions.h>

#ifdef OMCORE_HAVE_EIGEN
#include <Eigen/Dense>
#endif

namespace om {
namespace {

constexpr double kPi = 3.14159265358979323846;

void ExpectMapNear(const OmAffinMap3d& a, const OmAffinMap3d& b, double tol) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_NEAR(a[r][c], b[r][c], tol) << r << "," << c;
}

// Difference of two angles modulo one turn, in [-pi, pi].
double AngleDiff(double a, double b) {
    return std::remainder(a - b, 2 * kPi);
}

TEST(AffinMap3d, ElementaryRotationsAndComposition) {
    const OmAffinMap3d rx = OmAffinMap3d::RotX(kPi / 2);
    EXPECT_NEAR((rx * OmVector3d(0, 1, 0)).z(), 1.0, 1e-15);  // right-handed: y turns into z
    EXPECT_NEAR((OmAffinMap3d::RotY(kPi / 2) * OmVector3d(0, 0, 1)).x(), 1.0, 1e-15);
    EXPECT_NEAR((OmAffinMap3d::RotZ(kPi / 2) * OmVector3d(1, 0, 0)).y(), 1.0, 1e-15);
    // RotXYZ turns about x first.
    const OmVector3d v = OmAffinMap3d::RotXYZ(kPi / 2, 0, kPi / 2) * OmVector3d(0, 1, 0);
    EXPECT_NEAR(v.z(), 1.0, 1e-15);
    const OmAffinMap3d m = OmAffinMap3d::RotXYZ(0.1, 0.2, 0.3);
    for (int c = 0; c < 4; ++c) EXPECT_EQ(m[3][c], c == 3 ? 1.0 : 0.0);
    EXPECT_NEAR(m.Det(), 1.0, 1e-14);
}

TEST(AffinMap3d, PointsTranslateVectorsDoNot) {
    const OmAffinMap3d t =
        OmAffinMap3d::Translate(OmVector3d(1, 2, 3)) * OmAffinMap3d::Scale(2, 3, 4);
    const OmPoint3d p = t * OmPoint3d(1, 1, 1);
    EXPECT_TRUE(p.x() == 3.0 && p.y() == 5.0 && p.z() == 7.0 && p[3] == 1.0);
    const OmVector3d v = t.Transform(OmVector3d(1, 1, 1));
    EXPECT_TRUE(v.x() == 2.0 && v.z() == 4.0 && v[3] == 0.0);
    OmVector3d w(0, 0, 1);
    w.Transform(t);
    EXPECT_EQ(w.z(), 4.0);
    const OmLine3d l = t.Transform(OmLine3d(OmPoint3d(0, 0, 0), OmPoint3d(1, 0, 0)));
    EXPECT_TRUE(l.getStart().x() == 1.0 && l.getLength() == 2.0 && l.getDirection().x() == 1.0);
}

TEST(AffinMap3d, FrameMapsLocalToWorld) {
    const OmFrame3d f(OmPoint3d(10, 20, 30), OmVector3d(0, 1, 0), OmVector3d(-1, 0, 0),
                      OmVector3d(0, 0, 1));
    const OmAffinMap3d m(f);
    const OmPoint3d p = m * OmPoint3d(1, 2, 3);
    const OmPoint3d expect(f, 1, 2, 3);
    EXPECT_NEAR(p.Distance(expect), 0.0, 1e-12);
    EXPECT_TRUE(expect.x() == 8.0 && expect.y() == 21.0);
    EXPECT_EQ(OmVector3d(f, 1, 0, 0).y(), 1.0);
    OmPoint3d o;
    OmVector3d v1, v2, v3;
    m.GetCoordSystem(o, v1, v2, v3);
    EXPECT_TRUE(o.z() == 30.0 && v2.x() == -1.0);

    // From one frame to another: the point at local (4, 5, 6) in f goes to local (4, 5, 6)
    // in g; with g the world frame the map takes world coordinates into f.
    const OmFrame3d g(OmPoint3d(-1, 0, 2), OmVector3d(1, 0, 0), OmVector3d(0, 0, 1),
                      OmVector3d(0, -1, 0));
    const OmAffinMap3d fg(f, g);
    EXPECT_NEAR((fg * (m * OmPoint3d(4, 5, 6))).Distance(OmPoint3d(g, 4, 5, 6)), 0.0, 1e-12);
    const OmAffinMap3d intoF(f, OmFrame3d());
    EXPECT_NEAR((intoF * OmPoint3d(f, 4, 5, 6)).Distance(OmPoint3d(4, 5, 6)), 0.0, 1e-12);
    const OmFrame3d tf = m.Transform(OmFrame3d());
    EXPECT_TRUE(tf.Origin().x() == 10.0 && tf.v2().x() == -1.0);
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

TEST(AffinMap3d, NormalMapKeepsNormalsPerpendicular) {
    const OmAffinMap3d m = OmAffinMap3d::Translate(3, -2, 7) * OmAffinMap3d::RotXYZ(0.4, 0.1, -1) *
                           OmAffinMap3d::Scale(1, 5, 0.2);
    const OmAffinMap3d nm = OmAffinMap3d::NormalTransformMap(m);
    const OmVector3d n = Normalized(OmVector3d(1, 2, 3));
    const OmVector3d t1 = n % OmVector3d(0, 0, 1), t2 = n % t1;
    const OmVector3d n2 = nm * n;
    EXPECT_NEAR(n2 * (m * t1), 0.0, 1e-12);
    EXPECT_NEAR(n2 * (m * t2), 0.0, 1e-12);
    for (int r = 0; r < 3; ++r) EXPECT_EQ(nm[r][3], 0.0);

    const OmAffinMap3d s = OmAffinMap3d::GetScaleMap(m);
    EXPECT_NEAR(s[0][0], 1.0, 1e-12);
    EXPECT_NEAR(s[1][1], 5.0, 1e-12);
    EXPECT_NEAR(s[2][2], 0.2, 1e-12);
}

TEST(AffinMap3d, ArbitraryAxes) {
    OmVector3d ax, ay;
    for (const OmVector3d n :
         {OmVector3d(0.01, 0.01, -1), OmVector3d(1, 0, 0), Normalized(OmVector3d(1, -2, 0.5))}) {
        OmAffinMap3d::ArbAxisAlg(n, ax, ay);
        EXPECT_NEAR(ax.Norm(), 1.0, 1e-12);
        EXPECT_NEAR(ax * n, 0.0, 1e-12);
        EXPECT_NEAR(ay * n, 0.0, 1e-12);
        EXPECT_NEAR(ax * ay, 0.0, 1e-12);
        const OmAffinMap3d e = OmAffinMap3d::MapEcsToWcs(n);
        EXPECT_GT(e.Det(), 0.0);  // right-handed
        EXPECT_NEAR((e * OmVector3d(0, 0, 1) - n).Norm(), 0.0, 1e-15);
    }
}

void ExpectAngles(const OmAffinMap3d& m, double a, double b, double c, double tol) {
    double ra = -1, rb = -1, rc = -1;
    OmAffinMap3d::GetRotAngles(m, ra, rb, rc);
    for (const double r : {ra, rb, rc}) {
        EXPECT_GE(r, 0.0);
        EXPECT_LE(r, 2 * kPi);
    }
    EXPECT_NEAR(AngleDiff(ra, a), 0.0, tol);
    EXPECT_NEAR(AngleDiff(rb, b), 0.0, tol);
    EXPECT_NEAR(AngleDiff(rc, c), 0.0, tol);
}

TEST(AffinMap3d, RotationAnglesRoundTrip) {
    std::mt19937 rng(47);
    std::uniform_real_distribution<double> u(-kPi, kPi);
    std::uniform_real_distribution<double> ub(-1.5, 1.5);
    for (int i = 0; i < 500; ++i) {
        const double a = u(rng), b = ub(rng), c = u(rng);
        ExpectAngles(OmAffinMap3d::RotXYZ(a, b, c), a, b, c, 1e-9);
    }
    // Scale and translation are ignored; a mirrored map's negation is the rotation.
    const OmAffinMap3d rot = OmAffinMap3d::RotXYZ(0.7, -0.4, 2.5);
    ExpectAngles(OmAffinMap3d::Translate(4, 5, 6) * rot * OmAffinMap3d::Scale(2, 30, 0.5), 0.7,
                 -0.4, 2.5, 1e-12);
    ExpectAngles(rot * OmAffinMap3d::Scale(-1, -1, -1), 0.7, -0.4, 2.5, 1e-12);
}

TEST(AffinMap3d, RotationAnglesAtGimbalLock) {
    for (const double b : {kPi / 2, -kPi / 2}) {
        const OmAffinMap3d m = OmAffinMap3d::RotXYZ(0.8, b, 0.0);
        double ra, rb, rc;
        OmAffinMap3d::GetRotAngles(m, ra, rb, rc);
        EXPECT_FALSE(std::isnan(ra) || std::isnan(rb) || std::isnan(rc));
        EXPECT_EQ(rc, 0.0);
        ExpectMapNear(OmAffinMap3d::RotXYZ(ra, rb, rc), m, 1e-7);
    }
    // Rounding can push an entry slightly past 1: no NaN.
    OmAffinMap3d m = OmAffinMap3d::RotY(kPi / 2);
    m[2][0] = -1.0000000000000002;
    double ra, rb, rc;
    OmAffinMap3d::GetRotAngles(m, ra, rb, rc);
    EXPECT_NEAR(rb, kPi / 2, 1e-7);
    EXPECT_FALSE(std::isnan(ra));
}

#ifdef OMCORE_HAVE_EIGEN
TEST(AffinMap3d, RotationAnglesAgreeWithEigenEulerAngles) {
    std::mt19937 rng(53);
    std::uniform_real_distribution<double> u(-kPi, kPi);
    for (int i = 0; i < 100; ++i) {
        // An independent rotation: Eigen's quaternion from a random axis and angle.
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
