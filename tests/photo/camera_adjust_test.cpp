// Distortion correction of the four camera models, checked against values worked out by hand
// and against an independent solution of the CAP model's implicit equation; and the table-based
// inverse checked by round trips.
#include <om/photo/camera.h>

#include <algorithm>
#include <cmath>
#include <random>

#include <om/sys/debug_output.h>

#include <gtest/gtest.h>

#include "camera_test_util.h"
#include "photo/inv_adjust_registry.h"

namespace om {
namespace {

class CameraAdjust : public ::testing::Test {
  protected:
    void SetUp() override { OmCamera::DeleteInvAdjustTables(); }
    void TearDown() override { OmCamera::DeleteInvAdjustTables(); }
};

// Principal point (1, 2), a1 = 1e-3, a2 = 1e-6, r0 = 10. The point (4, 6) reduces to (3, 4),
// r = 5: dr = 1e-3 (25 - 100) + 1e-6 (625 - 10000) = -0.084375, so the corrected point is
// (3, 4) * 1.084375. Viva reduces to (0.5, 0.5) instead: (3.5, 5.5) * 1.084375. A point at the
// balancing radius is only reduced.
TEST_F(CameraAdjust, OmriAndVivaModelsMatchHandComputation) {
    auto adjusted = [](OmCamera const& cam, double x, double y) {
        EXPECT_TRUE(cam.Adjust(&x, &y));
        return std::pair{x, y};
    };
    OmCamera cam(1, 50.0, 1.0, 2.0, 1e-3, 1e-6, 10.0);
    auto [ox, oy] = adjusted(cam, 4.0, 6.0);
    EXPECT_NEAR(ox, 3.253125, 1e-14);
    EXPECT_NEAR(oy, 4.3375, 1e-14);
    cam.SetMode(OmCamera::kModeViva);
    cam.SetXhViva(0.5);
    cam.SetYhViva(0.5);
    auto [vx, vy] = adjusted(cam, 4.0, 6.0);
    EXPECT_NEAR(vx, 3.7953125, 1e-14);
    EXPECT_NEAR(vy, 5.9640625, 1e-14);
    auto [bx, by] = adjusted(OmCamera(1, 50.0, 0.25, -0.5, 3e-4, -2e-7, 10.0), 6.25, 7.5);
    EXPECT_NEAR(bx, 6.0, 1e-14);
    EXPECT_NEAR(by, 8.0, 1e-14);
}

OmCamera CapCamera() {
    OmCamera cam(7, 35.0, 0.12, -0.08, -2e-4, 4e-7, 9.0, "cap");
    cam.SetMode(OmCamera::kModeCap);
    cam.SetA3(-3e-10);
    cam.SetC1(1.5e-5);
    cam.SetC2(-2e-5);
    cam.SetB1(1e-4);
    cam.SetB2(-6e-5);
    cam.SetRm(18.0);
    return cam;
}

// The CAP correction vector, written out from the model's definition.
void CapD(const OmCamera& cam, double x, double y, double* dx, double* dy) {
    const double r2 = x * x + y * y, r = std::sqrt(r2), q2 = cam.GetR0() * cam.GetR0();
    const double radial = r == 0.0 ? 0.0
                                   : cam.GetA1() * (r2 - q2) + cam.GetA2() * (r2 * r2 - q2 * q2) +
                                         cam.GetA3() * (r2 * r2 * r2 - q2 * q2 * q2);
    const double tx = cam.GetC1() * (2 * x * x + r2) + 2 * cam.GetC2() * x * y;
    const double ty = cam.GetC2() * (2 * y * y + r2) + 2 * cam.GetC1() * x * y;
    const double aff = (cam.GetB1() * x + cam.GetB2() * y) / (r == 0.0 ? 1.0 : r);
    *dx = -(x * radial + tx + x * aff);
    *dy = -(y * radial + ty + y * aff);
}

// Newton's method on F(c) = c - p' - D(c) with a finite-difference Jacobian: an independent
// solution of the implicit equation the CAP iteration approximates.
void SolveCapByNewton(const OmCamera& cam, double px, double py, double* cx, double* cy) {
    double x = px, y = py;
    for (int n = 0; n < 50; ++n) {
        double dx, dy;
        CapD(cam, x, y, &dx, &dy);
        const double fx = x - px - dx, fy = y - py - dy;
        const double h = 1e-6;
        double ax, ay, bx, by;
        CapD(cam, x + h, y, &ax, &ay);
        CapD(cam, x, y + h, &bx, &by);
        const double j11 = 1 - (ax - dx) / h, j21 = -(ay - dy) / h;
        const double j12 = -(bx - dx) / h, j22 = 1 - (by - dy) / h;
        const double det = j11 * j22 - j12 * j21;
        x -= (j22 * fx - j12 * fy) / det;
        y -= (-j21 * fx + j11 * fy) / det;
        if (std::hypot(fx, fy) < 1e-15) break;
    }
    *cx = x;
    *cy = y;
}

// The corrected point c must satisfy c = p' + D(c) (p' the measurement reduced to the principal
// point). The iteration stops once the squared correction length changes by at most 1e-4 mm^2,
// which leaves residuals of a few micrometres: bounded here, and checked against Newton's method.
TEST_F(CameraAdjust, CapResultSatisfiesTheImplicitEquation) {
    OmCamera cam = CapCamera();
    double worstResidual = 0.0, worstToNewton = 0.0;
    auto check = [&cam, &worstResidual, &worstToNewton](double range, double step) {
        for (double x = -range; x <= range; x += step) {
            for (double y = -range; y <= range; y += step) {
                double cx = x, cy = y;
                ASSERT_TRUE(cam.Adjust(&cx, &cy));
                const double px = x - cam.GetXh(), py = y - cam.GetYh();
                double dx, dy, nx, ny;
                CapD(cam, cx, cy, &dx, &dy);
                const double residual = std::hypot(cx - px - dx, cy - py - dy);
                SolveCapByNewton(cam, px, py, &nx, &ny);
                worstResidual = std::max(worstResidual, residual);
                worstToNewton = std::max(worstToNewton, std::hypot(cx - nx, cy - ny));
            }
        }
    };
    check(17.0, 0.5);
    EXPECT_LT(worstResidual, 3e-3);  // measured 2.66e-3 mm
    EXPECT_LT(worstToNewton, 3e-3);  // measured 2.78e-3 mm

    // A small distortion passes the stopping rule at the first step with a far smaller residual.
    cam.SetA1(-2e-6);
    cam.SetA2(0.0);
    cam.SetA3(0.0);
    worstToNewton = 0.0;
    check(15.0, 1.0);
    EXPECT_LT(worstToNewton, 3e-4);  // measured 1.55e-4 mm

    // A distortion too strong for the fixed point still ends (step limit or divergence stop) with
    // finite coordinates.
    cam = CapCamera();
    cam.SetA1(-1.5e-3);
    double x = 15.0, y = 15.0;
    EXPECT_TRUE(cam.Adjust(&x, &y));
    EXPECT_TRUE(std::isfinite(x) && std::isfinite(y));
}

// Identifier 0 corrects nothing either way; a pinhole camera fails Adjust but inverts trivially.
// Neither builds a table.
TEST_F(CameraAdjust, IdentifierZeroAndPinholeLeavePointsUnchanged) {
    OmCamera none(0, 50.0, 1.0, 1.0, 1e-4, 0.0, 10.0);
    OmCamera pinhole(2, 50.0, 1.0, 1.0, 1e-4, 0.0, 10.0);
    pinhole.SetPinholeCamera();
    for (OmCamera* cam : {&none, &pinhole}) {
        double x = 3.0, y = 4.0;
        EXPECT_FALSE(cam->Adjust(&x, &y));
        EXPECT_EQ(cam->InvAdjust(&x, &y), cam == &pinhole);
        EXPECT_TRUE(x == 3.0 && y == 4.0);
    }
    EXPECT_EQ(OmInvAdjustRegistry::Count(), 0u);
}

TEST_F(CameraAdjust, UnknownModeIsRejectedByAdjustAndInvertedByIteration) {
    OmCamera omri(3, 50.0, 0.2, -0.1, 2e-4, -1e-7, 8.0);
    OmCamera odd(omri);
    odd.SetMode(9);
    double x = 5.0, y = -7.0;
    EXPECT_FALSE(odd.Adjust(&x, &y));
    EXPECT_EQ(x, 5.0);
    // The mode-0 formula is inverted: mode-0 Adjust of the result gives the input back.
    double cx = 5.0, cy = -7.0;
    ASSERT_TRUE(odd.InvAdjust(&cx, &cy));
    ASSERT_TRUE(omri.Adjust(&cx, &cy));
    EXPECT_NEAR(cx, 5.0, 1e-7);
    EXPECT_NEAR(cy, -7.0, 1e-7);
}

// Adjusts random measured points whose corrected image stays inside the table, inverts them and
// returns the largest difference to the measurement.
double WorstRoundTrip(OmCamera cam, double measuredRange, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(-measuredRange, measuredRange);
    double worst = 0.0;
    for (int k = 0; k < 4000; ++k) {
        const double px = u(rng), py = u(rng);
        double x = px, y = py;
        EXPECT_TRUE(cam.Adjust(&x, &y));
        if (!cam.InvAdjust(&x, &y)) ADD_FAILURE() << "not found: " << px << " " << py;
        worst = std::max({worst, std::fabs(x - px), std::fabs(y - py)});
    }
    return worst;
}

// Linear interpolation on each axis alone ignores how x varies across a cell in y; with a cell of
// 2R/780 that error stays at a few micrometres (measured: Omri 3.2 um over -27..27 mm, Viva
// 1.5 um, CAP below 2 um).
TEST_F(CameraAdjust, InvAdjustRoundTripsForEveryModel) {
    OmCamera omri(1, 50.0, 0.3, -0.2, 8e-5, -4e-8, 12.0);  // rm 0: table spans -30..30
    EXPECT_LT(WorstRoundTrip(omri, 27.0, 11), 4e-3) << "Omri";
    OmCamera viva(2, 8.0, 0.03, -0.01, 1e-3, -2e-6, 3.0);
    viva.SetTs15(3.5, 0.02, -0.015);
    EXPECT_TRUE(viva.IsTs15() && viva.GetRm() == 8.0 && viva.GetCViva() == 8.0);
    EXPECT_LT(WorstRoundTrip(viva, 7.5, 12), 2e-3) << "Viva";
    EXPECT_LT(WorstRoundTrip(CapCamera(), 17.0, 13), 2e-3) << "CAP";
}

TEST_F(CameraAdjust, InvAdjustOutsideTheTableIsNotFound) {
    OmCamera cam(1, 50.0, 0.0, 0.0, 1e-5, 0.0, 10.0);  // rm 0: R = 30
    for (auto [x0, y0] : {std::pair{30.0, 0.0}, {0.0, -30.0}, {31.0, 31.0}}) {
        double x = x0, y = y0;
        EXPECT_FALSE(cam.InvAdjust(&x, &y));
        EXPECT_TRUE(x == x0 && y == y0);
    }
    double x = 29.9, y = 0.0;
    EXPECT_TRUE(cam.InvAdjust(&x, &y));
    OmCamera cap = CapCamera();
    cap.SetRm(0.0);  // CAP without an extent: nothing is found
    x = y = 1.0;
    EXPECT_FALSE(cap.InvAdjust(&x, &y));
    EXPECT_EQ(x, 1.0);
}

// Every value that changes Adjust is part of the table's key: a camera changed in any of them
// (under the same identifier) must never keep using the table of its old parameters.
TEST_F(CameraAdjust, EveryChangedValueGetsAFreshTable) {
    const OmCamera base = CapCamera();
    auto invert = [](OmCamera cam) {
        double x = 10.0, y = -6.0;
        EXPECT_TRUE(cam.InvAdjust(&x, &y));
        return std::pair{x, y};
    };
    invert(base);
    std::size_t tables = 1;
    for (const testing_camera::Parameter& p : testing_camera::kParameters) {
        if (std::string_view(p.name) == "cViva") continue;  // not used by Adjust
        OmCamera cam(base);
        const double v = (base.*p.get)();
        (cam.*p.set)(v == 0.0 ? 0.01 : v * 1.01);
        invert(cam);
        EXPECT_EQ(OmInvAdjustRegistry::Count(), ++tables) << p.name;
    }
    OmCamera other(base);
    other.SetId(8);
    invert(other);
    other.SetMode(OmCamera::kModeOmri);
    invert(other);
    EXPECT_EQ(OmInvAdjustRegistry::Count(), tables + 2);
    invert(OmCamera(base));  // equal parameters share one table
    EXPECT_EQ(OmInvAdjustRegistry::Count(), tables + 2);

    // A changed distortion gives an inverse that Adjust maps back.
    OmCamera cam(base);
    cam.SetA1(-base.GetA1());
    auto [x, y] = invert(cam);
    ASSERT_TRUE(cam.Adjust(&x, &y));
    EXPECT_NEAR(x, 10.0, 2e-3);
    EXPECT_NEAR(y, -6.0, 2e-3);
    OmCamera::DeleteInvAdjustTables();
    EXPECT_EQ(OmInvAdjustRegistry::Count(), 0u);
}

TEST_F(CameraAdjust, SelfTestReportsTheLargestRoundTripDifference) {
    OmCamera cam(1, 50.0, 0.0, 0.0, 8e-5, 0.0, 6.0);
    cam.SetRm(10.0);
    const OmInvAdjustTestResult r = cam.DbgTestInvAdjust(99.0);  // rm wins over the argument
    EXPECT_EQ(r.points, 40 * 40);
    EXPECT_LT(r.maxDiffX, 2e-3);
    EXPECT_LT(r.maxDiffY, 2e-3);
    EXPECT_EQ(cam.DbgTestInvAdjust(0.0).points, 40 * 40);  // rm still sets the range
    EXPECT_EQ(r.notFound, 0);
    EXPECT_EQ(r.maxFoundDiffX, r.maxDiffX);
    // Without a range only the summary line is printed, no table head.
    OmCamera noRm(1, 50.0);
    std::string printed;
    sys::NarrowDebugSink const previous =
        sys::SetNarrowDebugSink([&printed](std::string_view text) { printed.append(text); });
    EXPECT_EQ(noRm.DbgTestInvAdjust(-1.0).points, 0);
    sys::SetNarrowDebugSink(previous);
    EXPECT_EQ(printed.find("Valid"), std::string::npos) << printed;
    EXPECT_FALSE(printed.empty());
    // Barrel distortion pushes corrected corners out of the table: those points keep their whole
    // correction as difference, which the maximum over all points shows.
    OmCamera barrel(2, 50.0, 0.0, 0.0, -3e-4, 0.0, 4.0);
    barrel.SetRm(10.0);
    const OmInvAdjustTestResult b = barrel.DbgTestInvAdjust(0.0);
    EXPECT_GT(b.notFound, 0);
    EXPECT_LT(b.maxFoundDiffX, 2e-3);
    EXPECT_GT(b.maxDiffX, 0.1);
}

// The last result answers a repeated request only while the camera is unchanged.
TEST(CameraInvAdjustCache, RepeatedPointFollowsParameterChanges) {
    OmCamera::DeleteInvAdjustTables();
    OmCamera cam(5, 50.0, 0.0, 0.0, 1e-4, 0.0, 10.0);
    double x = 12.0, y = -3.0;
    ASSERT_TRUE(cam.InvAdjust(&x, &y));
    double inX, inY, outX, outY;
    ASSERT_TRUE(cam.GetLastInvAdjust(&inX, &inY, &outX, &outY));
    EXPECT_TRUE(inX == 12.0 && inY == -3.0 && outX == x && outY == y);
    cam.SetXh(0.5);  // a changed principal point must not be answered from the old result
    double moved = 12.0, movedY = -3.0;
    ASSERT_TRUE(cam.InvAdjust(&moved, &movedY));
    EXPECT_NEAR(moved, x + 0.5, 1e-3);
    // Copies and assignment start without a last result.
    EXPECT_FALSE(OmCamera(cam).GetLastInvAdjust(nullptr, nullptr, nullptr, nullptr));
    OmCamera assigned;
    assigned = cam;
    EXPECT_FALSE(assigned.GetLastInvAdjust(nullptr, nullptr, nullptr, nullptr));
    OmCamera::DeleteInvAdjustTables();
}

}  // namespace
}  // namespace om
