#include <om/log/debug_logger.h>

#include <om/log/application_logger.h>
#include <om/log/logfile.h>
#include <om/log/master_logger.h>
#include <om/sys/directory.h>

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "om_test_time.h"

namespace {

namespace fs = std::filesystem;
using om::OmApplicationLogger;
using omtest::FakeClock;
using omtest::UtcSeconds;

std::string ReadFile(fs::path const& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Each test logs into a directory of its own, never into a root or the working directory.
class DebugLogger : public testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(dir);
        om::SetOmriDebugLogDirectory(dir.string().c_str());
        OmApplicationLogger::RegisterMasterLogger(&master);
    }
    void TearDown() override {
        om::UninstallOmriDebugLogger();
        OmApplicationLogger::RegisterMasterLogger(nullptr);
        om::SetOmriDebugLogDirectory("");
    }

    FakeClock clock{UtcSeconds(2026, 12, 6, 9, 8, 7)};
    om::OmMasterLogger master;
    fs::path const dir = fs::current_path() / "debuglog";
    fs::path const logFile = dir / "OmriProtokoll.log";
};

TEST_F(DebugLogger, InstallAndUninstallTwice) {
    OmApplicationLogger::RegisterMasterLogger(nullptr);
    om::InstallOmriDebugLogger();  // needs a master logger
    EXPECT_FALSE(om::IsOmriDebugLoggerInstalled());
    OmApplicationLogger::RegisterMasterLogger(&master);
    EXPECT_EQ(fs::path(om::GetOmriDebugLogPath().chars()), logFile);
    om::InstallOmriDebugLogger();
    om::InstallOmriDebugLogger();  // already installed: attached once
    EXPECT_TRUE(om::IsOmriDebugLoggerInstalled());
    OmApplicationLogger::Log(4, L"%ls", L"note");
    OmApplicationLogger::Log(5, L"%ls", L"too detailed");
    om::UninstallOmriDebugLogger();
    om::UninstallOmriDebugLogger();  // not installed: nothing
    EXPECT_FALSE(om::IsOmriDebugLoggerInstalled());
    OmApplicationLogger::Log(0, L"%ls", L"after");
    std::string const session =
        "4 : [09:08:07] InstallOmriDebugLogger()\n"
        "4 : [09:08:07] note\n"
        "4 : [09:08:07] UninstallOmriDebugLogger()\n";
    EXPECT_EQ(ReadFile(logFile), session);
    // A second installation appends to the same protocol.
    om::InstallOmriDebugLogger();
    om::UninstallOmriDebugLogger();
    EXPECT_EQ(ReadFile(logFile), session +
                                     "4 : [09:08:07] InstallOmriDebugLogger()\n"
                                     "4 : [09:08:07] UninstallOmriDebugLogger()\n");

    // The logger itself writes wide text as UTF-8, whatever the level.
    fs::remove(logFile);
    om::OmOmriDebugLogger logger;
    EXPECT_EQ(logger.GetLevel(), 4);
    EXPECT_EQ(logger.Log(-2, L"Gr\u00fc\u00dfe \U0001F600"), 0);
    EXPECT_EQ(logger.Log(1, L""), 0);
    EXPECT_EQ(ReadFile(logFile),
              "-2 : Gr\xC3\xBC\xC3\x9F"
              "e \xF0\x9F\x98\x80\n1 : \n");
}

TEST_F(DebugLogger, DirectoryIsConfigurableAndDefaultsToTemp) {
    // A missing directory is silent and not created.
    om::SetOmriDebugLogDirectory((dir / "missing" / "deeper").string().c_str());
    om::InstallOmriDebugLogger();
    EXPECT_TRUE(om::IsOmriDebugLoggerInstalled());
    OmApplicationLogger::Log(1, L"%ls", L"nowhere");
    EXPECT_FALSE(fs::exists(dir / "missing"));
    om::UninstallOmriDebugLogger();

    om::SetOmriDebugLogDirectory("");
    fs::path const temp = dir / "tmp";
    fs::create_directories(temp);
    omtest::ScopedEnv env("TMPDIR", temp.string().c_str());
    EXPECT_EQ(fs::path(om::GetOmriDebugLogDirectory().chars()), temp);
    // Asked for the root of the file system, the log stays in the temporary directory.
    om::SetOmriDebugLogDirectory("/");
    EXPECT_EQ(fs::path(om::GetOmriDebugLogDirectory().chars()), temp);
    om::SetOmriDebugLogDirectory("");
    om::InstallOmriDebugLogger();
    EXPECT_TRUE(fs::exists(temp / "OmriProtokoll.log"));
    om::UninstallOmriDebugLogger();

    // A broken TMPDIR falls back to the system's temporary directory, not to a root.
    omtest::ScopedEnv broken("TMPDIR", (dir / "no_such_dir").string().c_str());
    EXPECT_EQ(std::string(om::GetOmriDebugLogDirectory().chars()), om::sys::GetTempDirectory());
    fs::path const path(om::GetOmriDebugLogPath().chars());
    EXPECT_EQ(path.filename(), "OmriProtokoll.log");
    EXPECT_NE(path.parent_path(), path.root_path());
}

// ---------------------------------------------------------------------------------------------
// Log files with a banner

std::string const kRule = std::string(132, '/') + "\n";

TEST(Logfile, BannerThenTextAndAppendsToExistingContent) {
    FakeClock clock(UtcSeconds(2027, 1, 15, 23, 59, 59));
    {
        om::OmLogfile log("append.log");
        ASSERT_TRUE(log.is_open());
        log << "first\n";
    }
    std::string const first = kRule + "//  Fri Jan 15 23:59:59 2027\n//  first\n";
    EXPECT_EQ(ReadFile("append.log"), first);
    { std::ofstream("append.log", std::ios::app) << "other line\n"; }
    clock.Set(UtcSeconds(2027, 1, 16, 0, 0, 0));
    { om::OmLogfile("append.log") << "second\n"; }
    EXPECT_EQ(ReadFile("append.log"),
              first + "other line\n" + kRule + "//  Sat Jan 16 00:00:00 2027\n//  second\n");

    om::OmLogfile missing("no_such_dir/protocol.log");
    EXPECT_TRUE(missing.fail());
    missing << "ignored";  // harmless on a failed stream
    EXPECT_FALSE(fs::exists("no_such_dir"));
    EXPECT_TRUE(om::OmLogfile(nullptr).fail());
}

// The banner's time line has the C library's asctime form; compare over random moments.
TEST(Logfile, TimeLineMatchesAsctime) {
    std::mt19937_64 rng(7);
    std::uniform_int_distribution<std::int64_t> moment(0, UtcSeconds(2200, 1, 1));
    FakeClock clock(0);
    for (int i = 0; i < 40; ++i) {
        std::int64_t const t = moment(rng);
        clock.Set(t);
        fs::remove("probe.log");
        { om::OmLogfile log("probe.log"); }
        std::time_t const tt = static_cast<std::time_t>(t);
        ASSERT_EQ(ReadFile("probe.log"), kRule + "//  " + std::asctime(std::gmtime(&tt)) + "//  ")
            << t;
    }
}

}  // namespace
