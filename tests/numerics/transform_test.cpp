// Rotation matrices, spatial affine maps and homogeneous transformations: builders, angle
// decomposition, frames, inversion, coordinates, points and lists, plane normals and axes,
// rounding.
#include <om/numerics/affin_map3d.h>
#include <om/numerics/matrix.h>
#include <om/numerics/planar_functions.h>
#include <om/numerics/plane_axes.h>
#include <om/numerics/point_transform.h>
#include <om/numerics/round_value.h>
#include <om/numerics/vector3d.h>
#include <om/points/point.h>
#include <om/points/point_list.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include <gtest/gtest.h>

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

// MakeRotMatrix is Ry Rx Rz and the affine map's RotXYZ is Rz Ry Rx, both composed from the
// elementary rotations, which turn the axes counter-clockwise. Both decompositions undo them; the
// affine one returns angles in [0, 2 pi] and ignores scale, shift and mirror.
TEST(Rotation, ComposedRotationsMatchTheElementaryProductsAndInvert) {
    const auto affine_angles = [](const OmAffinMap3d& m, double a, double b, double c) {
        double ra = -1, rb = -1, rc = -1;
        OmAffinMap3d::GetRotAngles(m, ra, rb, rc);
        for (const double got : {ra, rb, rc}) EXPECT_TRUE(got >= 0.0 && got <= 2 * kPi);
        EXPECT_NEAR(std::fabs(std::remainder(ra - a, 2 * kPi)) +
                        std::fabs(std::remainder(rb - b, 2 * kPi)) +
                        std::fabs(std::remainder(rc - c, 2 * kPi)),
                    0.0, 1e-9);
    };
    OmMatrix r(3, 3);
    EXPECT_NEAR((r.RotZAxis(kPi / 2) * OmVector(1.0, 0.0, 0.0))[2], 1.0, 1e-15);  // x to y
    EXPECT_NEAR((r.RotXAxis(kPi / 2) * OmVector(0.0, 1.0, 0.0))[3], 1.0, 1e-15);  // y to z
    EXPECT_NEAR((r.RotYAxis(kPi / 2) * OmVector(0.0, 0.0, 1.0))[1], 1.0, 1e-15);  // z to x
    for (double a1 = -3.0; a1 <= 3.0; a1 += 0.5) {
        for (double a2 = -1.5; a2 <= 1.5; a2 += 0.25) {
            for (double a3 = -3.0; a3 <= 3.0; a3 += 0.6) {
                OmMatrix rx(3, 3), ry(3, 3), rz(3, 3);
                rx.RotXAxis(a2);
                ry.RotYAxis(a1);
                rz.RotZAxis(a3);
                r.MakeRotMatrix(a1, a2, a3);
                ExpectNear(r, ry * rx * rz, 1e-15);
                ExpectOrthonormal(r, 1e-14);
                double b2 = 0, b1 = 0, b3 = 0;
                r.GetRotAngles(&b2, &b1, &b3);
                EXPECT_TRUE(std::fabs(b1 - a1) + std::fabs(b2 - a2) + std::fabs(b3 - a3) < 1e-12);

                rx.RotXAxis(a1);
                ry.RotYAxis(a2);
                const OmMatrix composed = rz * ry * rx;
                const OmAffinMap3d map = OmAffinMap3d::RotXYZ(a1, a2, a3);
                for (int i = 0; i < 16; ++i) {
                    const int row = i / 4, col = i % 4;
                    EXPECT_NEAR(map[row][col],
                                row < 3 && col < 3 ? composed.GetElemZeroIndex(row, col)
                                                   : double(row == col),
                                1e-15);
                }
                affine_angles(map, a1, a2, a3);
            }
        }
    }
    const OmAffinMap3d rot = OmAffinMap3d::RotXYZ(0.7, -0.4, 2.5);
    affine_angles(OmAffinMap3d::Translate(4, 5, 6) * rot * OmAffinMap3d::Scale(2, 30, 0.5), 0.7,
                  -0.4, 2.5);
    affine_angles(rot * OmAffinMap3d::Scale(-1, -1, -1), 0.7, -0.4, 2.5);
    // A 4x4 stays 4x4 with an identity border; a too-small matrix grows to 3x3.
    OmMatrix h(4, 4), tiny(1, 1);
    h[4][4] = 7.0;
    h.RotXAxis(0.3);
    EXPECT_TRUE(h.GetZeilen() == 4 && h[4][4] == 1.0 && h[1][4] == 0.0);
    EXPECT_EQ(tiny.RotZAxis(0.3).GetZeilen(), 3);
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
    m[2][0] = -1.0000000000000002;  // rounded past the pole
    double ra, rb, rc;
    OmAffinMap3d::GetRotAngles(m, ra, rb, rc);
    EXPECT_TRUE(std::fabs(rb - kPi / 2) < 1e-7 && !std::isnan(ra));
    // A matrix too small for angles gives zeros.
    double a = 9, b = 9, c = 9;
    OmMatrix(2, 2).GetRotAngles(&a, &b, &c);
    EXPECT_EQ(a + b + c, 0.0);
}

TEST(Rotation, FrameFromThreePointsAndDegenerateFrames) {
    // u along q1 - q0, v in the plane, w its normal.
    OmMatrix r(3, 3);
    bool ok = false;
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

    // Opposite directions whose dot product rounds below -1 give pi, not NaN.
    b.MakeRotMatrix(kPi, 0.0, 0.0);
    b[3][3] = -1.0 - 1e-15;
    EXPECT_NEAR(a.CalcAngle(b), kPi, 1e-7);
}

// Points translate, vectors do not, normals go through the inverse transpose, and frames map
// local coordinates to world (or to another frame's local ones).
TEST(AffinMap3d, PointsVectorsNormalsAndFrames) {
    const OmAffinMap3d t =
        OmAffinMap3d::Translate(OmVector3d(1, 2, 3)) * OmAffinMap3d::Scale(2, 3, 4);
    const OmPoint3d p = t * OmPoint3d(1, 1, 1);
    EXPECT_TRUE(p.x() == 3.0 && p.y() == 5.0 && p.z() == 7.0 && p[3] == 1.0);
    EXPECT_TRUE(t.Transform(OmVector3d(1, 1, 1)).z() == 4.0 && (t * OmVector3d(1, 1, 1))[3] == 0.0);
    const OmAffinMap3d m = OmAffinMap3d::Translate(3, -2, 7) * OmAffinMap3d::RotXYZ(0.4, 0.1, -1) *
                           OmAffinMap3d::Scale(1, 5, 0.2);
    const OmAffinMap3d nm = OmAffinMap3d::NormalTransformMap(m), s = OmAffinMap3d::GetScaleMap(m);
    const OmVector3d n = Normalized(OmVector3d(1, 2, 3));
    const OmVector3d t1 = n % OmVector3d(0, 0, 1), t2 = n % t1;
    EXPECT_NEAR(std::fabs((nm * n) * (m * t1)) + std::fabs((nm * n) * (m * t2)), 0.0, 1e-12);
    EXPECT_TRUE(nm[0][3] == 0.0 && nm[1][3] == 0.0 && nm[2][3] == 0.0);
    EXPECT_NEAR(std::fabs(s[0][0] - 1.0) + std::fabs(s[1][1] - 5.0) + std::fabs(s[2][2] - 0.2), 0.0,
                1e-12);

    const OmFrame3d f(OmPoint3d(10, 20, 30), OmVector3d(0, 1, 0), OmVector3d(-1, 0, 0),
                      OmVector3d(0, 0, 1));
    const OmFrame3d g(OmPoint3d(-1, 0, 2), OmVector3d(1, 0, 0), OmVector3d(0, 0, 1),
                      OmVector3d(0, -1, 0));
    const OmAffinMap3d fw(f), fg(f, g), intoF(f, OmFrame3d());
    EXPECT_NEAR((fw * OmPoint3d(1, 2, 3)).Distance(OmPoint3d(8, 21, 33)), 0.0, 1e-12);
    EXPECT_NEAR((fg * (fw * OmPoint3d(4, 5, 6))).Distance(OmPoint3d(g, 4, 5, 6)), 0.0, 1e-12);
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
    }
    OmAffinMap3d singular = OmAffinMap3d::Scale(1, 0, 2);
    singular[0][3] = 5;
    EXPECT_EQ(singular.Invert(), 1);
    EXPECT_TRUE(singular[0][3] == 5.0 && singular[2][2] == 2.0);  // unchanged
}

// A weight within 1e-10 of zero, or NaN, leaves the coordinates; points and spatial vectors move
// only their planar coordinates, and larger matrices use their leading block.
TEST(PTrans, VanishingWeightsTargetsAndMatrixSizes) {
    OmMatrix m(3, 3);
    m.SetIdent();
    m[3][1] = 1.0;  // w = x - 1
    m[3][3] = -1.0;
    double x = 1.0 + 5e-11, y = -2.0, a = 1.0, b = 2.0, c = 3.0;
    EXPECT_FALSE(m.PTrans2D(&x, &y));
    EXPECT_TRUE(x == 1.0 + 5e-11 && y == -2.0);
    x = 1.0 + 1e-9;
    EXPECT_TRUE(m.PTrans2D(&x, &y));
    OmMatrix s(4, 4);
    s.SetIdent();
    s[4][1] = std::nan("");
    EXPECT_FALSE(s.PTrans3D(&a, &b, &c));
    EXPECT_TRUE(a == 1.0 && b == 2.0 && c == 3.0);
    // Too small for the transformation: refused rather than read past the end.
    EXPECT_FALSE(OmMatrix(2, 2).PTrans2D(&x, &y) || m.PTrans3D(&a, &b, &c));

    m.SetIdent();
    m[1][3] = 2.0;
    m[3][3] = 2.0;
    OmVector3d v(4.0, 6.0, 9.0);
    ASSERT_TRUE(m.PTrans2D(&v));
    EXPECT_TRUE(v.x() == 3.0 && v.y() == 3.0 && v.z() == 9.0);
    OmPoint p(1, 4.0, 2.0, 3.0, 0);
    p.dx = 0.5;
    ASSERT_TRUE(m.PTrans2D(&p));
    EXPECT_TRUE(p.x == 3.0 && p.y == 1.0 && p.z == 3.0 && p.dx == 0.5);
    s[4][1] = 0.0;
    s[1][3] = 5.0;  // planar translation in x
    s[4][4] = 0.5;  // homogeneous scale by 2
    x = y = 1.0;
    ASSERT_TRUE(s.PTrans2D(&x, &y) && s.PTrans3D(&p));
    EXPECT_TRUE(x == 6.0 && y == 1.0 && p.x == 36.0 && p.z == 6.0);  // (x + 5 z) / 0.5
    EXPECT_FALSE(m.PTrans2D(static_cast<OmVector3d*>(nullptr)) ||
                 m.PTrans2D(static_cast<OmPoint*>(nullptr)) || s.PTrans3D(nullptr));
}

// Lists of points, in order, against the matrix-vector product followed by the division by w; a
// point on the vanishing line keeps its coordinates.
TEST(PTrans, ListsMatchProductAndDivision) {
    std::mt19937 rng(17);
    std::uniform_real_distribution<double> u(-5.0, 5.0);
    const auto near = [](double got, double want) {
        EXPECT_NEAR(got, want, 1e-9 * (1.0 + std::fabs(want)));
    };
    for (int trial = 0; trial < 20; ++trial) {
        OmMatrix m2(3, 3), m3(4, 4);
        for (int i = 1; i <= 4; ++i) {
            for (int j = 1; j <= 4; ++j) {
                if (i <= 3 && j <= 3) m2[i][j] = u(rng);
                m3[i][j] = u(rng);
            }
        }
        if (trial == 0) {
            m2[3][1] = 1.0;  // w = x - 2
            m2[3][2] = 0.0;
            m2[3][3] = -2.0;
        }
        OmPointList list2, list3;
        std::vector<OmPoint> points;
        for (unsigned id = 1; id <= 10; ++id) {
            points.emplace_back(id, id == 5 ? 2.0 : u(rng), u(rng), u(rng), 0);
            list2.Add(points.back());
            list3.Add(points.back());
        }
        EXPECT_EQ(Transform2D(&list2, m2), 10);
        EXPECT_EQ(Transform3D(&list3, m3), 10);
        OmPoint *p2 = list2.First(), *p3 = list3.First();
        for (const OmPoint& p : points) {
            ASSERT_TRUE(p2 != nullptr && p3 != nullptr);
            EXPECT_EQ(p2->GetId(), p.GetId());
            const OmVector h2 = m2 * OmVector(p.x, p.y, 1.0);
            const OmVector h3 = m3 * OmVector(p.x, p.y, p.z, 1.0);
            const bool finite2 = std::fabs(h2[3]) >= 1e-10, finite3 = std::fabs(h3[4]) >= 1e-10;
            near(p2->x, finite2 ? h2[1] / h2[3] : p.x);
            near(p2->y, finite2 ? h2[2] / h2[3] : p.y);
            EXPECT_EQ(p2->z, p.z);
            near(p3->x, finite3 ? h3[1] / h3[4] : p.x);
            near(p3->y, finite3 ? h3[2] / h3[4] : p.y);
            near(p3->z, finite3 ? h3[3] / h3[4] : p.z);
            p2 = p2->Next();
            p3 = p3->Next();
        }
        EXPECT_TRUE(p2 == nullptr && p3 == nullptr);
    }
    OmPointList empty;
    EXPECT_EQ(Transform2D(&empty, OmMatrix(3, 3)), 0);
    EXPECT_EQ(Transform3D(nullptr, OmMatrix(4, 4)), 0);
}

TEST(CalcNormVect, NormalOfTheMappedGroundPlane) {
    // A quarter turn about x, a shift and a homogeneous scale map z = 0 onto y = const, normal
    // (0, -1, 0), right-handed with the images of x and y.
    OmMatrix m(4, 4);
    m.RotXAxis(std::acos(-1.0) / 2);
    m[1][4] = 3.0;
    m[2][4] = -1.0;
    m[3][4] = 8.0;
    m *= 2.0;
    OmVector n(2);
    ASSERT_TRUE(CalcNormVect(&n, m));
    ASSERT_EQ(n.GetSize(), 3);
    EXPECT_NEAR((n - OmVector(0.0, -1.0, 0.0)).Abs(), 0.0, 1e-15);

    // An image at infinity, a plane collapsed onto a line or a matrix too small: no normal.
    OmMatrix id(4, 4);
    id.SetIdent();
    OmMatrix inf = id, flat = id;
    inf[4][1] = -1.0;  // w of (1,0,0,1) becomes 0
    flat[2][2] = 0.0;
    for (const OmMatrix& bad : {inf, flat, OmMatrix(3, 3)}) {
        OmVector keep(7.0, 8.0, 9.0);
        EXPECT_FALSE(CalcNormVect(&keep, bad));
        EXPECT_EQ(keep, OmVector(7.0, 8.0, 9.0));
    }
    EXPECT_FALSE(CalcNormVect(nullptr, id));
}

TEST(CalcArbitaryAlg, FramesAroundTheNormal) {
    OmVector ax(1), ay(1);
    // The axis of reference switches at 1/64: just inside uses world y, just outside world z.
    const OmVector inside = OmVector(0.0156, 0.0, 1.0).Normalize();
    ASSERT_TRUE(CalcArbitaryAlg(&ax, &ay, inside));
    EXPECT_NEAR(ax[3], -0.0156, 1e-4);  // (0,1,0) x N has a z component
    const OmVector outside = OmVector(0.0157, 0.0, 1.0).Normalize();
    CalcArbitaryAlg(&ax, &ay, outside);
    EXPECT_EQ(ax[3], 0.0);  // (0,0,1) x N lies in the xy plane

    std::mt19937 rng(2);
    std::normal_distribution<double> g(0.0, 1.0);
    for (int trial = 0; trial < 100; ++trial) {
        OmVector n = OmVector(g(rng), g(rng), g(rng)).Normalize();
        if (trial % 10 == 0) n = OmVector(0.01 * g(rng), 0.01 * g(rng), 1.0).Normalize();
        CalcArbitaryAlg(&ax, &ay, n);
        // Same axes as the spatial types' version of the algorithm.
        OmVector3d bx, by;
        OmAffinMap3d::ArbAxisAlg(OmVector3d(n[1], n[2], n[3]), bx, by);
        EXPECT_NEAR(
            std::fabs(ax[1] - bx.x()) + std::fabs(ax[3] - bx.z()) + std::fabs(ay[2] - by.y()), 0.0,
            3e-15);
        EXPECT_GT(OmAffinMap3d::MapEcsToWcs(OmVector3d(n[1], n[2], n[3])).Det(), 0.0);
        // Orthonormal and right-handed: ax x ay = N.
        const OmVector z = ax % ay;
        for (int i = 1; i <= 3; ++i) EXPECT_NEAR(z[i], n[i], 1e-14);
    }
}

TEST(RoundValue, ModesAndZeroStep) {
    // {value, step, mode, expected}: up rounds whole steps away from zero too.
    const double cases[][4] = {{2.0, 1, 1, 3},     {2.2, 1, 1, 3},    {-2.0, 1, 1, -3},
                               {-2.4, 1, 0, -2},   {-2.5, 1, 0, -3},  {2.5, 1, 0, 3},
                               {0.0, 1, 0, 0},     {-2.4, 1, -1, -3}, {2.4, 1, -1, 2},
                               {7.3, 0.5, 0, 7.5}, {17, 5, 1, 20},    {-17, 5, -1, -20}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundValue(c[0], c[1], static_cast<int>(c[2])), c[3]) << c[0] << " " << c[2];
    for (double v : {-3.7, 0.0, 1e300, 0.123}) {
        for (int mode : {-1, 0, 1}) EXPECT_EQ(RoundValue(v, 0.0, mode), v);
    }
}

}  // namespace
}  // namespace om
