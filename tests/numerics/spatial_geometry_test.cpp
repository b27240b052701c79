// Spatial primitives (vectors, lines, planes, triangles, boxes, the running centre, the selection
// pyramid), checked against independent formulas on random data.
#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include <om/numerics/aligned_bounding_box3d.h>
#include <om/numerics/bounding_box3d.h>
#include <om/numerics/center_point3d.h>
#include <om/numerics/line3d.h>
#include <om/numerics/plane3d.h>
#include <om/numerics/select_volume3d.h>
#include <om/numerics/triangle3d.h>
#include <om/numerics/triangle3d_uvn.h>

namespace om {
namespace {

constexpr double kPi = 3.14159265358979323846;

void ExpectNear(const OmPoint3d& p, double x, double y, double z, double tol = 1e-12) {
    EXPECT_NEAR(p.x(), x, tol);
    EXPECT_NEAR(p.y(), y, tol);
    EXPECT_NEAR(p.z(), z, tol);
}

struct Rng {
    std::mt19937 gen;
    std::uniform_real_distribution<double> u{-10.0, 10.0};
    explicit Rng(unsigned seed) : gen(seed) {}
    double operator()() { return u(gen); }
    OmPoint3d Point() { return {(*this)(), (*this)(), (*this)()}; }
    OmVector3d Vector() { return {(*this)(), (*this)(), (*this)()}; }
};

TEST(Vector3d, HomogeneousComponentsAnglesAndIndependence) {
    const OmVector3d v(1, 2, 3);
    const OmPoint3d p(4, 5, 6);
    EXPECT_TRUE(v[3] == 0.0 && p[3] == 1.0 && (p - OmPoint3d(1, 1, 1))[3] == 0.0 &&
                (p + v)[3] == 1.0);
    ExpectNear(AffinCombination(OmPoint3d(0, 0, 0), OmPoint3d(10, 0, 0), 3, 1), 2.5, 0, 0);
    const OmVector3d a(0.3, -0.7, 0.2);
    EXPECT_NEAR(Angle(a, a * 7.0), 0.0, 1e-7);  // no NaN from a cosine past 1
    EXPECT_NEAR(a.Angle(-a), kPi, 1e-7);
    EXPECT_NEAR(OmVector3d(1, 0, 0).Angle(OmVector3d(1, 1, 0)), kPi / 4, 1e-15);
    EXPECT_FALSE(a.IsLinearIndependent(a * 2.0, 1e-6));
    EXPECT_TRUE(a.IsLinearIndependent(-a, 1e-6));  // antiparallel counts as independent
    EXPECT_FALSE(a.IsLinearIndependent(OmVector3d(), 1e-6));
}

TEST(Line3d, ClosestPointDistancesAndEnds) {
    const OmLine3d l(OmPoint3d(1, 1, 1), OmPoint3d(1, 1, 5));
    ExpectNear(OmLine3d(OmPoint3d(0, 0, 0), OmVector3d(0, 3, 4)).getEnd(), 0, 0.6, 0.8);
    OmPoint3d foot;
    EXPECT_TRUE(l.getClosestPointTo(OmPoint3d(3, 1, 7), foot, true));
    ExpectNear(foot, 1, 1, 7);
    EXPECT_FALSE(l.getClosestPointTo(OmPoint3d(3, 1, 7), foot, false));  // beyond the end
    EXPECT_TRUE(l.getClosestPointTo(OmPoint3d(3, 1, 5), foot, false));   // at the end
    bool inside = false;
    EXPECT_DOUBLE_EQ(l.getNormDistance(OmPoint3d(4, 5, 2), inside), 5.0);
    EXPECT_TRUE(inside);
    double dist = 0;
    EXPECT_TRUE(l.getDistAtPoint(OmPoint3d(1, 1, -2), dist));
    EXPECT_DOUBLE_EQ(dist, 3.0);
    EXPECT_FALSE(l.getDistAtPoint(OmPoint3d(1, 1.001, -2), dist));

    OmLine3d s(OmPoint3d(0, 0, 0), OmPoint3d(1, 0, 0));
    s.setEnd(OmPoint3d(0, 2, 0), false);
    EXPECT_EQ(s.getDirection().x(), 1.0);
    s.setEnd(OmPoint3d(0, 2, 0));
    EXPECT_EQ(s.getDirection().y(), 1.0);
}

// Skew lines against the normal equations of |s1 + t1 d1 - s2 - t2 d2|^2; near-parallel and
// zero-length lines have no closest approach (-1) and leave the output alone.
TEST(Line3d, ClosestApproachOfSkewLines) {
    const OmLine3d xAxis(OmPoint3d(0, 0, 0), OmPoint3d(1, 0, 0));
    OmPoint3d mid;
    EXPECT_NEAR(xAxis.Intersect(OmLine3d(OmPoint3d(5, 0, 1), OmVector3d(0, 1, 0)), mid), 1.0,
                1e-12);
    ExpectNear(mid, 5, 0, 0.5);
    const double a = 0.5 * kPi / 180.0, b = 2.0 * kPi / 180.0;
    mid = OmPoint3d(7, 7, 7);
    EXPECT_EQ(
        xAxis.Intersect(OmLine3d(OmPoint3d(0, 3, 0), OmVector3d(std::cos(a), std::sin(a), 0)), mid),
        -1.0);
    EXPECT_EQ(OmLine3d(OmPoint3d(2, 2, 2), OmPoint3d(2, 2, 2)).Intersect(xAxis, mid), -1.0);
    ExpectNear(mid, 7, 7, 7);
    EXPECT_NEAR(
        xAxis.Intersect(OmLine3d(OmPoint3d(0, 3, 0), OmVector3d(std::cos(b), std::sin(b), 0)), mid),
        0.0, 1e-9);

    Rng r(17);
    for (int i = 0; i < 300; ++i) {
        const OmLine3d l1(r.Point(), r.Vector());
        const OmLine3d l2(r.Point(), r.Vector());
        const double d = l1.Intersect(l2, mid);
        if (d < 0) continue;
        const OmVector3d d1 = l1.getDirection(), d2 = l2.getDirection();
        const OmVector3d w = l1.getStart() - l2.getStart();
        const double c = d1 * d2, dd = d1 * w, e = d2 * w;
        const double den = 1.0 - c * c;
        const OmPoint3d q1 = l1.Evaluate((c * e - dd) / den), q2 = l2.Evaluate((e - c * dd) / den);
        EXPECT_NEAR(d, q1.Distance(q2), 1e-8);
        ExpectNear(mid, (q1.x() + q2.x()) / 2, (q1.y() + q2.y()) / 2, (q1.z() + q2.z()) / 2, 1e-7);
    }
}

TEST(Plane3d, ConstructionOrientsTowardsOriginAndLinesIntersect) {
    const OmPlane3d p(OmPoint3d(0, 0, 5), OmVector3d(0, 0, 1));
    EXPECT_TRUE(p.GetNorm().z() == -1.0 && p.GetDist() == 5.0);
    ExpectNear(p.Projection(OmPoint3d(3, 4, 9)), 3, 4, 5);
    Rng r(23);
    for (int i = 0; i < 100; ++i) {
        const OmPoint3d q = r.Point();
        const OmVector3d a = r.Vector(), b = r.Vector();
        const OmPlane3d fromNormal(q, r.Vector());
        const OmPlane3d spanned(q, a, b);
        for (const OmPlane3d* pl : {&fromNormal, &spanned}) {
            EXPECT_NEAR(pl->Dist(q), 0.0, 1e-12);
            EXPECT_GE(pl->GetDist(), 0.0);
            EXPECT_NEAR(pl->GetNorm().Norm(), 1.0, 1e-12);
        }
        EXPECT_NEAR(spanned.Dist(q + a), 0.0, 1e-9);
        EXPECT_NEAR(spanned.Dist(q + b * 0.5), 0.0, 1e-9);
    }

    const OmPlane3d z2(OmVector3d(0, 0, 2), -2);  // z = 2, the normal is normalised
    OmPoint3d hit;
    EXPECT_EQ(OmPlane3d().Intersect(OmLine3d(OmPoint3d(), OmPoint3d(0, 0, 1)), hit), 1);
    EXPECT_EQ(z2.Intersect(OmLine3d(OmPoint3d(1, 1, 0), OmPoint3d(2, 2, 1)), hit), 0);
    ExpectNear(hit, 3, 3, 2);
    EXPECT_EQ(z2.Intersect(OmLine3d(OmPoint3d(0, 0, 5), OmPoint3d(0, 0, 6)), hit), 0);  // behind
    ExpectNear(hit, 0, 0, 2);
    EXPECT_EQ(z2.Intersect(OmLine3d(OmPoint3d(0, 0, 5), OmPoint3d(1, 0, 5)), hit), 1);  // parallel
    ExpectNear(hit, 0, 0, 2);
}

TEST(Plane3d, PlanePlaneIntersection) {
    const OmPlane3d z1(OmVector3d(0, 0, 1), -1);  // z = 1
    const OmPlane3d x0(OmVector3d(1, 0, 0), 0);   // x = 0
    OmLine3d l;
    // The line x = 0, z = 1 never reaches z = 0, yet the planes meet.
    ASSERT_EQ(z1.Intersect(x0, l), 0);
    EXPECT_NEAR(std::fabs(l.getDirection().y()), 1.0, 1e-15);
    EXPECT_NEAR(z1.Dist(l.getStart()), 0.0, 1e-15);
    EXPECT_NEAR(x0.Dist(l.getStart()), 0.0, 1e-15);
    EXPECT_EQ(z1.Intersect(OmPlane3d(OmVector3d(0, 0, 1), 5), l), -1);   // parallel
    EXPECT_EQ(z1.Intersect(OmPlane3d(OmVector3d(0, 0, -1), 5), l), -1);  // antiparallel
    EXPECT_EQ(z1.Intersect(OmPlane3d(), l), -1);

    Rng r(29);
    for (int i = 0; i < 300; ++i) {
        const OmPlane3d a(r.Point(), r.Vector()), b(r.Point(), r.Vector());
        ASSERT_EQ(a.Intersect(b, l), 0);
        const double tol = 1e-9 * (1.0 + l.getStart().AsVector().Norm());
        EXPECT_NEAR(a.Dist(l.getStart()), 0.0, tol);
        EXPECT_NEAR(b.Dist(l.getStart()), 0.0, tol);
        EXPECT_NEAR(a.Dist(l.Evaluate(3.0)), 0.0, tol);
        EXPECT_NEAR(b.Dist(l.Evaluate(-2.0)), 0.0, tol);
        EXPECT_NEAR(l.getStart().z(), 0.0, 1e-12);  // the z = 0 point when there is one
    }
}

// Triangle (0,0,0), (4,0,0), (0,4,0): both implementations agree on every ray; edges and
// corners hit, a miss leaves the point alone, a ray in the plane gives 2, a degenerate triangle -1.
TEST(Triangle3d, RayCases) {
    const OmTrinagle3d tri(OmPoint3d(0, 0, 0), OmPoint3d(4, 0, 0), OmPoint3d(0, 4, 0));
    const OmTrinagle3d_uvn uvn(tri);
    const struct {
        double sx, sy, sz, dx, dy, dz;
        int expected;
    } rays[] = {{1, 1, 5, 0, 0, -1, 1},     {2, 0, 5, 0, 0, -1, 1},    {0, 3, 5, 0, 0, -1, 1},
                {2, 2, 5, 0, 0, -1, 1},     {0, 0, 5, 0, 0, -1, 1},    {4, 0, 5, 0, 0, -1, 1},
                {0, 4, 5, 0, 0, -1, 1},     {2.01, 2, 5, 0, 0, -1, 0}, {-0.01, 1, 5, 0, 0, -1, 0},
                {1, -0.01, 5, 0, 0, -1, 0}, {1, 1, -1, 0, 0, -1, 0},   {1, 1, -1, 0, 0, 1, 1},
                {1, 1, 1, 1, 0, 0, 0},      {-1, 1, 0, 1, 0, 0, 2}};
    for (const auto& c : rays) {
        const OmLine3d ray(OmPoint3d(c.sx, c.sy, c.sz), OmVector3d(c.dx, c.dy, c.dz));
        OmPoint3d hit(-7, -7, -7), other;
        double t = 0;
        EXPECT_EQ(tri.Intersect(ray, hit, &t), c.expected) << c.sx << "," << c.sy << "," << c.sz;
        EXPECT_EQ(uvn.Intersect(ray, other, nullptr), c.expected) << c.sx << "," << c.sy;
        if (c.expected == 0) {
            ExpectNear(hit, -7, -7, -7);
        } else if (c.expected == 1) {
            EXPECT_NEAR(hit.Distance(ray.Evaluate(t)), 0.0, 1e-12);
        }
    }
    const OmTrinagle3d line(OmPoint3d(0, 0, 0), OmPoint3d(1, 1, 1), OmPoint3d(2, 2, 2));
    OmPoint3d hit;
    EXPECT_EQ(line.Intersect(OmLine3d(OmPoint3d(1, 0, 5), OmVector3d(0, 0, -1)), hit, nullptr), -1);
    EXPECT_TRUE(OmTrinagle3d_uvn(line).IsDegenerate());
    EXPECT_FALSE(uvn.IsDegenerate());
}

// A ray from s along d passes through triangle (a, b, c) in front of s when the signed volumes of
// (s, s + d) against each edge all have one sign.
TEST(Triangle3d, AgreesWithSignedVolumes) {
    Rng r(31);
    int hits = 0;
    for (int i = 0; i < 3000; ++i) {
        const OmPoint3d a = r.Point(), b = r.Point(), c = r.Point();
        const OmPoint3d s = r.Point();
        // Aim near the triangle (barycentric weights partly outside [0, 1]), sometimes away.
        const OmPoint3d aim = a + (b - a) * (0.05 * r() + 0.3) + (c - a) * (0.05 * r() + 0.3);
        const OmLine3d ray(s, (aim - s) * (i % 5 == 0 ? -1.0 : 1.0));
        const OmVector3d dir = ray.getDirection();
        const auto vol = [&](const OmPoint3d& p, const OmPoint3d& q) {
            return ((p - s) % (q - s)) * dir;
        };
        const double v0 = vol(a, b), v1 = vol(b, c), v2 = vol(c, a);
        const double n = ((b - a) % (c - a)).Norm();
        if (n < 1.0 || std::fabs(v0) < 1e-6 || std::fabs(v1) < 1e-6 || std::fabs(v2) < 1e-6)
            continue;
        const OmPlane3d plane(a, (b - a) % (c - a));
        OmPoint3d onPlane;
        if (plane.Intersect(ray, onPlane) != 0) continue;
        const bool inFront = (onPlane - s) * dir > 1e-9;
        const bool sameSide = (v0 > 0 && v1 > 0 && v2 > 0) || (v0 < 0 && v1 < 0 && v2 < 0);
        OmPoint3d hit;
        double t = -1;
        const int res = OmTrinagle3d(a, b, c).Intersect(ray, hit, &t);
        EXPECT_EQ(res == 1, sameSide && inFront) << i;
        if (res == 1) {
            ++hits;
            EXPECT_NEAR(plane.Dist(hit), 0.0, 1e-8);
        }
    }
    EXPECT_GT(hits, 100);
}

TEST(BoundingBox3d, UpdateExtentsAndOverlap) {
    OmBoundingBox3d b;
    EXPECT_FALSE(b.IsValid());
    b.Update(1, 2, 3);
    EXPECT_TRUE(b.IsValid() && b.GetVol() == 0.0);
    b.Update(OmPoint3d(-1, 6, 4));
    EXPECT_TRUE(b.GetCount() == 2u && b.GetMax() == 4.0 && b.GetMin() == 1.0 && b.GetVol() == 8.0);
    ExpectNear(b.Center(), 0, 4, 3.5);
    EXPECT_TRUE(b.IsInBox(-1, 2, 3) && !b.IsInBox(-1, 2, 2.999) && b.IsInXZ(1, 4));
    const OmBoundingBox3d sorted(OmPoint3d(3, 0, 5), OmPoint3d(1, 2, -5));
    EXPECT_TRUE(sorted.Xmin() == 1.0 && sorted.Zmin() == -5.0 && sorted.Zmax() == 5.0);

    OmBoundingBox3d a(0, 0, 0, 2, 2, 2);
    const OmBoundingBox3d touching(2, 0, 0, 4, 2, 2);
    EXPECT_TRUE(a.Overlap(touching, true) && !a.Overlap(touching, false));
    const OmBoundingBox3d above(0, 0, 3, 2, 2, 4);  // apart in z only
    EXPECT_TRUE(!a.Overlap(above, true) && a.OverlapXY(above, true) && !a.OverlapYZ(above, true));
    EXPECT_FALSE(a.CheckMax(OmBoundingBox3d(0.5, 0.5, 0.5, 1, 1, 1)));
    EXPECT_TRUE(a.CheckMax(OmBoundingBox3d(-1, 0.5, 0.5, 1, 1, 1)));
    OmBoundingBox3d empty;
    a.Union(empty);  // no bound moves
    EXPECT_TRUE(a.Xmin() == 0.0 && a.Xmax() == 2.0);
    empty.Union(touching);
    EXPECT_TRUE(empty.IsValid() && empty.Xmin() == 2.0 && empty.GetCount() == 1u);
}

TEST(AlignedBoundingBox3d, CornersMapBackToWorld) {
    // A rotated and shifted system: every world point fed in lies in the box, corners included.
    const OmAffinMap3d toBox =
        OmAffinMap3d::RotXYZ(0.3, -0.4, 1.2) * OmAffinMap3d::Translate(-5, 2, 1);
    OmAlignedBoundingBox3d box(toBox);
    Rng r(37);
    std::vector<OmPoint3d> pts;
    for (int i = 0; i < 50; ++i) {
        pts.push_back(r.Point());
        box.Update(pts.back());
    }
    for (const OmPoint3d& p : pts) EXPECT_TRUE(box.IsInBox(p));
    for (int i = 0; i < 8; ++i) {
        const OmPoint3d inBox = toBox * box.GetPoint(i);
        EXPECT_NEAR(inBox.x(), (i & 3) == 1 || (i & 3) == 2 ? box.Box().Xmax() : box.Box().Xmin(),
                    1e-9);
        EXPECT_NEAR(inBox.z(), i < 4 ? box.Box().Zmin() : box.Box().Zmax(), 1e-9);
    }
    EXPECT_FALSE(box.IsInBox(OmPoint3d(100, 100, 100)));
    EXPECT_FALSE(box.SetMap(OmAffinMap3d::Scale(1, 0, 1)));  // singular map
}

TEST(CenterPoint3d, RunningMean) {
    OmCenterPoint3d c;
    c.Add(2, 2, 2);
    c.Subtract(5, 5, 5);  // the last point: reset
    EXPECT_EQ(c.GetCount(), 0);
    ExpectNear(c.Point(), 0, 0, 0);

    Rng r(41);
    OmCenterPoint3d a, b;
    double sx = 0, sy = 0, sz = 0;
    for (int i = 0; i < 40; ++i) {
        const OmPoint3d p = r.Point();
        (i < 15 ? a : b).Add(p);
        sx += p.x();
        sy += p.y();
        sz += p.z();
    }
    a.Add(b);
    a.Add(c);  // an empty centre adds nothing
    EXPECT_EQ(a.GetCount(), 40);
    ExpectNear(a.Point(), sx / 40, sy / 40, sz / 40, 1e-12);
}

// A square pyramid looking down -z from (1, 2, 10) through the corners of |x - 1|, |y - 2| <= 1
// at z = 9: at depth h below the apex its cross-section is |x - 1|, |y - 2| <= h.
TEST(SelectVolume3d, MatchesTheConeOfTheSquare) {
    const OmPoint3d apex(1, 2, 10);
    const OmPoint3d corners[4] = {OmPoint3d(0, 1, 9), OmPoint3d(2, 1, 9), OmPoint3d(2, 3, 9),
                                  OmPoint3d(0, 3, 9)};
    const OmPoint3d reversed[4] = {corners[3], corners[2], corners[1], corners[0]};
    Om3dSelectVolume vol, other;
    ASSERT_TRUE(vol.SetPyramid(apex, corners));
    ASSERT_TRUE(other.SetPyramid(apex, reversed));
    EXPECT_FALSE(vol.IsInSelectRange(1, 2, 0));  // selects only while running
    vol.StartPyramid();
    other.StartPyramid();
    EXPECT_TRUE(vol.IsRunning() && vol.IsModePyramid());
    std::mt19937 rng(73);
    std::uniform_real_distribution<double> u(-20, 20);
    int inside = 0;
    for (int i = 0; i < 5000; ++i) {
        const double x = u(rng), y = u(rng), z = u(rng);
        const double h = apex.z() - z;
        if (std::fabs(std::fabs(x - 1) - h) < 1e-9 || std::fabs(std::fabs(y - 2) - h) < 1e-9)
            continue;  // within rounding of a side plane
        const bool expected = h >= 0 && std::fabs(x - 1) <= h && std::fabs(y - 2) <= h;
        EXPECT_EQ(vol.IsInSelectRange(x, y, z), expected) << x << " " << y << " " << z;
        EXPECT_EQ(other.IsInSelectRange(x, y, z), expected);
        inside += expected;
    }
    EXPECT_GT(inside, 100);
    EXPECT_TRUE(vol.IsInSelectRange(2, 3, 9) && vol.IsInSelectRange(1, 2, 10));  // edge, apex
    EXPECT_EQ(vol.GetPoint(4).GetY(), 2.0);                                      // centre
    EXPECT_NEAR(vol.GetFurtherPoint(4).GetZ(), -1.0, 1e-15);                     // axis
    OmPoint p;
    p.Set(1, 2, -100);
    EXPECT_TRUE(vol.IsInSelectRange(p));
    vol.Stop();
    EXPECT_FALSE(vol.IsInSelectRange(p));
}

// Flat, apex-touching or bow-tie corners are refused and the earlier pyramid stays in force.
TEST(SelectVolume3d, DegenerateDefinitionsAreRefused) {
    const OmPoint3d apex(1, 2, 10);
    const OmPoint3d corners[4] = {OmPoint3d(0, 1, 9), OmPoint3d(2, 1, 9), OmPoint3d(2, 3, 9),
                                  OmPoint3d(0, 3, 9)};
    Om3dSelectVolume vol;
    ASSERT_TRUE(vol.SetPyramid(apex, corners));
    vol.StartPyramid();
    const OmPoint3d bad[3][4] = {
        {OmPoint3d(0, 0, 9), OmPoint3d(1, 1, 9), OmPoint3d(2, 2, 9), OmPoint3d(3, 3, 9)},
        {apex, corners[1], corners[2], corners[3]},
        {corners[0], corners[2], corners[1], corners[3]}};
    for (const auto& c : bad) EXPECT_FALSE(vol.SetPyramid(apex, c));
    EXPECT_TRUE(vol.IsInSelectRange(1, 2, 0));
    EXPECT_FALSE(vol.IsInSelectRange(30, 2, 0));
    Om3dSelectVolume undefined;
    undefined.StartPyramid();
    EXPECT_FALSE(undefined.IsInSelectRange(0, 0, 0));
}

}  // namespace
}  // namespace om
