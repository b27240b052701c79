#include <om/log/application_logger.h>

#include <om/log/master_logger.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "log_test_support.h"
#include "om_test_time.h"

namespace {

using om::OmApplicationLogger;
using om::OmMasterLogger;
using omtest::DebugRecorder;

// A master logger that also keeps the raw message texts it is given.
class RecordingMaster : public OmMasterLogger {
  public:
    int Log(int level, wchar_t const* text) override {
        texts.emplace_back(text);
        return OmMasterLogger::Log(level, text);
    }
    std::vector<std::wstring> texts;
};

class ApplicationLogger : public testing::Test {
  protected:
    void SetUp() override {
        master.SetFormat(L"$mesg");
        master.AddLogger(&sink);
        OmApplicationLogger::RegisterMasterLogger(&master);
    }
    void TearDown() override { OmApplicationLogger::RegisterMasterLogger(nullptr); }

    RecordingMaster master;
    omtest::RecordingLogger sink;
};

TEST(ApplicationLoggerUnregistered, IsCompletelySilent) {
    DebugRecorder debug;
    ASSERT_EQ(OmApplicationLogger::GetMasterLogger(), nullptr);
    EXPECT_EQ(OmApplicationLogger::Log(0, L"%ls", L"lost"), 0);
    EXPECT_EQ(OmApplicationLogger::LogText(0, L"lost"), 0);
    EXPECT_TRUE(debug.narrow.empty());
    EXPECT_TRUE(debug.wide.empty());
}

TEST_F(ApplicationLogger, RoutesToMasterAndEchoesToDebugger) {
    DebugRecorder debug;
    EXPECT_EQ(OmApplicationLogger::GetMasterLogger(), &master);
    EXPECT_EQ(OmApplicationLogger::Log(2, L" %d Read Error(s) in %ls:", 3, L"proj\u00e9t.txt"), 0);
    ASSERT_EQ(sink.lines.size(), 1u);
    EXPECT_EQ(sink.lines[0].first, 2);
    EXPECT_EQ(sink.lines[0].second, L" 3 Read Error(s) in proj\u00e9t.txt:");
    EXPECT_EQ(debug.wide, L"Log:  3 Read Error(s) in proj\u00e9t.txt:");
    // %s takes an 8-bit string in a wide format.
    OmApplicationLogger::Log(1, L"[%s]", "narrow");
    EXPECT_EQ(sink.lines.back().second, L"[narrow]");
    OmApplicationLogger::RegisterMasterLogger(nullptr);
    OmApplicationLogger::Log(0, L"%ls", L"after");
    EXPECT_EQ(sink.lines.size(), 2u);
}

TEST_F(ApplicationLogger, ReadyTextIsNeverTakenAsFormat) {
    DebugRecorder debug;
    wchar_t const* hostile = L"100% of %s %n %ls %d";
    OmApplicationLogger::LogText(1, hostile);
    OmApplicationLogger::Log(1, L"%ls", hostile);
    ASSERT_EQ(sink.lines.size(), 2u);
    EXPECT_EQ(sink.lines[0].second, hostile);
    EXPECT_EQ(sink.lines[1].second, hostile);
    EXPECT_EQ(debug.wide, std::wstring(L"Log: ") + hostile + L"Log: " + hostile);
}

TEST_F(ApplicationLogger, MessagesAreCutAt1499Characters) {
    std::wstring const exact(1499, L'e');
    OmApplicationLogger::Log(1, L"%ls", exact.c_str());
    std::wstring const longer = std::wstring(1499, L'l') + L"tail";
    OmApplicationLogger::Log(1, L"%ls", longer.c_str());
    // Output far beyond any buffer: a field width of 200000 characters.
    OmApplicationLogger::Log(1, L"%200000d", 7);
    ASSERT_EQ(master.texts.size(), 3u);
    EXPECT_EQ(master.texts[0], exact);
    EXPECT_EQ(master.texts[1], std::wstring(1499, L'l'));
    EXPECT_EQ(master.texts[2], std::wstring(1499, L' '));
    // LogText passes ready text on whole; the master then cuts the line.
    OmApplicationLogger::LogText(1, longer.c_str());
    EXPECT_EQ(master.texts[3], longer);
    EXPECT_EQ(sink.lines.back().second.size(), 499u);
}

TEST_F(ApplicationLogger, BadArgumentsDoNotCrash) {
    // An 8-bit argument that is not valid in the current locale makes the formatter fail.
    OmApplicationLogger::Log(1, L"ok %s", "\xff\xfe");
    OmApplicationLogger::Log(1, nullptr);
    OmApplicationLogger::LogText(1, nullptr);
    ASSERT_EQ(master.texts.size(), 3u);
    EXPECT_EQ(master.texts[1], L"");
    EXPECT_EQ(master.texts[2], L"");
}

}  // namespace
