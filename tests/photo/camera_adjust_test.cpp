// Distortion correction of the four camera models, checked by hand and against an independent
// solution of the CAP model's implicit equation; the table-based inverse on its own with mappings
// whose inverse is known, and through the camera by round trips.
#include <om/photo/camera.h>
#include <om/photo/inv_adjust_table.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include <gtest/gtest.h>
#include <om/points/point.h>
#include <om/points/point_list.h>

#include "camera_test_util.h"
#include "photo/inv_adjust_registry.h"

namespace om {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class CameraAdjust : public ::testing::Test {
  protected:
    void SetUp() override { OmCamera::DeleteInvAdjustTables(); }
    void TearDown() override { OmCamera::DeleteInvAdjustTables(); }
};

std::pair<double, double> Adjusted(OmCamera const& cam, double x, double y) {
    EXPECT_TRUE(cam.Adjust(&x, &y));
    return {x, y};
}

// Principal point (1, 2), a1 = 1e-3, a2 = 1e-6, r0 = 10. The point (4, 6) reduces to (3, 4),
// r = 5: dr = 1e-3 (25 - 100) + 1e-6 (625 - 10000) = -0.084375, so the corrected point is
// (3, 4) * 1.084375. Viva reduces to (0.5, 0.5) instead: (3.5, 5.5) * 1.084375.
TEST_F(CameraAdjust, OmriAndVivaModelsMatchHandComputation) {
    OmCamera cam(1, 50.0, 1.0, 2.0, 1e-3, 1e-6, 10.0);
    auto [ox, oy] = Adjusted(cam, 4.0, 6.0);
    EXPECT_TRUE(std::fabs(ox - 3.253125) < 1e-14 && std::fabs(oy - 4.3375) < 1e-14);
    cam.SetMode(OmCamera::kModeViva);
    cam.SetXhViva(0.5);
    cam.SetYhViva(0.5);
    auto [vx, vy] = Adjusted(cam, 4.0, 6.0);
    EXPECT_TRUE(std::fabs(vx - 3.7953125) < 1e-14 && std::fabs(vy - 5.9640625) < 1e-14);
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

// The corrected point c must satisfy c = p' + D(c) (p' the measurement reduced to the principal
// point). The iteration stops once the squared correction length changes by at most 1e-4 mm^2,
// which leaves residuals of a few micrometres.
TEST_F(CameraAdjust, CapResultSatisfiesTheImplicitEquation) {
    OmCamera cam = CapCamera();
    auto worst = [&cam](double range, double step) {
        double w = 0.0, dx, dy;
        for (double x = -range; x <= range; x += step) {
            for (double y = -range; y <= range; y += step) {
                auto [cx, cy] = Adjusted(cam, x, y);
                CapD(cam, cx, cy, &dx, &dy);
                w = std::max(w, std::hypot(cx - x + cam.GetXh() - dx, cy - y + cam.GetYh() - dy));
            }
        }
        return w;
    };
    EXPECT_LT(worst(17.0, 0.5), 3e-3);  // measured 2.66e-3 mm
    // A small distortion passes the stopping rule at the first step with a far smaller residual.
    cam.SetA1(-2e-6);
    cam.SetA2(0.0);
    cam.SetA3(0.0);
    EXPECT_LT(worst(15.0, 1.0), 3e-4);
    // A distortion too strong for the fixed point still ends with finite coordinates.
    cam = CapCamera();
    cam.SetA1(-1.5e-3);
    auto [x, y] = Adjusted(cam, 15.0, 15.0);
    EXPECT_TRUE(std::isfinite(x) && std::isfinite(y));
}

// Identifier 0 corrects nothing either way and a pinhole camera fails Adjust but inverts
// trivially, both without a table; an unknown mode fails Adjust and inverts the mode-0 formula.
TEST_F(CameraAdjust, IdentifierZeroPinholeAndUnknownMode) {
    OmCamera none(0, 50.0, 1.0, 1.0, 1e-4, 0.0, 10.0), pinhole(2, 50.0, 1, 1, 1e-4, 0, 10);
    pinhole.SetPinholeCamera();
    for (OmCamera* cam : {&none, &pinhole}) {
        double x = 3.0, y = 4.0;
        EXPECT_FALSE(cam->Adjust(&x, &y));
        EXPECT_EQ(cam->InvAdjust(&x, &y), cam == &pinhole);
        EXPECT_TRUE(x == 3.0 && y == 4.0);
    }
    EXPECT_EQ(OmInvAdjustRegistry::Count(), 0u);

    OmCamera omri(3, 50.0, 0.2, -0.1, 2e-4, -1e-7, 8.0), odd(omri);
    odd.SetMode(9);
    double x = 5.0, y = -7.0;
    EXPECT_FALSE(odd.Adjust(&x, &y));
    ASSERT_TRUE(odd.InvAdjust(&x, &y));
    auto [cx, cy] = Adjusted(omri, x, y);
    EXPECT_TRUE(std::fabs(cx - 5.0) < 1e-7 && std::fabs(cy + 7.0) < 1e-7);
}

// Adjusts random measured points whose corrected image stays inside the table, inverts them and
// returns the largest difference to the measurement. Linear interpolation on each axis alone
// leaves a few micrometres (measured: Omri 3.2 um over -27..27 mm, Viva 1.5 um, CAP below 2 um).
double WorstRoundTrip(OmCamera cam, double measuredRange, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(-measuredRange, measuredRange);
    double worst = 0.0;
    for (int k = 0; k < 4000; ++k) {
        const double px = u(rng), py = u(rng);
        auto [x, y] = Adjusted(cam, px, py);
        if (!cam.InvAdjust(&x, &y)) ADD_FAILURE() << "not found: " << px << " " << py;
        worst = std::max({worst, std::fabs(x - px), std::fabs(y - py)});
    }
    return worst;
}

TEST_F(CameraAdjust, InvAdjustRoundTripsForEveryModelAndStopsAtTheTable) {
    OmCamera omri(1, 50.0, 0.3, -0.2, 8e-5, -4e-8, 12.0);  // rm 0: table spans -30..30
    EXPECT_LT(WorstRoundTrip(omri, 27.0, 11), 4e-3) << "Omri";
    OmCamera viva(2, 8.0, 0.03, -0.01, 1e-3, -2e-6, 3.0);
    viva.SetTs15(3.5, 0.02, -0.015);
    EXPECT_LT(WorstRoundTrip(viva, 7.5, 12), 2e-3) << "Viva";
    EXPECT_LT(WorstRoundTrip(CapCamera(), 17.0, 13), 2e-3) << "CAP";

    double x = 30.0, y = 0.0, cx = 1.0, cy = 1.0;
    EXPECT_FALSE(omri.InvAdjust(&x, &y) || x != 30.0);
    OmCamera cap = CapCamera();
    cap.SetRm(0.0);  // CAP without an extent: nothing is found
    EXPECT_FALSE(cap.InvAdjust(&cx, &cy));
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
    invert(OmCamera(base));  // equal parameters share one table
    EXPECT_EQ(OmInvAdjustRegistry::Count(), tables + 2);

    OmCamera::DeleteInvAdjustTables();
    EXPECT_EQ(OmInvAdjustRegistry::Count(), 0u);
    // The last result answers a repeated request only while the camera is unchanged.
    OmCamera last(5, 50.0, 0.0, 0.0, 1e-4, 0.0, 10.0);
    double lx = 12.0, ly = -3.0, moved = 12.0, movedY = -3.0;
    ASSERT_TRUE(last.InvAdjust(&lx, &ly));
    last.SetXh(0.5);
    ASSERT_TRUE(last.InvAdjust(&moved, &movedY));
    EXPECT_NEAR(moved, lx + 0.5, 1e-3);
}

TEST_F(CameraAdjust, SelfTestReportsTheLargestRoundTripDifference) {
    OmCamera cam(1, 50.0, 0.0, 0.0, 8e-5, 0.0, 6.0);
    cam.SetRm(10.0);
    const OmInvAdjustTestResult r = cam.DbgTestInvAdjust(99.0);  // rm wins over the argument
    EXPECT_TRUE(r.points == 40 * 40 && r.notFound == 0 && r.maxFoundDiffX == r.maxDiffX);
    EXPECT_TRUE(r.maxDiffX < 2e-3 && r.maxDiffY < 2e-3);
    // Without a range only the summary line is printed, no table head.
    std::string printed;
    auto const previous = sys::SetNarrowDebugSink([&printed](std::string_view t) { printed += t; });
    EXPECT_EQ(OmCamera(1, 50.0).DbgTestInvAdjust(-1.0).points, 0);
    sys::SetNarrowDebugSink(previous);
    EXPECT_TRUE(!printed.empty() && printed.find("Valid") == std::string::npos) << printed;
    // Barrel distortion pushes corrected corners out of the table: those points keep their whole
    // correction as difference, which the maximum over all points shows.
    OmCamera barrel(2, 50.0, 0.0, 0.0, -3e-4, 0.0, 4.0);
    barrel.SetRm(10.0);
    const OmInvAdjustTestResult b = barrel.DbgTestInvAdjust(0.0);
    EXPECT_TRUE(b.notFound > 0 && b.maxFoundDiffX < 2e-3 && b.maxDiffX > 0.1);
}

// A list is corrected point by point (x and y only); a point outside the inverse table keeps its
// coordinates and does not make the list fail.
TEST_F(CameraAdjust, PointListsAreCorrectedAndRestored) {
    OmCamera cam(3, 35.0, 0.05, -0.03, 5e-5, -2e-8, 12.0);
    OmPointList list;
    for (int k = 1; k <= 40; ++k) list.Add(new OmPoint(k, -19.5 + k, 14.0 - 0.7 * k, 0.5, 0));
    list.Add(new OmPoint(99, 45.0, 0.0, 0.0, 0));  // outside the 30 mm table once corrected
    ASSERT_TRUE(cam.Adjust(&list));
    EXPECT_EQ(list.First()->GetZ(), 0.5);
    const double far = list.Last()->GetX();
    ASSERT_TRUE(cam.InvAdjust(&list));
    EXPECT_EQ(list.Last()->GetX(), far);
    int k = 1;
    for (OmPoint* p = list.First(); p && p->GetId() != 99; p = p->Next(), ++k) {
        EXPECT_NEAR(p->GetX(), -19.5 + k, 5e-3) << k;
        EXPECT_NEAR(p->GetY(), 14.0 - 0.7 * k, 5e-3) << k;
    }
}

TEST(InvAdjustTable, InvertsAnAffineMapInsideItsBoundOnly) {
    OmInvAdjustTable table(OmInvAdjustKey{}, 20.0);
    table.Fill([](double* x, double* y) {
        *x = 1.01 * *x - 0.3;
        *y = 0.98 * *y + 0.2;
        return true;
    });
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> measured(-19.0, 19.0);
    for (int k = 0; k < 2000; ++k) {
        const double px = measured(rng), py = measured(rng);
        double x = 1.01 * px - 0.3, y = 0.98 * py + 0.2;
        ASSERT_TRUE(table.Lookup(&x, &y));
        EXPECT_TRUE(std::fabs(x - px) < 1e-11 && std::fabs(y - py) < 1e-11) << px << " " << py;
    }
    const double outside[][2] = {{20.0, 0.0}, {0.0, -20.0}, {-20.5, 3.0},
                                 {kNaN, 0.0}, {0.0, kNaN},  {kInf, 0.0}};
    for (const auto& c : outside) {
        double x = c[0], y = c[1];
        EXPECT_FALSE(table.Lookup(&x, &y));
        EXPECT_TRUE((x == c[0] || std::isnan(c[0])) && (y == c[1] || std::isnan(c[1])));
    }
}

TEST(InvAdjustTable, WithoutExtentOrWithCollapsedGridFindsNothing) {
    auto collapse = [](double* x, double* y) { return *x = *y = 0.0, true; };
    for (double r : {0.0, -5.0, kNaN, kInf, 5.0}) {
        OmInvAdjustTable table(OmInvAdjustKey{}, r);
        table.Fill(collapse);
        EXPECT_EQ(table.IsEmpty(), r != 5.0);
        double x = 0.0, y = 0.0;
        EXPECT_FALSE(table.Lookup(&x, &y)) << r;  // never an infinite or NaN position
        EXPECT_TRUE(x == 0.0 && y == 0.0);
    }
}

// Lookup starts its bisection from a state precomputed for a small rectangle around the point;
// the result must be bit for bit that of a bisection over the whole grid, also for strongly
// curved grids, points on hint borders and points near the edge; a parallel fill gives the
// nodes of a serial one.
TEST(InvAdjustTable, ResumedBisectionAndParallelFillMatchTheirPlainForms) {
    for (double strength : {8e-5, 3e-4}) {
        auto curved = [strength](double* x, double* y) {
            const double d = strength * (*x * *x + *y * *y - 100.0);
            const double tx = *x - 0.4 - *x * d + 1e-4 * *x * *y;
            *y = *y + 0.3 - *y * d;
            *x = tx;
            return true;
        };
        OmInvAdjustTable table(OmInvAdjustKey{}, 25.0), serial(OmInvAdjustKey{}, 25.0);
        table.Fill(curved, 4);
        serial.Fill(curved, 1);
        for (int i = 0; i < OmInvAdjustTable::kNodes; ++i)
            for (int j = 0; j < OmInvAdjustTable::kNodes; ++j)
                ASSERT_TRUE(serial.NodeX(i, j) == table.NodeX(i, j) &&
                            serial.NodeY(i, j) == table.NodeY(i, j));
        std::mt19937 rng(3);
        std::uniform_real_distribution<double> u(-24.999, 24.999);
        auto check = [&table](double x0, double y0) {
            double x = x0, y = y0, sx = x0, sy = y0;
            ASSERT_EQ(table.Lookup(&x, &y), table.LookupBySearch(&sx, &sy));
            ASSERT_TRUE(x == sx && y == sy) << x0 << " " << y0;
        };
        for (int k = 0; k < 100000; ++k) check(u(rng), u(rng));
        const double w = 50.0 / 256;  // hint rectangle borders
        for (int k = -127; k <= 127; ++k) check(k * w, u(rng)), check(u(rng), k * w);
    }
}

}  // namespace
}  // namespace om
