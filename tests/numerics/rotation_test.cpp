#include <om/numerics/affin_map3d.h>
#include <om/numerics/matrix.h>

#include <cmath>
#include <numbers>

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

TEST(Rotation, ElementaryRotationsTurnTheAxesCounterClockwise) {
    const double a = kPi / 2;
    OmMatrix r(3, 3);
    EXPECT_NEAR((r.RotZAxis(a) * OmVector(1.0, 0.0, 0.0))[2], 1.0, 1e-15);  // x to y
    EXPECT_NEAR((r.RotXAxis(a) * OmVector(0.0, 1.0, 0.0))[3], 1.0, 1e-15);  // y to z
    EXPECT_NEAR((r.RotYAxis(a) * OmVector(0.0, 0.0, 1.0))[1], 1.0, 1e-15);  // z to x

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

TEST(Rotation, MakeRotMatrixIsRyRxRz) {
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
            }
        }
    }
}

// The affine map's composed rotation is an independent implementation of the same elementary
// rotations.
TEST(Rotation, AffineRotXYZIsComposedElementaryRotations) {
    for (double a = -3.0; a <= 3.0; a += 0.8) {
        for (double b = -1.5; b <= 1.5; b += 0.6) {
            for (double c = -3.0; c <= 3.0; c += 1.1) {
                OmMatrix rx(3, 3), ry(3, 3), rz(3, 3);
                rx.RotXAxis(a);
                ry.RotYAxis(b);
                rz.RotZAxis(c);
                const OmMatrix composed = rz * ry * rx;
                const OmAffinMap3d map = OmAffinMap3d::RotXYZ(a, b, c);
                for (int i = 0; i < 3; ++i) {
                    for (int j = 0; j < 3; ++j)
                        EXPECT_NEAR(map[i][j], composed.GetElemZeroIndex(i, j), 1e-15);
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

TEST(Rotation, GetRotAnglesAtThePolesStaysFiniteAndReproducesTheMatrix) {
    for (double sign : {-1.0, 1.0}) {
        OmMatrix r(3, 3);
        r.MakeRotMatrix(0.4, sign * kPi / 2, -0.7);
        // Rounding may push |m23| past 1, which an unclamped asin turns into NaN.
        r[2][3] = -sign * (1.0 + 1e-15);
        double a2 = 0, a1 = 0, a3 = 0;
        r.GetRotAngles(&a2, &a1, &a3);
        ASSERT_TRUE(std::isfinite(a1) && std::isfinite(a2) && std::isfinite(a3));
        EXPECT_NEAR(a2, sign * kPi / 2, 1e-7);
    }
    // A matrix too small for angles gives zeros.
    double a = 9, b = 9, c = 9;
    OmMatrix(2, 2).GetRotAngles(&a, &b, &c);
    EXPECT_EQ(a + b + c, 0.0);
}

TEST(Rotation, FrameFromThreePoints) {
    OmVector p0(1.0, 1.0, 1.0), p1(3.0, 1.0, 1.0), p2(2.0, 4.0, 1.0);
    OmMatrix r(3, 3);
    bool ok = false;
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
    const OmVector edge = q1 - q0;
    EXPECT_NEAR(u * edge, edge.Abs(), 1e-14);
    EXPECT_NEAR(w * (q2 - q0), 0.0, 1e-14);
}

TEST(Rotation, DegenerateFramesLeaveTheMatrix) {
    OmMatrix r(3, 3);
    r.MakeRotMatrix(0.1, 0.2, 0.3);
    const OmMatrix before = r;
    OmVector a(1.0, 2.0, 3.0), b(2.0, 4.0, 6.0), c(3.0, 6.0, 9.0);
    bool ok = true;
    r.MakeRotMatrix(a, a, b, &ok);  // coincident points
    EXPECT_FALSE(ok);
    ok = true;
    OmVector far(1.0 + 1e6, 2.0 + 2e6, 3.0 + 3e6 + 1e-12);
    r.MakeRotMatrix(a, b, far, &ok);  // collinear up to rounding
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

}  // namespace
}  // namespace om
