// Process-wide named sums of profiled times.
#pragma once

#include <map>

#include <om/core/string.h>

namespace om {

// Accumulates seconds per entry name, for profilers that measure the same work many times.
class OmProfilerSum {
  public:
    using Table = std::map<String, double>;

    // Adds seconds to the named sum, which starts at 0 when new.
    static void Add(String const& entry, double seconds);

    // Writes one line "<entry>: <seconds> s" per sum, in name order, to the debugger output.
    static void Dump();

    static Table m_ProfilerSum;
};

}  // namespace om
