// Wall-clock time: UTC with milliseconds for stopwatches, local time for log stamps.
//
// All library code reads the time through these functions, so that a test can install its own
// clock and check time-dependent output (midnight, noon, a week wrap) deterministically.
#pragma once

#include <cstdint>
#include <functional>

namespace om::sys {

// A moment as seconds and milliseconds since 1970-01-01 00:00:00 UTC.
struct TimePoint {
    std::int64_t seconds = 0;
    int milliseconds = 0;  // 0..999
};

// Broken-down calendar time with milliseconds, the portable counterpart of the Windows
// SYSTEMTIME record. dayOfWeek counts from Sunday = 0 (like tm_wday); month runs 1..12.
struct SystemTime {
    int year = 0;
    int month = 0;
    int dayOfWeek = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};

// The current moment from the installed clock (the system clock unless a test replaced it).
TimePoint Now();

// The current time in UTC.
SystemTime UtcSystemTime();

// The current time in the local time zone (of the system, or the fixed offset of a test clock).
SystemTime LocalSystemTime();

// Converts a moment to UTC calendar time.
SystemTime ToUtc(TimePoint t);

// Converts a moment to local calendar time, as LocalSystemTime() would for that moment.
SystemTime ToLocal(TimePoint t);

// Replaces the clock: `now` supplies the current moment and local time is UTC shifted by
// `localOffsetSeconds`, independent of the machine's time zone. An empty `now` restores the
// system clock and the system time zone. Meant for tests; not thread-safe.
void SetClock(std::function<TimePoint()> now, int localOffsetSeconds = 0);

}  // namespace om::sys
