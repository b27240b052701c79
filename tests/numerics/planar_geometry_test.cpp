// Planar primitives: vectors, lines, faces, boxes, angle normalisation and orientation.
#include <cmath>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include <om/numerics/bounding_box2d.h>
#include <om/numerics/face2d.h>
#include <om/numerics/int_bounding_box2d.h>
#include <om/numerics/line2d.h>
#include <om/numerics/matrix2d.h>
#include <om/numerics/planar_functions.h>
#include <om/numerics/point3d.h>

namespace om {
namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(Vector2d, RotationsAgreeWithComplexArithmetic) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-10.0, 10.0);
    for (int i = 0; i < 200; ++i) {
        const OmVector2d v(u(rng), u(rng));
        const double a = u(rng);
        OmVector2d r = v;
        r.rotateBy(a);
        // Rotation keeps the length and adds the angle.
        EXPECT_NEAR(r.length(), v.length(), 1e-12);
        const double turned = std::remainder(r.angle() - v.angle() - a, 2 * kPi);
        EXPECT_NEAR(turned, 0.0, 1e-9);
        // rotateBy(vector) is a complex product: lengths multiply.
        const OmVector2d w(u(rng), u(rng));
        OmVector2d c = v;
        c.rotateBy(w);
        EXPECT_NEAR(c.length(), v.length() * w.length(), 1e-9);
    }
    EXPECT_NEAR(OmVector2d(kPi / 2).y, 1.0, 1e-15);
    EXPECT_EQ(OmVector2d(1, 0).perpVector().y, 1.0);
    // Equality has a tolerance of five microns; a zero vector normalises to zero, not NaN.
    EXPECT_TRUE(OmVector2d(1, 2) == OmVector2d(1.000009, 2.0));
    EXPECT_TRUE(OmPoint2d(3, 4) != OmPoint2d(3, 4.00002));
    EXPECT_TRUE(OmVector2d().normal().x == 0.0 && OmVector2d(3, 4).normal().isUnitLength(1e-12));
    // Rounding can push the cosine of parallel vectors just past +-1; no NaN.
    const OmVector2d a(0.1, 0.7);
    EXPECT_NEAR(a.angleTo(a * 3.0), 0.0, 1e-7);
    EXPECT_NEAR(a.angleTo(a * -3.0), kPi, 1e-7);
}

TEST(Vector2d, MirrorIsAnInvolutionAndFixesTheLine) {
    const OmLine2d l(1, 1, 4, 3);
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> u(-20.0, 20.0);
    for (int i = 0; i < 100; ++i) {
        const OmVector2d p(u(rng), u(rng));
        OmVector2d m = p;
        m.mirror(l);
        // The line is the perpendicular bisector of p and its image.
        double perpP = 0, perpM = 0;
        const double alongP = l.DistanceFromP1(OmPoint2d(p.x, p.y), &perpP);
        const double alongM = l.DistanceFromP1(OmPoint2d(m.x, m.y), &perpM);
        EXPECT_NEAR(alongP, alongM, 1e-9);
        EXPECT_NEAR(perpP, -perpM, 1e-9);
        m.mirror(l);
        EXPECT_NEAR(m.x, p.x, 1e-9);
        EXPECT_NEAR(m.y, p.y, 1e-9);
    }
    OmVector2d q(5, 7);
    q.mirror(OmLine2d(2, 2, 2, 2.000001));  // too short to define a direction
    EXPECT_TRUE(q.x == 5.0 && q.y == 7.0);
    // Parallel and perpendicular tests ignore the sign.
    EXPECT_TRUE(OmVector2d(1, 0).isParallelTo(OmVector2d(-2, 0), 1e-9));
    EXPECT_FALSE(OmVector2d(1, 0).isParallelTo(OmVector2d(0, -1), 1e-9));  // cross = -1
    EXPECT_TRUE(OmVector2d(1, 0).isPerpendicularTo(OmVector2d(0, -3), 1e-9));
    EXPECT_FALSE(OmVector2d(1, 0).isPerpendicularTo(OmVector2d(-1, 0), 1e-9));  // dot = -1
}

TEST(Line2d, DistancesAndIntersectionOfInfiniteLines) {
    const OmLine2d up(1, 1, 1, 5);
    double perp = 0;
    EXPECT_DOUBLE_EQ(up.DistanceFromP1(3.0, -1.0, &perp), -2.0);  // along, then left positive
    EXPECT_DOUBLE_EQ(perp, -2.0);
    EXPECT_EQ(up[7].y, 5.0);  // any index but 0 is the end
    OmPoint2d p(-9, -9);
    EXPECT_FALSE(OmLine2d(0, 0, 1, 0).interSect(OmLine2d(0, 1, 5, 1), p));
    EXPECT_EQ(p.x, -9.0);  // untouched
    EXPECT_FALSE(OmLine2d(0, 0, 0, 0).interSect(OmLine2d(0, 1, 5, 1), p));
    // Random lines (both segments ending before the crossing) through a common point find it again.
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> u(-50.0, 50.0);
    for (int i = 0; i < 200; ++i) {
        const OmPoint2d c(u(rng), u(rng));
        const OmVector2d d1(u(rng), u(rng)), d2(u(rng), u(rng));
        if (std::fabs(d1.normal().crossProduct(d2.normal())) < 0.05) continue;
        const OmLine2d a(c + d1 * 0.3, c + d1 * 1.3);
        const OmLine2d b(c - d2 * 2.0, c - d2 * 0.5);
        ASSERT_TRUE(a.interSect(b, p));
        EXPECT_NEAR(p.x, c.x, 1e-9);
        EXPECT_NEAR(p.y, c.y, 1e-9);
    }
}

TEST(Face2d, InsideAgreesWithEdgeOrientation) {
    const OmFace2d t(OmVector2d(0, 0), OmVector2d(4, 0), OmVector2d(0, 4));
    const OmFace2d q(OmVector2d(0, 0), OmVector2d(4, 0), OmVector2d(4, 4), OmVector2d(0, 4));
    EXPECT_TRUE(t.isTriangle() && !q.isTriangle());
    // Corners, edges and the quad's splitting diagonal are inside.
    for (const OmVector2d p : {OmVector2d(0, 0), OmVector2d(4, 0), OmVector2d(0, 4),
                               OmVector2d(2, 0), OmVector2d(2, 2), OmVector2d(0, 1)})
        EXPECT_TRUE(t.isInside(p) && q.isInside(p)) << p.x << "," << p.y;
    EXPECT_TRUE(q.isInside(OmVector2d(3, 1)) && q.isInside(OmVector2d(1, 3)));
    for (const OmVector2d p : {OmVector2d(2.01, 2), OmVector2d(-0.01, 1), OmVector2d(1, -1e-9)})
        EXPECT_FALSE(t.isInside(p)) << p.x << "," << p.y;
    EXPECT_FALSE(q.isInside(OmVector2d(4.5, 2)));
    EXPECT_FALSE(OmFace2d().isInside(OmVector2d(0, 0)));
    const OmVector2d one(1, 1);
    EXPECT_FALSE(OmFace2d(OmVector2d(0, 0), one, OmVector2d(2, 2)).isInside(one));
    EXPECT_FALSE(OmFace2d(one, one, one).isInside(one));

    // A point is in a counter-clockwise triangle when it is on the left of every edge.
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> u(-10.0, 10.0);
    for (int i = 0; i < 500; ++i) {
        OmVector2d a(u(rng), u(rng)), b(u(rng), u(rng)), c(u(rng), u(rng));
        const double area = (b - a).crossProduct(c - a);
        if (std::fabs(area) < 1.0) continue;
        if (area < 0) std::swap(b, c);
        const OmVector2d p(u(rng), u(rng));
        const double e0 = (b - a).crossProduct(p - a), e1 = (c - b).crossProduct(p - b),
                     e2 = (a - c).crossProduct(p - c);
        if (std::fabs(e0) < 1e-6 || std::fabs(e1) < 1e-6 || std::fabs(e2) < 1e-6) continue;
        EXPECT_EQ(OmFace2d(a, b, c).isInside(p), e0 > 0 && e1 > 0 && e2 > 0);
    }
}

TEST(BoundingBox2d, UpdatesAndOverlapMatchIntervals) {
    OmBoundingBox2d box;
    box.Adjust(1, 1, 1, 1);  // an empty box stays empty
    EXPECT_FALSE(box.IsValid());
    box.Update(3, -2);
    EXPECT_TRUE(box.IsValid() && box.GetWidth() == 0.0);
    box.Update(-1, 5);
    box.Adjust(-1, 2, -3, 4);
    EXPECT_TRUE(box.Xmin() == -2.0 && box.Xmax() == 5.0 && box.Ymin() == -5.0 && box.Ymax() == 9.0);
    EXPECT_TRUE(box.Overlap(5.0, 0.0, true) && !box.Overlap(5.0, 0.0, false));
    const OmBoundingBox2d sorted(4, 3, 1, 2);
    EXPECT_TRUE(sorted.Xmin() == 1.0 && sorted.Ymax() == 3.0);

    std::mt19937 rng(9);
    std::uniform_int_distribution<int> u(-5, 5);
    for (int i = 0; i < 2000; ++i) {
        const OmBoundingBox2d a(u(rng), u(rng), u(rng), u(rng));
        const OmBoundingBox2d b(u(rng), u(rng), u(rng), u(rng));
        const bool inc = i % 2 == 0;
        // A zero-width interval strictly inside another overlaps it by the lo/hi rule even when
        // borders do not count; the min/max oracle below disagrees there, so leave those out.
        if (!inc &&
            (a.GetWidth() == 0 || a.GetHeight() == 0 || b.GetWidth() == 0 || b.GetHeight() == 0))
            continue;
        const auto axis = [inc](double lo1, double hi1, double lo2, double hi2) {
            return inc ? std::max(lo1, lo2) <= std::min(hi1, hi2)
                       : std::max(lo1, lo2) < std::min(hi1, hi2);
        };
        const bool expect = axis(a.Xmin(), a.Xmax(), b.Xmin(), b.Xmax()) &&
                            axis(a.Ymin(), a.Ymax(), b.Ymin(), b.Ymax());
        EXPECT_EQ(a.Overlap(b, inc), expect);
        EXPECT_EQ(b.Overlap(a, inc), expect);
    }
}

TEST(IntBoundingBox2d, SentinelsSizesAndSaturation) {
    OmIntBoundingBox2d b;
    EXPECT_FALSE(b.IsValid());
    EXPECT_EQ(b.GetWidth(), std::numeric_limits<int>::min());  // no signed overflow
    b.Update(10, 20);
    b.Update(13, 24);
    EXPECT_TRUE(b.GetXSize() == 3 && b.GetYSize() == 4);  // no +1
    EXPECT_TRUE(b.Overlap(13, 22, true) && !b.Overlap(13, 22, false));
    const OmIntBoundingBox2d huge(-2000000000, 0, 2000000000, 1);
    EXPECT_EQ(huge.GetWidth(), std::numeric_limits<int>::max());
    OmIntBoundingBox2d edge(0, 0, 1, 1);
    edge.Adjust(0, std::numeric_limits<int>::max(), 0, 0);
    EXPECT_EQ(edge.Xmax(), std::numeric_limits<int>::max());
}

TEST(Matrix2d, ElementAccessWorksAndAlgebraKeepsPlaceholders) {
    OmMatrix2d m;
    m(0, 0) = 2.0;
    m(0, 1) = -1.0;
    m(1, 0) = 3.0;
    m(0, 2) = 100.0;  // translation is not applied to vectors
    OmVector2d v(1, 2);
    v.transformBy(m);
    EXPECT_TRUE(v.x == 0.0 && v.y == 5.0);
    // The transformation algebra is a fixed placeholder.
    OmMatrix2d p = m;
    p.invert().transposeIt().setToRotation(1.0);
    EXPECT_TRUE(p(0, 2) == 100.0 && m.inverse()(0, 2) == 0.0);
    EXPECT_TRUE(OmMatrix2d::rotation(1.0)(0, 1) == 0.0 && m.det() == 0.0 && m.isSingular());
    EXPECT_TRUE(m == OmMatrix2d() && !(m != OmMatrix2d()));
    OmPoint2d pt(1, 2);
    pt.transformBy(m).rotateBy(1.0, OmPoint2d()).setToSum(OmPoint2d(5, 5), OmVector2d(1, 1));
    EXPECT_TRUE(pt.x == 1.0 && pt.y == 2.0);
}

TEST(NormAngle, BringsAnglesIntoOneTurn) {
    const double twoPi = 6.283185307179586;
    EXPECT_DOUBLE_EQ(NormAngle(-0.1), twoPi - 0.1);
    EXPECT_DOUBLE_EQ(NormAngle(7.0), 7.0 - twoPi);
    EXPECT_EQ(NormAngle(twoPi), twoPi);
    EXPECT_EQ(NormAngle(0.0), 0.0);
    // Infinite, NaN and huge inputs terminate.
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(NormAngle(inf), inf);
    EXPECT_EQ(NormAngle(-inf), -inf);
    EXPECT_TRUE(std::isnan(NormAngle(std::nan(""))));
    for (const double big : {1e300, -1e300, 1e17, -123456789.0, 1e6}) {
        const double r = NormAngle(big);
        EXPECT_GE(r, 0.0) << big;
        EXPECT_LE(r, 6.283185307179586) << big;
        EXPECT_NEAR(std::sin(r), std::sin(std::fmod(big, 6.283185307179586)), 1e-6) << big;
    }
}

TEST(CounterClockwise, TurnsAndCollinearOrder) {
    // {x1, y1, x2, y2, expected} with the first point at the origin; z is ignored.
    const double cases[][5] = {{1, 0, 2, 0, 1},  {2, 0, 1, 0, 0},   {1, 0, -1, 0, -1},
                               {1, 0, 1, 1, 1},  {1, 0, 1, -1, -1}, {0, 0, 0, 0, 0},
                               {0, 1, 0, -3, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(CounterClockwise(OmPoint3d(0, 0, 9), OmPoint3d(c[0], c[1], -4),
                                   OmPoint3d(c[2], c[3], 0)),
                  c[4])
            << c[0] << "," << c[1] << " " << c[2] << "," << c[3];
}

}  // namespace
}  // namespace om
