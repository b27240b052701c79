#include <om/log/application_logger.h>
#include <om/log/dbgprintf.h>
#include <om/log/master_logger.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "om_test_time.h"

namespace om {
namespace {

using omtest::DebugRecorder;
using omtest::FakeClock;
using omtest::UtcSeconds;

// Writes every call into a shared journal as "<name>S", "<name>T" or "<name><level>:<text>",
// each followed by a blank; with detachFrom set, it detaches itself while it receives a line.
class Recorder : public OmLogger {
  public:
    Recorder(std::wstring& journal, wchar_t name, int level = 3, int result = 0)
        : OmLogger(level), journal_(journal), name_(name), result_(result) {}
    int Start() override { return journal_ += {name_, L'S', L' '}, result_; }
    int Stop() override { return journal_ += {name_, L'T', L' '}, result_; }
    int Log(int level, wchar_t const* text) override {
        if (detachFrom) detachFrom->SubtractLogger(this);
        journal_ += name_ + std::to_wstring(level) + L":" + text + L" ";
        return result_;
    }
    OmMasterLogger* detachFrom = nullptr;

  private:
    std::wstring& journal_;
    wchar_t name_;
    int result_;
};

// What the attached loggers saw, step by step, with each step's result.
TEST(MasterLogger, DeliversByLevelInOrderOfAttachment) {
    OmMasterLogger master;
    master.SetFormat(L"$mesg");
    std::wstring j;
    // The results in order (a braced list is evaluated left to right), then the journal.
    auto const seen = [&j](std::initializer_list<int> results) {
        std::wstring out;
        for (int r : results) out += std::to_wstring(r);
        return out + L" " + std::exchange(j, L"");
    };
    Recorder a(j, L'a'), quiet(j, L'q', 1), b(j, L'b', 4, 1), stranger(j, L'x'), self(j, L's');
    EXPECT_EQ(seen({master.Start(), master.Log(0, L"nobody")}), L"00 ");
    for (OmLogger* l : {&a, static_cast<Recorder*>(nullptr), &quiet, &a, &b}) master.AddLogger(l);
    EXPECT_EQ(seen({master.Log(2, L"x")}), L"1 a2:x a2:x b2:x ");  // a attached twice
    EXPECT_EQ(seen({master.Log(1, L"y")}), L"1 a1:y q1:y a1:y b1:y ");
    EXPECT_EQ(seen({master.Log(4, L"z"), master.Log(5, L"lost")}), L"10 b4:z ");
    EXPECT_EQ(seen({master.Start(), master.Stop()}), L"11 aS qS aS bS aT qT aT bT ");
    master.SubtractLogger(&a);  // only the first reference goes
    master.SubtractLogger(&stranger);
    master.SubtractLogger(&b);
    EXPECT_EQ(seen({master.Log(0, L"w")}), L"0 q0:w a0:w ");
    // A copy has its own list and template.
    OmMasterLogger copy(master);
    copy.SetFormat(L"B:$mesg");
    master.SubtractLogger(&quiet);
    EXPECT_EQ(seen({copy.Log(0, L"c"), master.Log(0, L"m")}), L"00 q0:B:c a0:B:c a0:m ");
    // A logger may detach itself while it receives a line; the one after it still receives.
    self.detachFrom = &master;
    master.AddLogger(&self);
    master.AddLogger(&quiet);
    EXPECT_EQ(seen({master.Log(0, L"1"), master.Log(0, L"2")}), L"00 a0:1 s0:1 q0:1 a0:2 q0:2 ");
}

std::wstring Expand(OmMasterLogger& master, wchar_t const* format, wchar_t const* message) {
    std::wstring line;
    Recorder sink(line, L'>', 9);
    master.SetFormat(format);
    master.AddLogger(&sink);
    master.Log(0, message);
    master.SubtractLogger(&sink);
    return line.substr(3, line.size() - 4);
}

TEST(MasterLogger, ExpandsEveryPlaceholderWithinItsBounds) {
    FakeClock clock(UtcSeconds(2027, 3, 4, 17, 8, 9));  // local time equals UTC
    OmMasterLogger master;
    EXPECT_EQ(Expand(master, master.GetFormat(), L"m"), L"[17:08:09] m");
    EXPECT_EQ(
        Expand(master, L"$day.$month.$year $hour12/$hour24:$minute:$second $ampm <$mesg>", L"text"),
        L"04.03.2027 05/17:08:09 PM <text>");
    // Repeated placeholders, literal text, a lone '$' and unknown words stay as they are.
    EXPECT_EQ(Expand(master, L"$ $hour24$hour24 $dollar $mesg$mesg", L"x"), L"$ 1717 $dollar xx");
    // The message is inserted last and verbatim; without "$mesg" it is left out.
    EXPECT_EQ(Expand(master, L"[$minute] $mesg", L"$day $hour24 $mesg 100% %s"),
              L"[08] $day $hour24 $mesg 100% %s");
    EXPECT_EQ(Expand(master, L"only $second", L"lost"), L"only 09");
    EXPECT_EQ(Expand(master, L"$mesg", nullptr), L"");

    // Midnight shows "00" (not "12"), noon "12", one o'clock in the afternoon "01".
    std::wstring hours;
    for (int hour : {0, 11, 12, 13, 23}) {
        clock.Set(UtcSeconds(2026, 12, 6, hour, 30, 0));
        hours += Expand(master, L"$hour12 $ampm $hour24|", L"");
    }
    EXPECT_EQ(hours, L"00 AM 00|11 AM 11|12 PM 12|01 PM 13|11 PM 23|");

    // The template keeps 199 characters, so the cut can split a placeholder into literal text;
    // the line keeps 499, however often a huge message is inserted.
    master.SetFormat((std::wstring(196, L'.') + L"$mesg").c_str());
    EXPECT_EQ(Expand(master, master.GetFormat(), L"x"), std::wstring(196, L'.') + L"$me");
    std::wstring const huge(200000, L'm');
    EXPECT_EQ(Expand(master, L"[$hour24] $mesg|$mesg|$mesg", huge.c_str()),
              L"[23] " + std::wstring(494, L'm'));
}

// Messages go to the master logger (here one that keeps them as "level|text") and to the
// debugger output; ready text is never taken as a format; formatted messages are cut at 1499.
TEST(ApplicationLogger, RoutesReadyTextAndCutsLongMessages) {
    struct : OmMasterLogger {
        std::vector<std::wstring> texts;
        int Log(int level, wchar_t const* text) override {
            return texts.push_back(std::to_wstring(level) + L"|" + text), 0;
        }
    } master;
    DebugRecorder debug;
    OmApplicationLogger::Log(0, L"%ls", L"lost");  // unregistered: completely silent
    OmApplicationLogger::LogText(0, L"lost");
    OmApplicationLogger::RegisterMasterLogger(&master);
    wchar_t const* hostile = L"100% of %s %n %ls %d";
    EXPECT_EQ(OmApplicationLogger::Log(2, L" %d Read Error(s) in %ls:", 3, L"proj\u00e9t.txt"), 0);
    OmApplicationLogger::Log(1, L"[%s]", "narrow");  // %s takes an 8-bit string
    OmApplicationLogger::LogText(1, hostile);
    OmApplicationLogger::Log(1, L"%ls", hostile);
    EXPECT_EQ(debug.wide,
              std::wstring(L"Log:  3 Read Error(s) in proj\u00e9t.txt:Log: [narrow]Log: ") +
                  hostile + L"Log: " + hostile);
    // An 8-bit argument that is not valid in the current locale makes the formatter fail.
    OmApplicationLogger::Log(1, L"ok %s", "\xff\xfe");
    master.texts.pop_back();
    OmApplicationLogger::Log(1, nullptr);
    OmApplicationLogger::LogText(1, nullptr);
    std::wstring const longer = std::wstring(1499, L'l') + L"tail";
    OmApplicationLogger::Log(1, L"%ls", longer.c_str());
    OmApplicationLogger::Log(1, L"%200000d", 7);      // far beyond any buffer
    OmApplicationLogger::LogText(1, longer.c_str());  // ready text goes on whole
    EXPECT_EQ(master.texts, (std::vector<std::wstring>{
                                L"2| 3 Read Error(s) in proj\u00e9t.txt:", L"1|[narrow]",
                                L"1|" + std::wstring(hostile), L"1|" + std::wstring(hostile), L"1|",
                                L"1|", L"1|" + std::wstring(1499, L'l'),
                                L"1|" + std::wstring(1499, L' '), L"1|" + longer}));

    OmApplicationLogger::RegisterMasterLogger(nullptr);
}

TEST(Dbgprintf, FormatsWithoutALineEndAndCutsAt2499Characters) {
    DebugRecorder debug;
    EXPECT_EQ(dbgprintf("%d-%s", 42, "x"), 4);
    EXPECT_EQ(dbgprintf(L"%ls|%s|%.2f", L"\u00e4\u00f6", "ab", 1.5), 10);
    // Ready text as an argument stays verbatim.
    char const* text = "50% %s %n";
    dbgprintf("%s", text);
    dbgprintf(L"%s", text);
    EXPECT_EQ(dbgprintf("%s!", std::string(3000, 'n').c_str()), 2499);
    EXPECT_EQ(dbgprintf(L"%2498d!", 1), 2499);  // exactly fits
    EXPECT_EQ(debug.narrow, std::string("42-x") + text + std::string(2499, 'n'));
    EXPECT_EQ(debug.wide,
              L"\u00e4\u00f6|ab|1.50"
              L"50% %s %n" +
                  std::wstring(2497, L' ') + L"1!");
}

}  // namespace
}  // namespace om
