// The inverse table on its own, with mappings whose inverse is known in closed form.
#include <om/photo/inv_adjust_table.h>

#include <cmath>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "photo/inv_adjust_registry.h"

namespace om {
namespace {

OmInvAdjustKey KeyWithId(unsigned id) {
    OmInvAdjustKey key;
    key.id = id;
    return key;
}

// A linear mapping is reproduced exactly by linear interpolation, so the lookup must invert it to
// rounding error everywhere inside the table.
TEST(InvAdjustTable, InvertsAnAffineMapExactly) {
    OmInvAdjustTable table(KeyWithId(1), 20.0);
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
        EXPECT_NEAR(x, px, 1e-11);
        EXPECT_NEAR(y, py, 1e-11);
    }
}

TEST(InvAdjustTable, RejectsPointsOnOrOutsideTheBoundAndNaN) {
    OmInvAdjustTable table(KeyWithId(1), 10.0);
    table.Fill([](double*, double*) { return true; });
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double cases[][2] = {{10.0, 0.0},  {0.0, -10.0},
                               {-10.5, 3.0}, {nan, 0.0},
                               {0.0, nan},   {std::numeric_limits<double>::infinity(), 0.0}};
    for (const auto& c : cases) {
        double x = c[0], y = c[1];
        EXPECT_FALSE(table.Lookup(&x, &y));
        EXPECT_TRUE(std::isnan(c[0]) ? std::isnan(x) : x == c[0]);
        EXPECT_TRUE(std::isnan(c[1]) ? std::isnan(y) : y == c[1]);
    }
    double x = 9.999, y = -9.999;
    EXPECT_TRUE(table.Lookup(&x, &y));
    EXPECT_NEAR(x - y, 2 * 9.999, 1e-12);
}

TEST(InvAdjustTable, WithoutExtentOrWithCollapsedGridFindsNothing) {
    for (double r : {0.0, -5.0, std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity()}) {
        OmInvAdjustTable table(KeyWithId(1), r);
        int calls = 0;
        table.Fill([&calls](double*, double*) {
            ++calls;
            return true;
        });
        EXPECT_EQ(calls, 0);
        EXPECT_TRUE(table.IsEmpty());
        double x = 0.0, y = 0.0;
        EXPECT_FALSE(table.Lookup(&x, &y));
    }
    // A mapping that collapses the grid leaves coincident nodes: the lookup must fail, not return
    // an infinite or NaN position as a success.
    OmInvAdjustTable collapsed(KeyWithId(1), 5.0);
    collapsed.Fill([](double* x, double* y) {
        *x = 0.0;
        *y = 0.0;
        return true;
    });
    double x = 0.0, y = 0.0;
    EXPECT_FALSE(collapsed.Lookup(&x, &y));
    EXPECT_EQ(x, 0.0);
}

TEST(InvAdjustTable, ParallelFillMatchesSerialFill) {
    auto radial = [](double* x, double* y) {
        const double d = 1e-4 * (*x * *x + *y * *y - 25.0);
        *x -= *x * d;
        *y -= *y * d;
        return true;
    };
    OmInvAdjustTable serial(KeyWithId(1), 15.0), parallel(KeyWithId(1), 15.0);
    serial.Fill(radial, 1);
    parallel.Fill(radial, 4);
    for (int i = 0; i < OmInvAdjustTable::kNodes; ++i) {
        for (int j = 0; j < OmInvAdjustTable::kNodes; ++j) {
            ASSERT_EQ(serial.NodeX(i, j), parallel.NodeX(i, j));
            ASSERT_EQ(serial.NodeY(i, j), parallel.NodeY(i, j));
        }
    }
}

TEST(InvAdjustKey, EveryValueTakesPartAndNaNMatchesItself) {
    OmInvAdjustKey a;
    a.id = 3;
    a.values[5] = std::numeric_limits<double>::quiet_NaN();
    OmInvAdjustKey b = a;
    EXPECT_TRUE(a == b);
    for (std::size_t k = 0; k < a.values.size(); ++k) {
        OmInvAdjustKey c = a;
        c.values[k] = 0.5;
        EXPECT_FALSE(a == c) << "value " << k;
    }
    b.mode = 1;
    OmInvAdjustKey c = a;
    c.id = 4;
    EXPECT_FALSE(a == b || a == c);
}

TEST(InvAdjustRegistry, SharesTablesByKeyAndClearFreesAll) {
    OmInvAdjustRegistry::Clear();
    int fills = 0;
    auto identity = [&fills](double*, double*) {
#pragma omp atomic
        ++fills;
        return true;
    };
    const OmInvAdjustTable& t1 = OmInvAdjustRegistry::Acquire(KeyWithId(1), 1.0, identity);
    EXPECT_EQ(&OmInvAdjustRegistry::Acquire(KeyWithId(1), 1.0, identity), &t1);
    EXPECT_EQ(fills, OmInvAdjustTable::kNodes * OmInvAdjustTable::kNodes);  // filled once
    OmInvAdjustRegistry::Acquire(KeyWithId(2), 1.0, identity);
    EXPECT_EQ(OmInvAdjustRegistry::Count(), 2u);
    EXPECT_EQ(OmInvAdjustRegistry::Find(KeyWithId(2))->Key().id, 2u);
    OmInvAdjustRegistry::Clear();
    EXPECT_EQ(OmInvAdjustRegistry::Count(), 0u);
    EXPECT_EQ(OmInvAdjustRegistry::Find(KeyWithId(1)), nullptr);
}

// Lookup starts its bisection from a state precomputed for a small rectangle around the point;
// the result must be bit for bit that of a bisection over the whole grid, also for strongly
// curved grids, points on hint borders and points near the edge.
TEST(InvAdjustTable, ResumedBisectionMatchesFullSearchExactly) {
    for (double strength : {8e-5, 3e-4}) {
        OmInvAdjustTable table(KeyWithId(1), 25.0);
        table.Fill([strength](double* x, double* y) {
            const double d = strength * (*x * *x + *y * *y - 100.0);
            const double tx = *x - 0.4 - *x * d + 1e-4 * *x * *y;
            const double ty = *y + 0.3 - *y * d;
            *x = tx;
            *y = ty;
            return true;
        });
        std::mt19937 rng(3);
        std::uniform_real_distribution<double> u(-24.999, 24.999);
        auto check = [&table](double x0, double y0) {
            double x = x0, y = y0, sx = x0, sy = y0;
            const bool hinted = table.Lookup(&x, &y);
            ASSERT_EQ(hinted, table.LookupBySearch(&sx, &sy));
            ASSERT_EQ(x, sx) << x0 << " " << y0;
            ASSERT_EQ(y, sy) << x0 << " " << y0;
        };
        for (int k = 0; k < 100000; ++k) check(u(rng), u(rng));
        const double w = 50.0 / 256;  // hint rectangle borders
        for (int k = -127; k <= 127; ++k) check(k * w, u(rng));
        for (int k = -127; k <= 127; ++k) check(u(rng), k * w);
    }
}

}  // namespace
}  // namespace om
