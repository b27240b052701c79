// A stopwatch on the UTC system time with millisecond resolution.
#pragma once

#include <om/sys/clock.h>

namespace om {

// Measures the time between Start and Stop (or now). Times are compared within a week
// (day of week, hour, minute, second, millisecond), so a stop on an earlier weekday than the
// start counts as the following week and intervals are correct only below one week.
class OmDifftime {
  public:
    // Starts at once.
    OmDifftime();
    OmDifftime(OmDifftime const&) = default;
    OmDifftime& operator=(OmDifftime const&) = default;
    virtual ~OmDifftime() = default;

    void Start();
    void Stop();
    bool IsRunning() const { return m_bRunning; }

    // Seconds from start to stop. When the stop lies on an earlier weekday than the start, the
    // stop record's day of week is advanced by 7 (the stored record changes).
    double Value();
    // Sets the stop time to now (the running state is kept) and returns Value().
    double CurrentValue();
    // Splits Value() into whole hours, whole minutes and the remaining seconds.
    void Value(int& hours, int& minutes, double& seconds);

    sys::SystemTime const& GetStartTime() const { return m_Start; }
    sys::SystemTime const& GetStopTime() const { return m_Stop; }

  private:
    sys::SystemTime m_Start;
    sys::SystemTime m_Stop;
    bool m_bRunning = false;
};

}  // namespace om
