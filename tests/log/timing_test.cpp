#include <om/log/profiler.h>

#include <om/log/profiler_sum.h>

#include <gtest/gtest.h>

#include <string>

#include "om_test_time.h"

namespace {

using om::OmProfiler;
using om::OmProfilerSum;
using om::String;
using omtest::DebugRecorder;
using omtest::FakeClock;

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

    FakeClock clock{omtest::UtcSeconds(2026, 12, 2, 8, 0, 0)};
};

TEST_F(Profiler, NestedScopesIndentAndUnwind) {
    DebugRecorder debug;
    {
        OmProfiler outer(String("Read Omriformat"));
        EXPECT_EQ(OmProfiler::GetIndentSpaceNbr(), 2);
        {
            OmProfiler inner("EstimateNormals %d", 3);
            EXPECT_EQ(OmProfiler::GetIndentSpaceNbr(), 4);
            EXPECT_EQ(OmProfiler::GetIndentSpaceStr(), String("    "));
            clock.AdvanceMilliseconds(1500);
        }
        clock.AdvanceMilliseconds(500);
    }
    EXPECT_EQ(OmProfiler::GetIndentSpaceNbr(), 0);
    EXPECT_EQ(OmProfiler::GetIndentSpaceStr(), String(""));
    EXPECT_EQ(debug.narrow,
              "  Start Read Omriformat\n"
              "    Start EstimateNormals 3\n"
              "    Stop EstimateNormals 3: 1.500 s\n"
              "  Stop Read Omriformat: 2.000 s\n");
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
    EXPECT_DOUBLE_EQ(OmProfilerSum::m_ProfilerSum.at("Transform"), 0.1);
    OmProfilerSum::Add("read", 1.0);
    DebugRecorder debug;
    OmProfilerSum::Dump();
    // Byte order of the names: capital letters first.
    EXPECT_EQ(debug.narrow, "Transform: 0.100 s\nread: 1.750 s\n");
}

TEST_F(Profiler, ReadyTextStaysVerbatimAndFormattedTextIsCut) {
    DebugRecorder debug;
    { OmProfiler p(String("100% %s %n")); }
    EXPECT_EQ(debug.narrow, "  Start 100% %s %n\n  Stop 100% %s %n: 0.000 s\n");
    std::string const longText(1000, 'x');
    OmProfiler p("%s", longText.c_str());
    EXPECT_EQ(p.GetText().length(), 599);
}

TEST_F(Profiler, CopiesCountAsLiveScopes) {
    {
        OmProfiler original(String("a"));
        {
            OmProfiler copy(original);
            EXPECT_EQ(OmProfiler::m_nInstance, 2);
            OmProfiler assigned;
            assigned = original;
            EXPECT_EQ(OmProfiler::m_nInstance, 3);
            EXPECT_EQ(assigned.GetText(), String("a"));
        }
        EXPECT_EQ(OmProfiler::m_nInstance, 1);
    }
    EXPECT_EQ(OmProfiler::m_nInstance, 0);
}

}  // namespace
