// Homogeneous transformations of coordinates, points and lists, plane normals and axes, rounding.
#include <om/numerics/affin_map3d.h>
#include <om/numerics/matrix.h>
#include <om/numerics/plane_axes.h>
#include <om/numerics/point_transform.h>
#include <om/numerics/round_value.h>
#include <om/numerics/vector3d.h>
#include <om/points/point.h>
#include <om/points/point_list.h>

#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace om {
namespace {

TEST(PTrans, VanishingWeightLeavesTheCoordinates) {
    OmMatrix m(3, 3);
    m.SetIdent();
    m[3][3] = 0.0;  // third row zero
    double x = 4.0, y = -2.0;
    EXPECT_FALSE(m.PTrans2D(&x, &y));
    EXPECT_TRUE(x == 4.0 && y == -2.0);

    // Points on the vanishing line w = x - 1 = 0 (and within 1e-10 of it).
    m[3][1] = 1.0;
    m[3][3] = -1.0;
    x = 1.0 + 5e-11;
    EXPECT_FALSE(m.PTrans2D(&x, &y));
    EXPECT_EQ(x, 1.0 + 5e-11);
    x = 1.0 + 1e-9;
    EXPECT_TRUE(m.PTrans2D(&x, &y));

    OmMatrix s(4, 4);
    double a = 1.0, b = 2.0, c = 3.0;
    EXPECT_FALSE(s.PTrans3D(&a, &b, &c));
    EXPECT_EQ(a + b + c, 6.0);
    const double nan = std::nan("");
    s.SetIdent();
    s[4][1] = nan;
    EXPECT_FALSE(s.PTrans3D(&a, &b, &c));
    EXPECT_EQ(c, 3.0);

    // Too small for the transformation: refused rather than read past the end.
    OmMatrix small(2, 2);
    EXPECT_FALSE(small.PTrans2D(&x, &y));
    EXPECT_FALSE(m.PTrans3D(&a, &b, &c));
}

// Points, spatial vectors and lists: only their coordinates move, and larger matrices use their
// leading block.
TEST(PTrans, PointsVectorsAndLargerMatrices) {
    OmMatrix m(3, 3);
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
    OmMatrix big(4, 4);
    big.SetIdent();
    big[1][3] = 5.0;  // planar translation in x
    big[4][4] = 0.5;  // homogeneous scale by 2
    double x = 1.0, y = 1.0;
    ASSERT_TRUE(big.PTrans2D(&x, &y));
    EXPECT_TRUE(x == 6.0 && y == 1.0);
    ASSERT_TRUE(big.PTrans3D(&p));
    EXPECT_TRUE(p.x == 36.0 && p.z == 6.0);  // (x + 5 z) / 0.5
    EXPECT_FALSE(m.PTrans2D(static_cast<OmVector3d*>(nullptr)));
    EXPECT_FALSE(m.PTrans2D(static_cast<OmPoint*>(nullptr)));
    EXPECT_FALSE(big.PTrans3D(nullptr));

    const OmPoint q(7, 1.5, -2.0, 3.25, 0);
    EXPECT_EQ(OmVector(q, eOmVectorPlanar), OmVector(1.5, -2.0, 0.0));
    EXPECT_EQ(OmVector(q, eOmVectorPlanarHomogeneous), OmVector(1.5, -2.0, 1.0));
    EXPECT_EQ(OmVector(q, eOmVectorSpatialHomogeneous), OmVector(1.5, -2.0, 3.25, 0.0));
    EXPECT_EQ(OmVector(q, static_cast<eOmVectorType>(9)), OmVector(1.5, -2.0, 3.25, 0.0));
    EXPECT_EQ(q.GetAsVector(), OmVector(1.5, -2.0, 3.25));
}

// Lists of points, in order, against the matrix-vector product followed by the division by w; a
// point on the vanishing line keeps its coordinates.
TEST(PTrans, ListsMatchProductAndDivision) {
    std::mt19937 rng(17);
    std::uniform_real_distribution<double> u(-5.0, 5.0);
    const auto near = [](double value, double expected) {
        EXPECT_NEAR(value, expected, 1e-9 * (1.0 + std::fabs(expected)));
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
    // A rotation about x by 90 degrees plus a translation and a homogeneous scale of 2:
    // the plane z = 0 maps onto y = const, normal (0, -1, 0) (right-handed with the images
    // of x and y).
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
    OmMatrix id(4, 4), inf(4, 4), flat(4, 4);
    id.SetIdent();
    inf = flat = id;
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
        EXPECT_NEAR(ax[1], bx.x(), 1e-15);
        EXPECT_NEAR(ax[3], bx.z(), 1e-15);
        EXPECT_NEAR(ay[2], by.y(), 1e-15);
        EXPECT_NEAR(ax.Abs(), 1.0, 1e-14);
        const OmAffinMap3d e = OmAffinMap3d::MapEcsToWcs(OmVector3d(n[1], n[2], n[3]));
        EXPECT_GT(e.Det(), 0.0);
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
