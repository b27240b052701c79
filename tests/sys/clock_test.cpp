#include <om/sys/clock.h>

#include <gtest/gtest.h>

#include <random>

#include "om_test_time.h"

namespace {

using om::sys::SystemTime;
using om::sys::ToLocal;
using om::sys::ToUtc;
using omtest::FakeClock;
using omtest::UtcSeconds;

void ExpectFields(SystemTime const& t, int year, int month, int dayOfWeek, int day, int hour,
                  int minute, int second, int ms) {
    EXPECT_EQ(t.year, year);
    EXPECT_EQ(t.month, month);
    EXPECT_EQ(t.dayOfWeek, dayOfWeek);
    EXPECT_EQ(t.day, day);
    EXPECT_EQ(t.hour, hour);
    EXPECT_EQ(t.minute, minute);
    EXPECT_EQ(t.second, second);
    EXPECT_EQ(t.milliseconds, ms);
}

TEST(Clock, UtcFieldsOfKnownMoments) {
    ExpectFields(ToUtc({0, 0}), 1970, 1, 4, 1, 0, 0, 0, 0);  // a Thursday
    // Leap day of a century leap year, a Tuesday.
    ExpectFields(ToUtc({UtcSeconds(2000, 2, 29, 23, 59, 59), 999}), 2000, 2, 2, 29, 23, 59, 59,
                 999);
    // Moments before the epoch count backwards.
    ExpectFields(ToUtc({-1, 500}), 1969, 12, 3, 31, 23, 59, 59, 500);
    // Beyond 2038, where a 32-bit count would wrap.
    ExpectFields(ToUtc({UtcSeconds(2100, 3, 1, 12), 0}), 2100, 3, 1, 1, 12, 0, 0, 0);
}

// Cross-checks the calendar conversion against the independent civil-date arithmetic of the
// test support over random moments of four centuries.
TEST(Clock, UtcAgreesWithIndependentCalendar) {
    std::mt19937_64 rng(20261206);
    std::uniform_int_distribution<int> year(1900, 2300), month(1, 12), day(1, 28), hour(0, 23),
        minute(0, 59), second(0, 59), ms(0, 999);
    for (int i = 0; i < 2000; ++i) {
        int const y = year(rng), mo = month(rng), d = day(rng), h = hour(rng), mi = minute(rng),
                  s = second(rng), m = ms(rng);
        std::int64_t const t = UtcSeconds(y, mo, d, h, mi, s);
        // Day of week from the day count: 1970-01-01 was a Thursday (4).
        std::int64_t const days = (t - (h * 3600 + mi * 60 + s)) / 86400;
        int const dow = static_cast<int>(((days % 7) + 7 + 4) % 7);
        SCOPED_TRACE(t);
        ExpectFields(ToUtc({t, m}), y, mo, dow, d, h, mi, s, m);
    }
}

TEST(Clock, TestClockDrivesNowAndFixedLocalOffset) {
    std::int64_t const t = UtcSeconds(2026, 12, 5, 23, 30);  // Saturday
    {
        FakeClock clock(t, 250, 3600);  // one hour east of UTC
        EXPECT_EQ(om::sys::Now().seconds, t);
        EXPECT_EQ(om::sys::Now().milliseconds, 250);
        ExpectFields(om::sys::UtcSystemTime(), 2026, 12, 6, 5, 23, 30, 0, 250);
        // Local time has already crossed midnight into Sunday.
        ExpectFields(om::sys::LocalSystemTime(), 2026, 12, 0, 6, 0, 30, 0, 250);
        clock.AdvanceMilliseconds(800);
        EXPECT_EQ(om::sys::Now().seconds, t + 1);
        EXPECT_EQ(om::sys::Now().milliseconds, 50);
    }
    // Restored: the system clock is running again, not the test's frozen moment.
    EXPECT_NE(om::sys::Now().seconds, t + 1);
}

TEST(Clock, NegativeOffsetMovesLocalTimeBack) {
    FakeClock clock(UtcSeconds(2027, 1, 1, 2, 0), 0, -5 * 3600);
    ExpectFields(om::sys::LocalSystemTime(), 2026, 12, 4, 31, 21, 0, 0, 0);
    ExpectFields(ToLocal({UtcSeconds(2027, 1, 1, 12, 0), 0}), 2027, 1, 5, 1, 7, 0, 0, 0);
}

}  // namespace
