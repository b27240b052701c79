#include <om/log/difftime.h>
#include <om/log/profiler.h>
#include <om/log/profiler_sum.h>

#include <gtest/gtest.h>

#include <string>

#include "om_test_time.h"

namespace {

using om::OmDifftime;
using om::OmProfiler;
using om::OmProfilerSum;
using om::String;
using omtest::DebugRecorder;
using omtest::FakeClock;
using omtest::UtcSeconds;

TEST(Difftime, SplitsIntoHoursMinutesSecondsWithMilliseconds) {
    FakeClock clock(UtcSeconds(2026, 12, 1, 10, 0, 0), 0);
    OmDifftime watch;
    EXPECT_TRUE(watch.IsRunning());
    clock.AdvanceMilliseconds(3725500);
    watch.Stop();
    EXPECT_FALSE(watch.IsRunning());
    int h = -1, m = -1;
    double s = -1;
    watch.Value(h, m, s);
    EXPECT_EQ(h * 100 + m, 102);
    EXPECT_DOUBLE_EQ(s, 5.5);
    EXPECT_DOUBLE_EQ(watch.Value(), 3725.5);

    // Across midnight; CurrentValue stops the copy it measures, not the running watch.
    clock.Set(UtcSeconds(2026, 12, 1, 23, 59, 59), 999);
    watch.Start();
    clock.AdvanceMilliseconds(2);
    EXPECT_DOUBLE_EQ(watch.CurrentValue(), 0.002);
    EXPECT_TRUE(watch.IsRunning());
    OmDifftime copy(watch);
    clock.AdvanceMilliseconds(1000);
    copy.Stop();
    EXPECT_DOUBLE_EQ(copy.Value(), 1.002);
    EXPECT_DOUBLE_EQ(watch.Value(), 0.002);
}

TEST(Difftime, WrapsAtTheEndOfTheWeekAndMeasuresWithinOneWeek) {
    // 2026-12-05 is a Saturday, 2026-12-07 a Monday.
    FakeClock clock(UtcSeconds(2026, 12, 5, 23, 0, 0), 250);
    OmDifftime watch;
    EXPECT_EQ(watch.GetStartTime().dayOfWeek, 6);
    clock.Set(UtcSeconds(2026, 12, 7, 1, 0, 0), 0);
    watch.Stop();
    EXPECT_EQ(watch.GetStopTime().dayOfWeek, 1);
    EXPECT_DOUBLE_EQ(watch.Value(), 26 * 3600 - 0.25);
    // The stop record now holds day 8, so asking again gives the same answer.
    EXPECT_EQ(watch.GetStopTime().dayOfWeek, 8);
    EXPECT_DOUBLE_EQ(watch.Value(), 26 * 3600 - 0.25);
    // A week and 5 s give 5 s.
    watch.Start();
    clock.Set(UtcSeconds(2026, 12, 14, 1, 0, 5));
    watch.Stop();
    EXPECT_DOUBLE_EQ(watch.Value(), 5.0);
}

class Profiler : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(OmProfiler::m_nInstance, 0);
        OmProfilerSum::m_ProfilerSum.clear();
    }
    void TearDown() override {
        EXPECT_EQ(OmProfiler::m_nInstance, 0);
        OmProfilerSum::m_ProfilerSum.clear();
    }

    FakeClock clock{UtcSeconds(2026, 12, 2, 8, 0, 0)};
    DebugRecorder debug;
};

TEST_F(Profiler, NestedScopesIndentAndUnwindWithTheirTexts) {
    {
        OmProfiler outer(String("Read Omriformat"));
        EXPECT_EQ(OmProfiler::GetIndentSpaceNbr(), 2);
        {
            OmProfiler inner("EstimateNormals %d", 3);
            EXPECT_EQ(OmProfiler::GetIndentSpaceStr(), String("    "));
            clock.AdvanceMilliseconds(1500);
        }
        clock.AdvanceMilliseconds(500);
    }
    EXPECT_EQ(OmProfiler::GetIndentSpaceNbr(), 0);
    EXPECT_EQ(debug.narrow,
              "  Start Read Omriformat\n"
              "    Start EstimateNormals 3\n"
              "    Stop EstimateNormals 3: 1.500 s\n"
              "  Stop Read Omriformat: 2.000 s\n");

    // Ready text stays verbatim; formatted text is cut.
    debug.narrow.clear();
    { OmProfiler p(String("100% %s %n")); }
    EXPECT_EQ(debug.narrow, "  Start 100% %s %n\n  Stop 100% %s %n: 0.000 s\n");
    EXPECT_EQ(OmProfiler("%s", std::string(1000, 'x').c_str()).GetText().length(), 599);

    // Copies count as live scopes.
    OmProfiler original(String("a"));
    {
        OmProfiler copy(original);
        OmProfiler assigned;
        assigned = original;
        EXPECT_EQ(OmProfiler::m_nInstance, 3);
        EXPECT_EQ(assigned.GetText(), String("a"));
    }
    EXPECT_EQ(OmProfiler::m_nInstance, 1);
}

TEST_F(Profiler, SumsAccumulateByEntryName) {
    for (int i = 0; i < 2; ++i) {
        OmProfiler p(String("ReadPTS fp"));
        p.SetProfilerEntry("read");
        clock.AdvanceMilliseconds(250 * (i + 1));
    }
    {
        OmProfiler p;
        p.SetProfilerEntry("Transform");
        clock.AdvanceMilliseconds(100);
    }
    { OmProfiler unsummed(String("no entry")); }
    ASSERT_EQ(OmProfilerSum::m_ProfilerSum.size(), 2u);
    EXPECT_DOUBLE_EQ(OmProfilerSum::m_ProfilerSum.at("read"), 0.75);
    OmProfilerSum::Add("read", 1.0);
    debug.narrow.clear();
    OmProfilerSum::Dump();
    // Byte order of the names: capital letters first.
    EXPECT_EQ(debug.narrow, "Transform: 0.100 s\nread: 1.750 s\n");
}

}  // namespace
