#include <om/log/difftime.h>
#include <om/log/profiler.h>
#include <om/log/profiler_sum.h>

#include <gtest/gtest.h>

#include <string>

#include "om_test_time.h"

namespace om {
namespace {

using omtest::DebugRecorder;
using omtest::FakeClock;
using omtest::UtcSeconds;

TEST(Difftime, MeasuresAcrossMidnightAndWithinOneWeek) {
    FakeClock clock(UtcSeconds(2026, 12, 1, 10, 0, 0), 0);
    OmDifftime watch;
    clock.AdvanceMilliseconds(3725500);
    watch.Stop();
    int h = -1, m = -1;
    double s = -1;
    watch.Value(h, m, s);
    EXPECT_EQ(h * 100 + m, 102);
    EXPECT_DOUBLE_EQ(s, 5.5);

    // Across midnight; CurrentValue stops the copy it measures, not the running watch.
    clock.Set(UtcSeconds(2026, 12, 1, 23, 59, 59), 999);
    watch.Start();
    clock.AdvanceMilliseconds(2);
    EXPECT_DOUBLE_EQ(watch.CurrentValue(), 0.002);
    EXPECT_TRUE(watch.IsRunning());

    // From a Saturday to a Monday the week wraps; asking again gives the same answer.
    clock.Set(UtcSeconds(2026, 12, 5, 23, 0, 0), 250);
    watch.Start();
    clock.Set(UtcSeconds(2026, 12, 7, 1, 0, 0), 0);
    watch.Stop();
    for (int i = 0; i < 2; ++i) EXPECT_DOUBLE_EQ(watch.Value(), 26 * 3600 - 0.25);
    // A week and 5 s give 5 s.
    watch.Start();
    clock.Set(UtcSeconds(2026, 12, 14, 1, 0, 5));
    watch.Stop();
    EXPECT_DOUBLE_EQ(watch.Value(), 5.0);
}

TEST(Profiler, NestedScopesIndentAndSumByEntryName) {
    FakeClock clock(UtcSeconds(2026, 12, 2, 8, 0, 0));
    DebugRecorder debug;
    OmProfilerSum::m_ProfilerSum.clear();
    {
        OmProfiler outer(String("Read Omriformat"));
        outer.SetProfilerEntry("read");
        {
            OmProfiler inner("EstimateNormals %d", 3);
            EXPECT_EQ(OmProfiler::GetIndentSpaceStr(), String("    "));
            inner.SetProfilerEntry("Transform");
            clock.AdvanceMilliseconds(1500);
        }
        clock.AdvanceMilliseconds(500);
    }
    { OmProfiler p(String("100% %s %n")); }  // ready text stays verbatim, without a sum
    OmProfilerSum::Add("read", 1.0);
    OmProfilerSum::Dump();
    // The sums in byte order of the names: capital letters first.
    EXPECT_EQ(debug.narrow,
              "  Start Read Omriformat\n"
              "    Start EstimateNormals 3\n"
              "    Stop EstimateNormals 3: 1.500 s\n"
              "  Stop Read Omriformat: 2.000 s\n"
              "  Start 100% %s %n\n  Stop 100% %s %n: 0.000 s\n"
              "Transform: 1.500 s\nread: 3.000 s\n");
    EXPECT_EQ(OmProfiler("%s", std::string(1000, 'x').c_str()).GetText().length(), 599);
    {
        // Copies count as live scopes.
        OmProfiler original(String("a")), copy(original), assigned;
        assigned = original;
        EXPECT_EQ(OmProfiler::m_nInstance, 3);
    }
    EXPECT_EQ(OmProfiler::m_nInstance, 0);
    OmProfilerSum::m_ProfilerSum.clear();
}

}  // namespace
}  // namespace om
