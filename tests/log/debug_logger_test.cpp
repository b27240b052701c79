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

// Installed once, it writes UTF-8 lines; its directory is configurable and defaults to temp,
// never a root or the working directory.
TEST(DebugLogger, InstallsOnceIntoItsDirectory) {
    FakeClock clock(UtcSeconds(2026, 12, 6, 9, 8, 7));
    om::OmMasterLogger master;
    fs::path const dir = fs::current_path() / "debuglog";
    fs::create_directories(dir);
    om::SetOmriDebugLogDirectory(dir.string().c_str());
    OmApplicationLogger::RegisterMasterLogger(nullptr);
    om::InstallOmriDebugLogger();  // needs a master logger
    EXPECT_FALSE(om::IsOmriDebugLoggerInstalled());
    OmApplicationLogger::RegisterMasterLogger(&master);
    om::InstallOmriDebugLogger();
    om::InstallOmriDebugLogger();  // already installed: attached once
    OmApplicationLogger::Log(4, L"%ls", L"Gr\u00fc\u00dfe \U0001F600");
    OmApplicationLogger::Log(5, L"%ls", L"too detailed");
    om::UninstallOmriDebugLogger();
    om::UninstallOmriDebugLogger();  // not installed: nothing
    EXPECT_FALSE(om::IsOmriDebugLoggerInstalled());
    OmApplicationLogger::Log(0, L"%ls", L"after");
    EXPECT_EQ(ReadFile(dir / "OmriProtokoll.log"),
              "4 : [09:08:07] InstallOmriDebugLogger()\n"
              "4 : [09:08:07] Gr\xC3\xBC\xC3\x9F"
              "e \xF0\x9F\x98\x80\n"
              "4 : [09:08:07] UninstallOmriDebugLogger()\n");

    // A missing directory is silent and not created.
    om::SetOmriDebugLogDirectory((dir / "missing" / "deeper").string().c_str());
    om::InstallOmriDebugLogger();
    OmApplicationLogger::Log(1, L"%ls", L"nowhere");
    EXPECT_FALSE(fs::exists(dir / "missing"));
    om::UninstallOmriDebugLogger();

    // Empty, or asked for the root of the file system, the log goes to the temporary directory.
    fs::path const temp = dir / "tmp";
    fs::create_directories(temp);
    omtest::ScopedEnv env("TMPDIR", temp.string().c_str());
    om::SetOmriDebugLogDirectory("/");
    EXPECT_EQ(fs::path(om::GetOmriDebugLogDirectory().chars()), temp);
    om::SetOmriDebugLogDirectory("");
    om::InstallOmriDebugLogger();
    EXPECT_TRUE(fs::exists(temp / "OmriProtokoll.log"));
    om::UninstallOmriDebugLogger();
    // A broken TMPDIR falls back to the system's temporary directory, not to a root.
    omtest::ScopedEnv broken("TMPDIR", (dir / "no_such_dir").string().c_str());
    EXPECT_EQ(std::string(om::GetOmriDebugLogDirectory().chars()), om::sys::GetTempDirectory());
    OmApplicationLogger::RegisterMasterLogger(nullptr);
}

// A log file starts each session with a banner whose time line has the C library's asctime
// form, and appends to what is there; compared over random moments.
TEST(Logfile, BannerThenTextAppendedToExistingContent) {
    std::string const rule = std::string(132, '/') + "\n";
    std::mt19937_64 rng(7);
    std::uniform_int_distribution<std::int64_t> moment(0, UtcSeconds(2200, 1, 1));
    FakeClock clock(0);
    std::string expected;
    for (int i = 0; i < 40; ++i) {
        std::int64_t const t = moment(rng);
        clock.Set(t);
        { om::OmLogfile("append.log") << "text " << i << "\n"; }
        { std::ofstream("append.log", std::ios::app) << "other line\n"; }
        std::time_t const tt = static_cast<std::time_t>(t);
        expected += rule + "//  " + std::asctime(std::gmtime(&tt)) + "//  text " +
                    std::to_string(i) + "\nother line\n";
        ASSERT_EQ(ReadFile("append.log"), expected) << t;
    }
    EXPECT_TRUE(om::OmLogfile("no_such_dir/protocol.log").fail() && om::OmLogfile(nullptr).fail());
}

}  // namespace
