#include <om/log/profiler_sum.h>

#include <om/log/dbgprintf.h>

namespace om {

OmProfilerSum::Table OmProfilerSum::m_ProfilerSum;

void OmProfilerSum::Add(String const& entry, double seconds) {
    m_ProfilerSum[entry] += seconds;
}

void OmProfilerSum::Dump() {
    for (auto const& [entry, seconds] : m_ProfilerSum) {
        dbgprintf("%s: %.3f s\n", entry.chars(), seconds);
    }
}

}  // namespace om
