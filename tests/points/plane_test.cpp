// Plane records: distances, projections, angles, intersections and flag predicates.
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include <om/core/filter.h>
#include <om/numerics/plane3d.h>
#include <om/points/plane.h>
#include <om/points/point.h>

namespace om {
namespace {

constexpr double kPi = 3.14159265358979323846;

OmPoint At(double x, double y, double z) {
    OmPoint p;
    p.Set(x, y, z);
    return p;
}

TEST(Plane, DefaultIsInvalid) {
    OmPlane p;
    EXPECT_FALSE(p.IsValid());
    EXPECT_EQ(p.GetId(), 0u);
    EXPECT_EQ(p.GetNorm().GetSize(), 3);
    OmPoint out = At(7, 8, 9);
    EXPECT_FALSE(p.ProjectPoint(&out, At(1, 2, 3)));
    EXPECT_EQ(out.GetX(), 7.0);
    EXPECT_FALSE(OmPlane(1, "", 0, 0, 1, 0).ProjectPoint(nullptr, At(1, 2, 3)));
    const OmVector sip = p.CalcPlaneVectorForSip();
    EXPECT_EQ(sip.GetSize(), 3);
    EXPECT_EQ(sip[1], 0.0);
    EXPECT_EQ(sip[3], 0.0);
}

TEST(Plane, DistancesScaleByNormalLength) {
    const OmPlane p(1, "z=2", 0, 0, 2, -4);
    EXPECT_DOUBLE_EQ(p.Dist(0, 0, 0), -2.0);
    EXPECT_DOUBLE_EQ(p.FastDist(0, 0, 0), -4.0);
    EXPECT_DOUBLE_EQ(p.Dist(5, 5, 3), 1.0);
    EXPECT_DOUBLE_EQ(p.FastDist(5, 5, 3), 2.0);
    EXPECT_DOUBLE_EQ(p.Dist(At(5, 5, 3)), 1.0);
    EXPECT_DOUBLE_EQ(p.FastDist(At(5, 5, 3)), 2.0);

    // Cross-check against the Hesse form of the spatial plane type.
    std::mt19937 rng(61);
    std::uniform_real_distribution<double> u(-10, 10);
    for (int i = 0; i < 100; ++i) {
        const OmPlane q(2, "q", u(rng), u(rng), u(rng), u(rng));
        const OmPlane3d hesse(OmVector3d(q.A(), q.B(), q.C()), 0.0);
        const double scale = std::sqrt(q.A() * q.A() + q.B() * q.B() + q.C() * q.C());
        const OmPoint3d x(u(rng), u(rng), u(rng));
        EXPECT_NEAR(q.Dist(x.x(), x.y(), x.z()), hesse.Dist(x) + q.D() / scale, 1e-9);
    }
}

TEST(Plane, ProjectionLandsOnUnitPlane) {
    const OmVector3d n = Normalized(OmVector3d(1, -2, 2));
    const OmPlane p(3, "unit", n.x(), n.y(), n.z(), -3.0);
    OmPoint out = At(0, 0, 0);
    out.SetId(42);
    ASSERT_TRUE(p.ProjectPoint(&out, At(4, 5, 6)));
    EXPECT_NEAR(p.Dist(out), 0.0, 1e-12);
    EXPECT_EQ(out.GetId(), 42u);  // only the coordinates change
    // The foot: the offset from the point is along the normal.
    const OmVector3d off(out.GetX() - 4, out.GetY() - 5, out.GetZ() - 6);
    EXPECT_NEAR((off % n).Norm(), 0.0, 1e-12);
}

TEST(Plane, MirrorTwiceRestores) {
    OmPlane p(4, "m", 1, 2, 3, 4);
    p.MirrorNormal();
    EXPECT_EQ(p.A(), -1.0);
    EXPECT_EQ(p.D(), -4.0);
    EXPECT_DOUBLE_EQ(p.Dist(1, 1, 1), -OmPlane(4, "m", 1, 2, 3, 4).Dist(1, 1, 1));
    p.MirrorNormal();
    EXPECT_EQ(p.A(), 1.0);
    EXPECT_EQ(p.B(), 2.0);
    EXPECT_EQ(p.C(), 3.0);
    EXPECT_EQ(p.D(), 4.0);
}

TEST(Plane, PointOnAxisNeverDividesByZero) {
    OmVector v = OmPlane(1, "", 1, 1, 0.5, -2).CalcPlaneVectorForSip();
    EXPECT_EQ(v[1], 0.0);
    EXPECT_EQ(v[2], 0.0);
    EXPECT_DOUBLE_EQ(v[3], 4.0);
    // The facade x + y = 2: ties between A and B, C = 0.
    const OmPlane facade(2, "", 1, 1, 0, -2);
    v = facade.CalcPlaneVectorForSip();
    for (int i = 1; i <= 3; ++i) EXPECT_TRUE(std::isfinite(v[i]));
    EXPECT_NEAR(facade.FastDist(v[1], v[2], v[3]), 0.0, 1e-15);
    v = OmPlane(3, "", 0, -3, 1, 6).CalcPlaneVectorForSip();
    EXPECT_DOUBLE_EQ(v[2], 2.0);
    v = OmPlane(4, "", 0, 0, -0.0, 6).CalcPlaneVectorForSip();  // invalid
    EXPECT_EQ(v[3], 0.0);

    std::mt19937 rng(67);
    std::uniform_int_distribution<int> u(-2, 2);
    for (int i = 0; i < 300; ++i) {
        const OmPlane p(5, "", u(rng), u(rng), u(rng), u(rng) + 0.5);
        if (!p.IsValid()) continue;
        v = p.CalcPlaneVectorForSip();
        EXPECT_NEAR(p.FastDist(v[1], v[2], v[3]), 0.0, 1e-12);
        EXPECT_EQ((v[1] != 0) + (v[2] != 0) + (v[3] != 0), 1);  // on one axis
    }
}

TEST(Plane, AnglesParallelAndNormal) {
    const OmPlane up(1, "", 0, 0, 1, 0);
    const OmPlane down(2, "", 0, 0, -1, 3);
    const OmPlane upHigh(3, "", 0, 0, 5, -10);
    EXPECT_EQ(up.CalcAngle(upHigh), 0.0);
    EXPECT_NEAR(up.CalcAngle(down), kPi, 1e-7);
    EXPECT_FALSE(std::isnan(up.CalcAngle(OmPlane(4, "", 0, 0, 1e-300, 0))));
    EXPECT_FALSE(up.IsParallel(down));  // opposite normals
    EXPECT_EQ(up.Dist(down), 0.0);
    EXPECT_TRUE(up.IsParallel(upHigh));
    EXPECT_EQ(up.Dist(upHigh), 10.0);  // a difference of D values, not a length
    // Just inside and outside the tolerance.
    const double tol = 4.0000000001150227e-7;
    EXPECT_EQ(kOmPlaneAngleTolerance, tol);
    EXPECT_TRUE(up.IsParallel(OmPlane(5, "", std::sin(0.5 * tol), 0, std::cos(0.5 * tol), 0)));
    EXPECT_FALSE(up.IsParallel(OmPlane(6, "", std::sin(2 * tol), 0, std::cos(2 * tol), 0)));
    // "Normal" starts at 45 degrees.
    EXPECT_TRUE(up.IsNormal(OmPlane(7, "", 1, 0, 0, 0)));
    EXPECT_TRUE(up.IsNormal(OmPlane(8, "", 1, 0, 1, 0)));
    EXPECT_FALSE(up.IsNormal(OmPlane(9, "", 1, 0, 1.01, 0)));
}

TEST(Plane, IntersectionLine) {
    const OmPlane ground(1, "", 0, 0, 1, 0);
    const OmPlane wall(2, "", 1, 1, 0, -2);
    OmVector point(3), dir(3);
    ASSERT_TRUE(ground.CalcIntersection(point, dir, wall));
    EXPECT_NEAR(dir.Abs(), 1.0, 1e-15);
    EXPECT_NEAR(ground.FastDist(point[1], point[2], point[3]), 0.0, 1e-15);
    EXPECT_NEAR(wall.FastDist(point[1], point[2], point[3]), 0.0, 1e-15);

    // Planes that meet in a line parallel to z = 0 (z = 1 and x = 0).
    const OmPlane z1(3, "", 0, 0, 1, -1);
    const OmPlane x0(4, "", 2, 0, 0, 0);
    ASSERT_TRUE(z1.CalcIntersection(point, dir, x0));
    EXPECT_NEAR(std::fabs(dir[2]), 1.0, 1e-15);
    EXPECT_NEAR(z1.Dist(point[1], point[2], point[3]), 0.0, 1e-15);
    EXPECT_NEAR(x0.Dist(point[1], point[2], point[3]), 0.0, 1e-15);

    // Parallel and opposite planes leave the outputs alone.
    OmVector p2(9, 9, 9), d2(8, 8, 8);
    EXPECT_FALSE(ground.CalcIntersection(p2, d2, OmPlane(5, "", 0, 0, 3, 1)));
    EXPECT_FALSE(ground.CalcIntersection(p2, d2, OmPlane(6, "", 0, 0, -3, 1)));
    EXPECT_EQ(p2[1], 9.0);
    EXPECT_EQ(d2[1], 8.0);

    std::mt19937 rng(71);
    std::uniform_real_distribution<double> u(-5, 5);
    for (int i = 0; i < 200; ++i) {
        const OmPlane a(7, "", u(rng), u(rng), u(rng), u(rng));
        const OmPlane b(8, "", u(rng), u(rng), u(rng), u(rng));
        ASSERT_TRUE(a.CalcIntersection(point, dir, b));
        for (const double t : {0.0, 10.0, -3.0}) {
            const double x = point[1] + t * dir[1], y = point[2] + t * dir[2],
                         z = point[3] + t * dir[3];
            const double tol = 1e-8 * (1 + point.Abs());
            EXPECT_NEAR(a.Dist(x, y, z), 0.0, tol);
            EXPECT_NEAR(b.Dist(x, y, z), 0.0, tol);
        }
    }
}

TEST(Plane, CopyGetAndFlags) {
    OmPlane p(12, "Roof", 1, 2, 3, 4);
    p.SetFlag(kOmPlaneFlagGuiSelect);
    p.SetActive(true);
    const OmPlane c(p);
    EXPECT_EQ(c.GetId(), 12u);
    EXPECT_EQ(String(c.GetName()), String("Roof"));
    EXPECT_TRUE(c.IsActive());
    EXPECT_EQ(IsPlaneFlagGuiSelect(&c), 1u);
    EXPECT_EQ(IsPlaneFlagGuiCheckActive(&c), 2u);
    OmPlane d;
    d = c;
    EXPECT_EQ(d.C(), 3.0);
    EXPECT_EQ(d.GetFlag(), 3u);
    d.SetActive(false);
    EXPECT_EQ(IsPlaneFlagGuiCheckActive(&d), 0u);
    EXPECT_EQ(IsPlaneFlagGuiSelect(&d), 1u);

    double a, b, cc, dd;
    p.Get(&a, &b, &cc, &dd);
    EXPECT_EQ(a + b + cc + dd, 10.0);
    OmVector two(2), four(4);
    four[4] = -1;
    p.Get(&two, &dd);
    p.Get(&four, nullptr);
    EXPECT_EQ(two[2], 2.0);
    EXPECT_EQ(four[3], 3.0);
    EXPECT_EQ(four[4], -1.0);  // only three components are copied

    const OmTestFilter active(IsPlaneFlagGuiCheckActive);
    EXPECT_NE(active.Test(&p), 0u);
    EXPECT_EQ(active.Test(&d), 0u);
}

TEST(PlaneList, ActivePlanesAndFlagWalking) {
    OmPlaneList list;
    for (unsigned i = 1; i <= 5; ++i) list.Add(new OmPlane(i, "", 0, 0, 1, -double(i)));
    EXPECT_EQ(list.CountActivePlanes(), 0);
    EXPECT_EQ(list.GetActivePlane(), nullptr);
    list.Get(1)->SetActive(true);
    list.Get(3)->SetActive(true);
    EXPECT_EQ(list.CountActivePlanes(), 2);
    EXPECT_EQ(list.GetActivePlane()->GetId(), 2u);
    OmPlane* p = list.First()->First(kOmPlaneFlagActive);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->GetId(), 2u);
    p = p->Next(kOmPlaneFlagActive);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->GetId(), 4u);
    EXPECT_EQ(p->Next(kOmPlaneFlagActive), nullptr);
    EXPECT_EQ(p->Previous(kOmPlaneFlagActive)->GetId(), 2u);
    EXPECT_EQ(list.Last()->First(kOmPlaneFlagActive), nullptr);

    OmPlaneList copy(list);
    EXPECT_EQ(copy.CountActivePlanes(), 2);
    list.Sort();  // default ordering: descending ids
    EXPECT_EQ(list.First()->GetId(), 5u);
}

}  // namespace
}  // namespace om
