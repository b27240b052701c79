#include <om/log/application_logger.h>
#include <om/log/dbgprintf.h>
#include <om/log/master_logger.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "om_test_time.h"

namespace {

using om::OmApplicationLogger;
using om::OmMasterLogger;
using omtest::DebugRecorder;
using omtest::FakeClock;
using omtest::UtcSeconds;

class RecordingLogger : public om::OmLogger {
  public:
    explicit RecordingLogger(int level = 3, int result = 0) : OmLogger(level), result_(result) {}
    int Start() override { return ++starts, result_; }
    int Stop() override { return ++stops, result_; }
    int Log(int level, wchar_t const* text) override {
        lines.emplace_back(level, text);
        return result_;
    }
    std::vector<std::pair<int, std::wstring>> lines;
    int starts = 0;
    int stops = 0;

  private:
    int result_;
};

// 2026-12-06 is a Sunday; the fake clock keeps local time equal to UTC.
std::int64_t At(int hour, int minute, int second) {
    return UtcSeconds(2026, 12, 6, hour, minute, second);
}

std::wstring Expand(OmMasterLogger& master, wchar_t const* format, wchar_t const* message) {
    RecordingLogger sink(9);
    master.SetFormat(format);
    master.AddLogger(&sink);
    master.Log(0, message);
    master.SubtractLogger(&sink);
    return sink.lines.empty() ? L"<nothing>" : sink.lines.front().second;
}

TEST(MasterLogger, DeliversByLevel) {
    FakeClock clock(At(14, 5, 9));
    OmMasterLogger master;
    RecordingLogger normal;  // level 3 by default
    RecordingLogger quiet(1);
    RecordingLogger chatty(4);
    for (RecordingLogger* r : {&normal, &quiet, &chatty}) master.AddLogger(r);
    for (int level = 0; level <= 5; ++level) master.Log(level, L"m");
    EXPECT_EQ(normal.lines.size(), 4u);  // levels 0 to 3
    EXPECT_EQ(quiet.lines.size(), 2u);
    EXPECT_EQ(chatty.lines.size(), 5u);
    EXPECT_EQ(chatty.lines.back().first, 4);
    EXPECT_EQ(normal.lines.front().second, L"[14:05:09] m");
}

TEST(MasterLogger, ExpandsEveryPlaceholder) {
    FakeClock clock(UtcSeconds(2027, 3, 4, 17, 8, 9));
    OmMasterLogger master;
    EXPECT_EQ(
        Expand(master, L"$day.$month.$year $hour12/$hour24:$minute:$second $ampm <$mesg>", L"text"),
        L"04.03.2027 05/17:08:09 PM <text>");
    // Repeated placeholders, literal text, a lone '$' and unknown words stay as they are.
    EXPECT_EQ(Expand(master, L"$ $hour24$hour24 $dollar $mesg$mesg", L"x"), L"$ 1717 $dollar xx");

    // The message is inserted last and verbatim; without "$mesg" it is left out.
    clock.Set(At(8, 0, 0));
    EXPECT_EQ(Expand(master, L"[$hour24] $mesg", L"$day $hour24 $mesg 100% %s"),
              L"[08] $day $hour24 $mesg 100% %s");
    EXPECT_EQ(Expand(master, L"only $minute", L"lost"), L"only 00");
    EXPECT_EQ(Expand(master, L"$mesg", nullptr), L"");

    // Midnight shows "00" (not "12"), noon "12", one o'clock in the afternoon "01".
    std::pair<int, wchar_t const*> const clock12[] = {{0, L"00 AM 00"},
                                                      {11, L"11 AM 11"},
                                                      {12, L"12 PM 12"},
                                                      {13, L"01 PM 13"},
                                                      {23, L"11 PM 23"}};
    for (auto const& [hour, expected] : clock12) {
        clock.Set(At(hour, 30, 0));
        EXPECT_EQ(Expand(master, L"$hour12 $ampm $hour24", L""), expected) << hour;
    }
}

TEST(MasterLogger, TemplateKeepsAtMost199AndLineAt499Characters) {
    OmMasterLogger master;
    EXPECT_EQ(std::wstring(master.GetFormat()), L"[$hour24:$minute:$second] $mesg");
    std::wstring const longFormat = std::wstring(190, L'a') + std::wstring(60, L'b');
    master.SetFormat(longFormat.c_str());
    EXPECT_EQ(std::wstring(master.GetFormat()), longFormat.substr(0, 199));
    master.SetFormat(nullptr);
    EXPECT_EQ(std::wstring(master.GetFormat()), L"");
    // The cut can split a placeholder, which is then literal text.
    master.SetFormat((std::wstring(196, L'.') + L"$mesg").c_str());
    FakeClock clock(At(1, 2, 3));
    EXPECT_EQ(Expand(master, master.GetFormat(), L"x"), std::wstring(196, L'.') + L"$me");

    std::wstring const huge(200000, L'm');
    EXPECT_EQ(Expand(master, L"[$hour24] $mesg|$mesg|$mesg", huge.c_str()),
              L"[01] " + std::wstring(494, L'm'));
    std::wstring const part(200, L'p');  // the third copy is cut
    EXPECT_EQ(Expand(master, L"$mesg|$mesg|$mesg", part.c_str()),
              part + L"|" + part + L"|" + std::wstring(97, L'p'));
}

TEST(MasterLogger, AttachDetachAndResults) {
    OmMasterLogger master;
    EXPECT_EQ(master.Start(), 0);  // no loggers
    EXPECT_EQ(master.Log(0, L"nobody"), 0);
    RecordingLogger a, b(3, 1);
    master.AddLogger(&a);
    master.AddLogger(nullptr);  // skipped
    master.AddLogger(&a);       // attached twice: receives twice
    EXPECT_EQ(master.Log(2, L"x"), 0);
    EXPECT_EQ(a.lines.size(), 2u);
    EXPECT_EQ(master.Start(), 0);
    EXPECT_EQ(a.starts, 2);
    master.AddLogger(&b);  // returns 1 from everything
    EXPECT_EQ(master.Log(2, L"y"), 1);
    EXPECT_EQ(master.Log(4, L"too detailed"), 0);  // b is not called at level 4
    EXPECT_EQ(master.Start(), 1);
    EXPECT_EQ(master.Stop(), 1);
    EXPECT_EQ(b.stops, 1);

    // A copy has its own list and template.
    OmMasterLogger copy(master);
    copy.SetFormat(L"B:$mesg");
    copy.SubtractLogger(&b);
    EXPECT_EQ(master.Log(2, L"z"), 1);

    master.SubtractLogger(&a);  // only the first reference goes
    a.lines.clear();
    master.Log(1, L"z");
    EXPECT_EQ(a.lines.size(), 1u);
    RecordingLogger stranger;
    master.SubtractLogger(&stranger);  // not attached: nothing happens
    master.SubtractLogger(&a);
    master.SubtractLogger(&b);
    a.lines.clear();
    EXPECT_EQ(master.Log(1, L"gone"), 0);
    EXPECT_TRUE(a.lines.empty());
    EXPECT_EQ(copy.Log(1, L"c"), 0);
    EXPECT_EQ(a.lines.size(), 2u);
    EXPECT_EQ(a.lines.back().second, L"B:c");
}

// A logger that detaches itself while it receives a message.
class SelfRemovingLogger : public RecordingLogger {
  public:
    explicit SelfRemovingLogger(OmMasterLogger& master) : master_(master) {}
    int Log(int level, wchar_t const* text) override {
        master_.SubtractLogger(this);
        return RecordingLogger::Log(level, text);
    }

  private:
    OmMasterLogger& master_;
};

TEST(MasterLogger, LoggerMayDetachItselfWhileLogging) {
    OmMasterLogger master;
    SelfRemovingLogger once(master);
    RecordingLogger after;
    master.AddLogger(&once);
    master.AddLogger(&after);
    master.Log(0, L"a");
    master.Log(0, L"b");
    EXPECT_EQ(once.lines.size(), 1u);
    EXPECT_EQ(after.lines.size(), 2u);
}

// ---------------------------------------------------------------------------------------------
// The application logger and the debugger output

// The fixture is the master logger: it keeps the raw messages as "level|text".
class ApplicationLogger : public testing::Test, public OmMasterLogger {
  protected:
    void SetUp() override { OmApplicationLogger::RegisterMasterLogger(this); }
    void TearDown() override { OmApplicationLogger::RegisterMasterLogger(nullptr); }
    int Log(int level, wchar_t const* text) override {
        texts.push_back(std::to_wstring(level) + L"|" + text);
        return 0;
    }

    DebugRecorder debug;
    std::vector<std::wstring> texts;
};

TEST_F(ApplicationLogger, RoutesToMasterAndEchoesToDebugger) {
    EXPECT_EQ(OmApplicationLogger::GetMasterLogger(), this);
    EXPECT_EQ(OmApplicationLogger::Log(2, L" %d Read Error(s) in %ls:", 3, L"proj\u00e9t.txt"), 0);
    OmApplicationLogger::Log(1, L"[%s]", "narrow");  // %s takes an 8-bit string
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"2| 3 Read Error(s) in proj\u00e9t.txt:",
                                                L"1|[narrow]"}));
    EXPECT_EQ(debug.wide, L"Log:  3 Read Error(s) in proj\u00e9t.txt:Log: [narrow]");

    // Unregistered, it is completely silent.
    OmApplicationLogger::RegisterMasterLogger(nullptr);
    debug.wide.clear();
    EXPECT_EQ(OmApplicationLogger::Log(0, L"%ls", L"lost"), 0);
    EXPECT_EQ(OmApplicationLogger::LogText(0, L"lost"), 0);
    EXPECT_EQ(texts.size(), 2u);
    EXPECT_TRUE(debug.wide.empty() && debug.narrow.empty());
}

TEST_F(ApplicationLogger, ReadyTextIsNeverTakenAsFormat) {
    wchar_t const* hostile = L"100% of %s %n %ls %d";
    OmApplicationLogger::LogText(1, hostile);
    OmApplicationLogger::Log(1, L"%ls", hostile);
    EXPECT_EQ(debug.wide, std::wstring(L"Log: ") + hostile + L"Log: " + hostile);
    // An 8-bit argument that is not valid in the current locale makes the formatter fail.
    OmApplicationLogger::Log(1, L"ok %s", "\xff\xfe");
    OmApplicationLogger::Log(1, nullptr);
    OmApplicationLogger::LogText(1, nullptr);
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0], L"1|" + std::wstring(hostile));
    EXPECT_EQ(texts[1], texts[0]);
    EXPECT_EQ(texts[3], L"1|");
    EXPECT_EQ(texts[4], L"1|");
}

TEST_F(ApplicationLogger, MessagesAreCutAt1499Characters) {
    std::wstring const exact(1499, L'e');
    std::wstring const longer = std::wstring(1499, L'l') + L"tail";
    OmApplicationLogger::Log(1, L"%ls", exact.c_str());
    OmApplicationLogger::Log(1, L"%ls", longer.c_str());
    OmApplicationLogger::Log(1, L"%200000d", 7);      // far beyond any buffer
    OmApplicationLogger::LogText(1, longer.c_str());  // ready text goes on whole
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"1|" + exact, L"1|" + std::wstring(1499, L'l'),
                                                L"1|" + std::wstring(1499, L' '), L"1|" + longer}));
}

TEST(Dbgprintf, FormatsWithoutALineEndAndCutsAt2499Characters) {
    DebugRecorder debug;
    EXPECT_EQ(om::dbgprintf("%d-%s", 42, "x"), 4);
    EXPECT_EQ(om::dbgprintf("%s", ""), 0);
    EXPECT_EQ(debug.narrow, "42-x");
    EXPECT_EQ(om::dbgprintf(L"%ls|%s|%.2f", L"\u00e4\u00f6", "ab", 1.5), 10);
    EXPECT_EQ(debug.wide, L"\u00e4\u00f6|ab|1.50");
    // Ready text as an argument stays verbatim.
    char const* text = "50% %s %n";
    om::dbgprintf("%s", text);
    om::dbgprintf(L"%s", text);
    EXPECT_EQ(debug.narrow, std::string("42-x") + text);
    EXPECT_EQ(debug.wide,
              L"\u00e4\u00f6|ab|1.50"
              L"50% %s %n");

    debug.narrow.clear();
    debug.wide.clear();
    std::string const narrow(3000, 'n');
    EXPECT_EQ(om::dbgprintf("%s!", narrow.c_str()), 2499);
    EXPECT_EQ(debug.narrow, std::string(2499, 'n'));
    std::wstring const wide(3000, L'w');
    EXPECT_EQ(om::dbgprintf(L"%ls!", wide.c_str()), 2499);
    EXPECT_EQ(debug.wide, std::wstring(2499, L'w'));
    EXPECT_EQ(om::dbgprintf(L"%2498d!", 1), 2499);  // exactly fits
    EXPECT_EQ(debug.wide.back(), L'!');
}

}  // namespace
