#include <cmath>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include <om/core/filter.h>
#include <om/numerics/plane3d.h>
#include <om/points/plane.h>
#include <om/points/point.h>

#include "point_test_util.h"

namespace om {
namespace {

using test::ReadText;
using test::WriteText;

constexpr double kPi = 3.14159265358979323846;

OmPoint At(double x, double y, double z) {
    OmPoint p;
    p.Set(x, y, z);
    return p;
}

// Dist is scaled by the normal's length, FastDist is not; the Hesse form of the spatial plane
// type is the oracle. Projecting along a unit normal lands on the plane.
TEST(Plane, DistancesAndProjectionAgreeWithTheHesseForm) {
    std::mt19937 rng(61);
    std::uniform_real_distribution<double> u(-10, 10);
    for (int i = 0; i < 100; ++i) {
        const OmPlane q(2, "q", u(rng), u(rng), u(rng), u(rng));
        const OmVector3d n(q.A(), q.B(), q.C());
        const OmPlane3d hesse(n, 0.0);
        const double scale = n.Norm();
        const OmPoint3d x(u(rng), u(rng), u(rng));
        EXPECT_NEAR(q.Dist(x.x(), x.y(), x.z()), hesse.Dist(x) + q.D() / scale, 1e-9);
        EXPECT_NEAR(q.FastDist(At(x.x(), x.y(), x.z())), q.Dist(At(x.x(), x.y(), x.z())) * scale,
                    1e-9);
        const OmPlane unit(3, "", q.A() / scale, q.B() / scale, q.C() / scale, q.D() / scale);
        OmPoint out = At(0, 0, 0);
        out.SetId(42);
        ASSERT_TRUE(unit.ProjectPoint(&out, At(x.x(), x.y(), x.z())));
        EXPECT_TRUE(std::fabs(q.Dist(out)) < 1e-9 && out.GetId() == 42u);
        const OmVector3d off(out.GetX() - x.x(), out.GetY() - x.y(), out.GetZ() - x.z());
        EXPECT_NEAR((off % n).Norm(), 0.0, 1e-9 * scale);
    }
    OmPoint out = At(7, 8, 9);
    EXPECT_FALSE(OmPlane().ProjectPoint(&out, At(1, 2, 3)));
    EXPECT_EQ(out.GetX(), 7.0);
}

TEST(Plane, PointOnAxisNeverDividesByZero) {
    OmVector v = OmPlane(1, "", 1, 1, 0.5, -2).CalcPlaneVectorForSip();
    EXPECT_TRUE(v[1] == 0.0 && v[2] == 0.0 && v[3] == 4.0);
    // The facade x + y = 2: ties between A and B, C = 0.
    const OmPlane facade(2, "", 1, 1, 0, -2);
    v = facade.CalcPlaneVectorForSip();
    for (int i = 1; i <= 3; ++i) EXPECT_TRUE(std::isfinite(v[i]));
    EXPECT_NEAR(facade.FastDist(v[1], v[2], v[3]), 0.0, 1e-15);
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
    const double tol = kOmPlaneAngleTolerance;
    EXPECT_TRUE(up.IsParallel(OmPlane(5, "", std::sin(0.5 * tol), 0, std::cos(0.5 * tol), 0)));
    EXPECT_FALSE(up.IsParallel(OmPlane(6, "", std::sin(2 * tol), 0, std::cos(2 * tol), 0)));
    // "Normal" starts at 45 degrees.
    EXPECT_TRUE(up.IsNormal(OmPlane(8, "", 1, 0, 1, 0)));
    EXPECT_FALSE(up.IsNormal(OmPlane(9, "", 1, 0, 1.01, 0)));
}

TEST(Plane, IntersectionLine) {
    OmVector point(3), dir(3);
    // Planes that meet in a line parallel to z = 0 (z = 1 and x = 0).
    const OmPlane z1(3, "", 0, 0, 1, -1);
    const OmPlane x0(4, "", 2, 0, 0, 0);
    ASSERT_TRUE(z1.CalcIntersection(point, dir, x0));
    EXPECT_NEAR(std::fabs(dir[2]), 1.0, 1e-15);
    EXPECT_NEAR(z1.Dist(point[1], point[2], point[3]), 0.0, 1e-15);
    EXPECT_NEAR(x0.Dist(point[1], point[2], point[3]), 0.0, 1e-15);

    // Parallel and opposite planes leave the outputs alone.
    const OmPlane ground(1, "", 0, 0, 1, 0);
    OmVector p2(9, 9, 9), d2(8, 8, 8);
    EXPECT_FALSE(ground.CalcIntersection(p2, d2, OmPlane(5, "", 0, 0, 3, 1)));
    EXPECT_FALSE(ground.CalcIntersection(p2, d2, OmPlane(6, "", 0, 0, -3, 1)));
    EXPECT_TRUE(p2[1] == 9.0 && d2[1] == 8.0);

    std::mt19937 rng(71);
    std::uniform_real_distribution<double> u(-5, 5);
    for (int i = 0; i < 200; ++i) {
        const OmPlane a(7, "", u(rng), u(rng), u(rng), u(rng));
        const OmPlane b(8, "", u(rng), u(rng), u(rng), u(rng));
        ASSERT_TRUE(a.CalcIntersection(point, dir, b));
        EXPECT_NEAR(dir.Abs(), 1.0, 1e-12);
        for (const double t : {0.0, 10.0, -3.0}) {
            const double x = point[1] + t * dir[1], y = point[2] + t * dir[2],
                         z = point[3] + t * dir[3];
            const double tol = 1e-8 * (1 + point.Abs());
            EXPECT_NEAR(a.Dist(x, y, z), 0.0, tol);
            EXPECT_NEAR(b.Dist(x, y, z), 0.0, tol);
        }
    }
}

TEST(PlaneList, ActivePlanesFlagWalkingAndOrder) {
    OmPlaneList list;
    for (unsigned i = 1; i <= 5; ++i) list.Add(new OmPlane(i, "", 0, 0, 1, -double(i)));
    list.Get(1)->SetActive(true);
    list.Get(3)->SetActive(true);
    list.Get(3)->SetFlag(kOmPlaneFlagGuiSelect);
    EXPECT_TRUE(list.CountActivePlanes() == 2 && list.GetActivePlane()->GetId() == 2u);
    OmPlane* p = list.First()->First(kOmPlaneFlagActive)->Next(kOmPlaneFlagActive);
    ASSERT_TRUE(p != nullptr && p->GetId() == 4u && p->Next(kOmPlaneFlagActive) == nullptr);
    EXPECT_EQ(p->Previous(kOmPlaneFlagActive)->GetId(), 2u);
    EXPECT_TRUE(IsPlaneFlagGuiSelect(p) == 1u && IsPlaneFlagGuiCheckActive(p) == 2u);
    EXPECT_EQ(OmTestFilter(IsPlaneFlagGuiCheckActive).Test(list.First()), 0u);
    list.Sort();  // default ordering: descending ids
    EXPECT_EQ(list.First()->GetId(), 5u);
}

int ReadInto(OmPlaneList& list, const std::string& name) {
    return list.ReadFile(String(name.c_str()));
}

TEST(PlaneFile, CommentsSplitGroupsAndCrLf) {
    WriteText("two.sip",
              "; a comment line\r\n"
              "{ 1 \"Ground\" 0 0 1 0 }\n"
              "{ 7 \"Wall; east\" 1 0.5 -2.5e-1 12 }  ; trailing comment\n"
              "{ 3\r\n \"Roof\"\r\n 0 -0.6\r\n 0.8 -6.4 }\r\n");
    OmPlaneList list;
    EXPECT_EQ(ReadInto(list, "two.sip"), 1);
    ASSERT_EQ(list.Count(), 3);
    const OmPlane* wall = list.Get(1);
    EXPECT_TRUE(wall->GetId() == 7u && String(wall->GetName()) == String("Wall; east"));
    EXPECT_TRUE(wall->B() == 0.5 && wall->C() == -0.25 && wall->D() == 12.0);
    EXPECT_EQ(list.Last()->D(), -6.4);
    EXPECT_EQ(ReadInto(list, "two.sip"), 1);  // reading appends
    EXPECT_EQ(list.Count(), 6);
}

TEST(PlaneFile, WriteReadRoundTrip) {
    std::mt19937 rng(83);
    std::uniform_real_distribution<double> u(-1e4, 1e4);
    OmPlaneList out;
    for (unsigned i = 0; i < 50; ++i) {
        const String name = i % 3 == 0 ? String("") : String("plane ") + String(int(i));
        out.Add(new OmPlane(i * 3 + 1, name, u(rng), u(rng) * 1e-6, u(rng), u(rng) * 1e8));
    }
    out.Add(new OmPlane(999, "zero normal", 0, 0, 0, 5));
    out.Add(new OmPlane(4000000000u, "big id", -1e-7, 1e-300, 1e300, 0));
    ASSERT_TRUE(out.WriteFile("round.sip"));

    OmPlaneList in;
    EXPECT_EQ(ReadInto(in, "round.sip"), 1);
    ASSERT_EQ(in.Count(), out.Count());
    const OmPlane* b = in.First();
    for (const OmPlane* a = out.First(); a != nullptr; a = a->Next(), b = b->Next()) {
        EXPECT_EQ(a->GetId(), b->GetId());
        EXPECT_EQ(String(a->GetName()), String(b->GetName()));
        const double av[4] = {a->A(), a->B(), a->C(), a->D()};
        const double bv[4] = {b->A(), b->B(), b->C(), b->D()};
        for (int k = 0; k < 4; ++k) EXPECT_NEAR(bv[k], av[k], 1e-15 * std::fabs(av[k])) << k;
    }
    ASSERT_TRUE(in.WriteFile("round2.sip"));
    EXPECT_TRUE(ReadText("round.sip") == ReadText("round2.sip")) << "second write differs";
    EXPECT_FALSE(out.WriteFile("no_such_dir/out.sip"));
}

// Each hostile group follows a good one, which must stay as the only plane.
TEST(PlaneFile, HostileInputIsAnErrorAndKeepsWhatCameBefore) {
    OmPlaneList none;
    EXPECT_EQ(ReadInto(none, "no_such_dir/none.sip"), 0);
    for (const char* quiet : {"", ";\n; only comments\n\n"}) {
        WriteText("quiet.sip", quiet);
        EXPECT_EQ(ReadInto(none, "quiet.sip"), 1);
    }
    EXPECT_TRUE(none.IsEmpty());

    const std::string overlong = "{ 2 \"" + std::string(20000, 'x') + "\" 0 0 1 0 }\n";
    for (const std::string text :
         {"2 \"b\" 0 1 0 0 }\n{ 3 \"c\" 1 0 0 0 }\n", "{ 2 \"b\" 0 1", "{",
          "{ 2 \"unterminated 0 1 0 0 }\n", "{ 1 \"a\" 0 0 one 0 }\n", "{ \"a\" 1 0 0 1 0 }\n",
          "{ 1 2 0 0 1 0 }\n", "{ 1 \"a\" 0 0 1 0 7 }\n", "{ 1 \"a\" 0 0 1 { 0 } }\n",
          "{ 1 \"a\" 0 0 1 2x }\n", "{ 1.5 \"a\" 0 0 1 0 }\n", "{ 1 \"a\" 0 - 1 0 }\n",
          "{ 2 \"huge\" 1e999 0 0 1 }\n", overlong.c_str()}) {
        WriteText("wrong.sip", "{ 9 \"ok\" 1 0 0 0 }\n" + text);
        OmPlaneList list;
        EXPECT_EQ(ReadInto(list, "wrong.sip"), 0) << text;
        ASSERT_EQ(list.Count(), 1) << text;
        EXPECT_EQ(list.First()->GetId(), 9u) << text;
    }

    // Random bytes and random tokens: a result, never a crash or a non-finite plane.
    std::mt19937 rng(89);
    const std::string alphabet = "{}\" 0123456789.-e;\nabc";
    for (int round = 0; round < 60; ++round) {
        std::string text;
        const int n = 50 + round * 20;
        for (int i = 0; i < n; ++i)
            text += round % 2 == 0 ? static_cast<char>(rng()) : alphabet[rng() % alphabet.size()];
        WriteText("random.sip", text);
        OmPlaneList list;
        const int r = ReadInto(list, "random.sip");
        EXPECT_TRUE(r == 0 || r == 1);
        EXPECT_LE(list.Count(), n / 8);  // a group needs at least 8 characters
        for (const OmPlane* p = list.First(); p != nullptr; p = p->Next())
            EXPECT_TRUE(std::isfinite(p->A() + p->B() + p->C() + p->D()));
    }
}

#ifdef OMCORE_TEST_DATA_DIR
TEST(PlaneFile, SampleFileReads) {
    const OmPlaneList list(String(OMCORE_TEST_DATA_DIR "/facade_planes.sip"));
    EXPECT_EQ(list.Count(), 5);
    for (const OmPlane* p = list.First(); p != nullptr; p = p->Next()) EXPECT_TRUE(p->IsValid());
}
#endif

}  // namespace
}  // namespace om
