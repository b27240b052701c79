#include <om/log/logfile.h>

#include <om/sys/clock.h>

#include <cstdio>
#include <string>

namespace om {
namespace {

// The local time in the fixed form of the C library's ctime, "Sun Dec  6 14:05:09 2026\n",
// built here from the library clock (and independent of the process locale).
std::string CtimeText(sys::SystemTime const& t) {
    static char const* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static char const* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char const* day = (t.dayOfWeek >= 0 && t.dayOfWeek < 7) ? kDays[t.dayOfWeek] : "???";
    char const* month = (t.month >= 1 && t.month <= 12) ? kMonths[t.month - 1] : "???";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s %s%3d %.2d:%.2d:%.2d %d\n", day, month, t.day, t.hour,
                  t.minute, t.second, t.year);
    return buffer;
}

}  // namespace

void OmLogfile::OpenFile(char const* path) {
    if (path == nullptr) {
        setstate(std::ios::failbit);
        return;
    }
    open(path, std::ios::out | std::ios::app);
    if (is_open()) WriteSmallHeader();
}

void OmLogfile::WriteSmallHeader() {
    *this << std::string(kRuleLength, '/') << std::endl;
    *this << "//  " << CtimeText(sys::LocalSystemTime());
    *this << "//  ";
}

}  // namespace om
