#include <om/sys/clock.h>
#include <om/sys/directory.h>
#include <om/sys/file_attributes.h>
#include <om/sys/messages.h>
#include <om/sys/write_probe.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "om_test_time.h"

namespace om::sys {
namespace {

namespace fs = std::filesystem;
using omtest::UtcSeconds;

TEST(SysDirectory, AttributesCurrentDirectoryAndWriteProbe) {
    fs::create_directories("dir/inner");
    { std::ofstream("dir/five.bin", std::ios::binary) << "12345"; }
    FileAttributes const file = GetFileAttributes("dir/five.bin");
    EXPECT_TRUE(file.exists && file.regular && !file.directory && file.size == 5u);
    FileAttributes const dir = GetFileAttributes("dir");
    EXPECT_TRUE(dir.exists && dir.directory && !dir.regular && dir.size == 0u);
    for (char const* bad :
         {"dir/missing/x", "dir/five.bin/below", "", static_cast<char const*>(nullptr)})
        EXPECT_FALSE(PathExists(bad) || IsDirectory(bad) || SetCurrentDirectory(bad) ||
                     ProbeWrite(bad));
    // The probe leaves nothing behind; procfs refuses new files even to root.
    EXPECT_TRUE(ProbeWrite("dir/probe.txt"));
    EXPECT_FALSE(PathExists("dir/probe.txt"));
    EXPECT_FALSE(ProbeWrite("/proc/omcore_probe.txt"));

    std::string const start = GetCurrentDirectory();
    ASSERT_TRUE(SetCurrentDirectory("dir/inner"));
    EXPECT_EQ(fs::path(GetCurrentDirectory()), fs::path(start) / "dir" / "inner");
    ASSERT_TRUE(SetCurrentDirectory("../.."));
    EXPECT_EQ(GetCurrentDirectory(), start);
}

// A root never serves as the temporary directory.
TEST(SysDirectory, TempDirectoryFollowsTmpdirWhenItIsADirectory) {
    EXPECT_TRUE(IsRootDirectory("/") && IsRootDirectory("//") && !IsRootDirectory("/tmp"));
    EXPECT_FALSE(IsRootDirectory("") || IsRootDirectory(nullptr) || IsRootDirectory("tmp"));
    fs::create_directories("my_tmp");
    std::string const mine = (fs::current_path() / "my_tmp").string();
    for (std::string const& value : {mine, mine + "/missing", std::string(), std::string("//")}) {
        omtest::ScopedEnv env("TMPDIR", value.c_str());
        EXPECT_EQ(GetTempDirectory(), value == mine ? mine : "/tmp") << value;
    }
}

TEST(SysMessages, NamesGetStableNumbersAndPostsNeedAHandler) {
    unsigned int const a = RegisterMessage("SysTestMessageA");
    EXPECT_TRUE(a >= kFirstRegisteredMessage && a <= kLastRegisteredMessage);
    EXPECT_NE(RegisterMessage("SysTestMessageB"), a);
    EXPECT_EQ(RegisterMessage(std::string("SysTestMessageA")), a);
    EXPECT_EQ(RegisterMessage(""), 0u);

    int window = 0;
    SetPostMessageHandler([&](WindowHandle w, unsigned int m, std::uintptr_t wp, std::intptr_t lp) {
        return w == &window && m == a && wp == 1u && lp == -2 ? 7 : 3;
    });
    EXPECT_EQ(PostMessage(&window, a, 1, -2), 7);
    SetPostMessageHandler(nullptr);
    EXPECT_EQ(PostMessage(&window, a, 1, -2), 0);
}

std::int64_t SecondsOf(SystemTime const& t) {
    return UtcSeconds(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

// Random moments of five centuries (before the epoch and beyond 2038 included) convert to
// fields that the independent civil-date arithmetic maps back to the same moment.
TEST(Clock, UtcRoundTripsThroughIndependentCalendar) {
    std::mt19937_64 rng(20261206);
    std::uniform_int_distribution<std::int64_t> moment(UtcSeconds(1850, 1, 1),
                                                       UtcSeconds(2350, 1, 1));
    for (int i = 0; i < 5000; ++i) {
        std::int64_t const t = moment(rng);
        SystemTime const u = ToUtc({t, i % 1000});
        ASSERT_EQ(SecondsOf(u), t);
        std::int64_t const days = (t - (u.hour * 3600 + u.minute * 60 + u.second)) / 86400;
        ASSERT_EQ(u.dayOfWeek, ((days % 7) + 7 + 4) % 7) << t;  // 1970-01-01 was a Thursday
        ASSERT_TRUE(u.month >= 1 && u.month <= 12 && u.day >= 1 && u.day <= 31);
        ASSERT_EQ(u.milliseconds, i % 1000);
    }
}

TEST(Clock, TestClockDrivesNowAndFixedLocalOffset) {
    std::int64_t const t = UtcSeconds(2026, 12, 5, 23, 30);  // Saturday
    {
        omtest::FakeClock clock(t, 250, 3600);  // one hour east of UTC
        EXPECT_EQ(SecondsOf(UtcSystemTime()), t);
        // Local time has already crossed midnight into Sunday.
        SystemTime const local = LocalSystemTime();
        EXPECT_EQ(SecondsOf(local), t + 3600);
        EXPECT_EQ(local.dayOfWeek, 0);
        clock.AdvanceMilliseconds(800);
        EXPECT_EQ(Now().seconds * 1000 + Now().milliseconds, t * 1000 + 1050);
    }
    EXPECT_NE(Now().seconds, t + 1);  // the system clock runs again
}

}  // namespace
}  // namespace om::sys
