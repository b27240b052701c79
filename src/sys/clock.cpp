#include <om/sys/clock.h>

#include <time.h>

#include <utility>

namespace om::sys {
namespace {

struct ClockState {
    std::function<TimePoint()> now;  // empty: the system clock
    int localOffsetSeconds = 0;      // used only with a replaced clock
};

ClockState& State() {
    static ClockState state;
    return state;
}

TimePoint SystemNow() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return {static_cast<std::int64_t>(ts.tv_sec), static_cast<int>(ts.tv_nsec / 1000000)};
}

SystemTime FromTm(tm const& t, int milliseconds) {
    SystemTime s;
    s.year = t.tm_year + 1900;
    s.month = t.tm_mon + 1;
    s.dayOfWeek = t.tm_wday;
    s.day = t.tm_mday;
    s.hour = t.tm_hour;
    s.minute = t.tm_min;
    s.second = t.tm_sec;
    s.milliseconds = milliseconds;
    return s;
}

// gmtime_r/localtime_r fail only for years beyond int; such a moment yields a zeroed record.
SystemTime Convert(std::int64_t seconds, int milliseconds, bool local) {
    time_t const t = static_cast<time_t>(seconds);
    tm parts{};
    tm* const ok = local ? localtime_r(&t, &parts) : gmtime_r(&t, &parts);
    return ok ? FromTm(parts, milliseconds) : SystemTime{};
}

}  // namespace

TimePoint Now() {
    ClockState const& state = State();
    return state.now ? state.now() : SystemNow();
}

SystemTime ToUtc(TimePoint t) {
    return Convert(t.seconds, t.milliseconds, false);
}

SystemTime ToLocal(TimePoint t) {
    ClockState const& state = State();
    if (state.now) return Convert(t.seconds + state.localOffsetSeconds, t.milliseconds, false);
    return Convert(t.seconds, t.milliseconds, true);
}

SystemTime UtcSystemTime() {
    return ToUtc(Now());
}

SystemTime LocalSystemTime() {
    return ToLocal(Now());
}

void SetClock(std::function<TimePoint()> now, int localOffsetSeconds) {
    ClockState& state = State();
    state.now = std::move(now);
    state.localOffsetSeconds = state.now ? localOffsetSeconds : 0;
}

}  // namespace om::sys
