#include <om/log/difftime.h>

#include <cmath>
#include <cstdint>

namespace om {
namespace {

// Milliseconds since the start of the week (Sunday 00:00) of the record; the date is not
// used. Counting in whole milliseconds keeps the difference exact (0.1 s stays 0.1).
std::int64_t MillisecondsInWeek(sys::SystemTime const& t) {
    return ((std::int64_t{t.dayOfWeek} * 24 + t.hour) * 60 + t.minute) * 60000 +
           std::int64_t{t.second} * 1000 + t.milliseconds;
}

}  // namespace

OmDifftime::OmDifftime() {
    Start();
}

void OmDifftime::Start() {
    m_bRunning = true;
    m_Start = sys::UtcSystemTime();
}

void OmDifftime::Stop() {
    m_bRunning = false;
    m_Stop = sys::UtcSystemTime();
}

double OmDifftime::Value() {
    // A stop on an earlier weekday belongs to the next week. The record keeps the shifted day,
    // so asking again gives the same value.
    if (m_Stop.dayOfWeek < m_Start.dayOfWeek) m_Stop.dayOfWeek += 7;
    return static_cast<double>(MillisecondsInWeek(m_Stop) - MillisecondsInWeek(m_Start)) / 1000.0;
}

double OmDifftime::CurrentValue() {
    m_Stop = sys::UtcSystemTime();
    return Value();
}

void OmDifftime::Value(int& hours, int& minutes, double& seconds) {
    double const v = Value();
    double const h = std::floor(v / 3600.0);
    double const m = std::floor((v - 3600.0 * h) / 60.0);
    hours = static_cast<int>(h);
    minutes = static_cast<int>(m);
    seconds = v - 3600.0 * h - 60.0 * m;
}

}  // namespace om
