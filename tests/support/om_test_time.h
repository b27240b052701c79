// Test helpers for time-dependent code: a controllable clock and a debug-output recorder.
#pragma once

#include <om/sys/clock.h>
#include <om/sys/debug_output.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace omtest {

// Seconds since 1970-01-01 UTC of a proleptic Gregorian date and time, computed independently
// of the library (days from civil date, counting eras of 400 years).
inline std::int64_t UtcSeconds(int year, int month, int day, int hour = 0, int minute = 0,
                               int second = 0) {
    std::int64_t const y = year - (month <= 2 ? 1 : 0);
    std::int64_t const era = (y >= 0 ? y : y - 399) / 400;
    std::int64_t const yoe = y - era * 400;
    std::int64_t const mp = (month + 9) % 12;
    std::int64_t const doy = (153 * mp + 2) / 5 + day - 1;
    std::int64_t const doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    std::int64_t const days = era * 146097 + doe - 719468;
    return days * 86400 + hour * 3600 + minute * 60 + second;
}

// Installs a clock that stands still at the given moment until the test moves it; local time
// is UTC shifted by a fixed offset. The system clock returns when the object goes.
class FakeClock {
  public:
    explicit FakeClock(std::int64_t seconds, int milliseconds = 0, int localOffsetSeconds = 0)
        : now_{seconds, milliseconds} {
        om::sys::SetClock([this] { return now_; }, localOffsetSeconds);
    }
    ~FakeClock() { om::sys::SetClock(nullptr); }
    FakeClock(FakeClock const&) = delete;
    FakeClock& operator=(FakeClock const&) = delete;

    void Set(std::int64_t seconds, int milliseconds = 0) { now_ = {seconds, milliseconds}; }
    void AdvanceMilliseconds(std::int64_t ms) {
        std::int64_t const total = now_.seconds * 1000 + now_.milliseconds + ms;
        now_ = {total / 1000, static_cast<int>(total % 1000)};
    }

  private:
    om::sys::TimePoint now_;
};

// Sets (or, with null, removes) an environment variable while it lives.
class ScopedEnv {
  public:
    ScopedEnv(char const* name, char const* value) : name_(name) {
        if (char const* old = std::getenv(name)) old_ = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { old_ ? setenv(name_.c_str(), old_->c_str(), 1) : unsetenv(name_.c_str()); }
    ScopedEnv(ScopedEnv const&) = delete;
    ScopedEnv& operator=(ScopedEnv const&) = delete;

  private:
    std::string name_;
    std::optional<std::string> old_;
};

// Records everything sent to the debugger output while it lives.
class DebugRecorder {
  public:
    DebugRecorder() {
        oldNarrow_ = om::sys::SetNarrowDebugSink([this](std::string_view t) { narrow.append(t); });
        oldWide_ = om::sys::SetWideDebugSink([this](std::wstring_view t) { wide.append(t); });
    }
    ~DebugRecorder() {
        om::sys::SetNarrowDebugSink(oldNarrow_);
        om::sys::SetWideDebugSink(oldWide_);
    }
    DebugRecorder(DebugRecorder const&) = delete;
    DebugRecorder& operator=(DebugRecorder const&) = delete;

    std::string narrow;
    std::wstring wide;

  private:
    om::sys::NarrowDebugSink oldNarrow_;
    om::sys::WideDebugSink oldWide_;
};

}  // namespace omtest
