#include <om/log/difftime.h>

#include <gtest/gtest.h>

#include "om_test_time.h"

namespace {

using om::OmDifftime;
using omtest::FakeClock;
using omtest::UtcSeconds;

// 2026-12-05 is a Saturday, 2026-12-07 a Monday.
constexpr int kSaturday = 5;
constexpr int kMonday = 7;

TEST(Difftime, SplitsIntoHoursMinutesSeconds) {
    FakeClock clock(UtcSeconds(2026, 12, 1, 10, 0, 0), 0);
    OmDifftime watch;
    EXPECT_TRUE(watch.IsRunning());
    clock.AdvanceMilliseconds(3725500);
    watch.Stop();
    EXPECT_FALSE(watch.IsRunning());
    int h = -1, m = -1;
    double s = -1;
    watch.Value(h, m, s);
    EXPECT_EQ(h, 1);
    EXPECT_EQ(m, 2);
    EXPECT_DOUBLE_EQ(s, 5.5);
    EXPECT_DOUBLE_EQ(watch.Value(), 3725.5);
    // Millisecond resolution, also across midnight.
    clock.Set(UtcSeconds(2026, 12, 1, 23, 59, 59), 999);
    watch.Start();
    clock.AdvanceMilliseconds(2);
    EXPECT_DOUBLE_EQ(watch.CurrentValue(), 0.002);
}

TEST(Difftime, WrapsAtTheEndOfTheWeekAndMeasuresWithinOneWeek) {
    FakeClock clock(UtcSeconds(2026, 12, kSaturday, 23, 0, 0), 250);
    OmDifftime watch;
    EXPECT_EQ(watch.GetStartTime().dayOfWeek, 6);
    clock.Set(UtcSeconds(2026, 12, kMonday, 1, 0, 0), 0);
    watch.Stop();
    EXPECT_EQ(watch.GetStopTime().dayOfWeek, 1);
    EXPECT_DOUBLE_EQ(watch.Value(), 26 * 3600 - 0.25);
    // The stop record now holds day 8, so asking again gives the same answer.
    EXPECT_EQ(watch.GetStopTime().dayOfWeek, 8);
    EXPECT_DOUBLE_EQ(watch.Value(), 26 * 3600 - 0.25);
    // Only differences within one week are measured: a week and 5 s give 5 s.
    watch.Start();
    clock.Set(UtcSeconds(2026, 12, kMonday + 7, 1, 0, 5));
    watch.Stop();
    EXPECT_DOUBLE_EQ(watch.Value(), 5.0);
}

TEST(Difftime, CurrentValueKeepsRunningAndCopiesAreIndependent) {
    FakeClock clock(UtcSeconds(2026, 12, 2, 8, 0, 0));
    OmDifftime watch;
    clock.AdvanceMilliseconds(1500);
    EXPECT_DOUBLE_EQ(watch.CurrentValue(), 1.5);
    EXPECT_TRUE(watch.IsRunning());

    OmDifftime copy(watch);
    clock.AdvanceMilliseconds(1000);
    copy.Stop();
    EXPECT_DOUBLE_EQ(copy.Value(), 2.5);
    EXPECT_DOUBLE_EQ(watch.Value(), 1.5);  // still the stop time of CurrentValue
}

}  // namespace
