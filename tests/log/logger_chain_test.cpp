#include <om/log/master_logger.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "log_test_support.h"
#include "om_test_time.h"

namespace {

using om::OmMasterLogger;
using omtest::FakeClock;
using omtest::RecordingLogger;
using omtest::UtcSeconds;

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
    master.AddLogger(&normal);
    master.AddLogger(&quiet);
    master.AddLogger(&chatty);
    for (int level = 0; level <= 5; ++level) master.Log(level, L"m");
    auto const levels = [](RecordingLogger const& r) {
        std::vector<int> v;
        for (auto const& [level, text] : r.lines) v.push_back(level);
        return v;
    };
    EXPECT_EQ(levels(normal), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(levels(quiet), (std::vector<int>{0, 1}));
    EXPECT_EQ(levels(chatty), (std::vector<int>{0, 1, 2, 3, 4}));
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
    FakeClock clock(0);
    EXPECT_EQ(Expand(master, master.GetFormat(), L"x"), std::wstring(196, L'.') + L"$me");

    // The expanded line is cut at 499 characters.
    clock.Set(At(1, 2, 3));
    std::wstring const huge(200000, L'm');
    std::wstring const line = Expand(master, L"[$hour24] $mesg|$mesg|$mesg", huge.c_str());
    ASSERT_EQ(line.size(), 499u);
    EXPECT_EQ(line, L"[01] " + std::wstring(494, L'm'));
    // Three messages of 200 characters: the third is cut.
    std::wstring const part(200, L'p');
    EXPECT_EQ(Expand(master, L"$mesg|$mesg|$mesg", part.c_str()),
              part + L"|" + part + L"|" + std::wstring(97, L'p'));
}

TEST(MasterLogger, AttachDetachAndResults) {
    OmMasterLogger master;
    EXPECT_EQ(master.Start(), 0);  // no loggers
    EXPECT_EQ(master.Log(0, L"nobody"), 0);
    RecordingLogger a, b(3, 1);
    master.AddLogger(&a);
    master.AddLogger(nullptr);  // a null reference is skipped
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
}

TEST(MasterLogger, CopiesAreIndependent) {
    OmMasterLogger master;
    RecordingLogger a;
    master.AddLogger(&a);
    master.SetFormat(L"A:$mesg");
    OmMasterLogger copy(master);
    copy.SetFormat(L"B:$mesg");
    copy.SubtractLogger(&a);
    master.Log(1, L"1");
    copy.Log(1, L"2");
    ASSERT_EQ(a.lines.size(), 1u);
    EXPECT_EQ(a.lines[0].second, L"A:1");

    OmMasterLogger assigned;
    assigned = master;
    assigned.Log(1, L"3");
    EXPECT_EQ(a.lines.back().second, L"A:3");
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
    master.SetFormat(L"$mesg");
    SelfRemovingLogger once(master);
    RecordingLogger after;
    master.AddLogger(&once);
    master.AddLogger(&after);
    master.Log(0, L"a");
    master.Log(0, L"b");
    EXPECT_EQ(once.lines.size(), 1u);
    EXPECT_EQ(after.lines.size(), 2u);
}

}  // namespace
