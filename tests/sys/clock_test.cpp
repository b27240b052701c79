#include <om/sys/clock.h>

#include <gtest/gtest.h>

#include <random>

#include "om_test_time.h"

namespace {

using om::sys::SystemTime;
using omtest::FakeClock;
using omtest::UtcSeconds;

std::int64_t SecondsOf(SystemTime const& t) {
    return UtcSeconds(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

// Random moments of five centuries (before the epoch and beyond 2038 included) convert to
// fields that the independent civil-date arithmetic maps back to the same moment.
TEST(Clock, UtcRoundTripsThroughIndependentCalendar) {
    std::mt19937_64 rng(20261206);
    std::uniform_int_distribution<std::int64_t> moment(UtcSeconds(1850, 1, 1),
                                                       UtcSeconds(2350, 1, 1));
    for (int i = 0; i < 5000; ++i) {
        std::int64_t const t = moment(rng);
        SystemTime const u = om::sys::ToUtc({t, i % 1000});
        ASSERT_EQ(SecondsOf(u), t);
        std::int64_t const days = (t - (u.hour * 3600 + u.minute * 60 + u.second)) / 86400;
        ASSERT_EQ(u.dayOfWeek, ((days % 7) + 7 + 4) % 7) << t;  // 1970-01-01 was a Thursday
        ASSERT_TRUE(u.month >= 1 && u.month <= 12 && u.day >= 1 && u.day <= 31);
        ASSERT_EQ(u.milliseconds, i % 1000);
    }
}

TEST(Clock, TestClockDrivesNowAndFixedLocalOffset) {
    std::int64_t const t = UtcSeconds(2026, 12, 5, 23, 30);  // Saturday
    {
        FakeClock clock(t, 250, 3600);  // one hour east of UTC
        EXPECT_EQ(SecondsOf(om::sys::UtcSystemTime()), t);
        // Local time has already crossed midnight into Sunday.
        SystemTime const local = om::sys::LocalSystemTime();
        EXPECT_EQ(SecondsOf(local), t + 3600);
        EXPECT_EQ(local.dayOfWeek, 0);
        clock.AdvanceMilliseconds(800);
        EXPECT_EQ(om::sys::Now().seconds * 1000 + om::sys::Now().milliseconds, t * 1000 + 1050);
    }
    EXPECT_NE(om::sys::Now().seconds, t + 1);  // the system clock runs again
}

}  // namespace
