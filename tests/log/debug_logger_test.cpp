#include <om/log/debug_logger.h>

#include <om/log/application_logger.h>
#include <om/log/master_logger.h>
#include <om/sys/directory.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "om_test_time.h"

namespace {

namespace fs = std::filesystem;
using om::OmApplicationLogger;
using om::OmMasterLogger;

std::string ReadFile(fs::path const& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Each test logs into its own directory below the working directory.
class DebugLogger : public testing::Test {
  protected:
    void SetUp() override {
        dir = fs::current_path() /
              ("debuglog_" +
               std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        om::SetOmriDebugLogDirectory(dir.string().c_str());
        OmApplicationLogger::RegisterMasterLogger(&master);
    }
    void TearDown() override {
        om::UninstallOmriDebugLogger();
        OmApplicationLogger::RegisterMasterLogger(nullptr);
        om::SetOmriDebugLogDirectory("");
    }
    fs::path LogFile() const { return dir / "OmriProtokoll.log"; }

    omtest::FakeClock clock{omtest::UtcSeconds(2026, 12, 6, 9, 8, 7)};
    OmMasterLogger master;
    fs::path dir;
};

TEST_F(DebugLogger, InstallAndUninstallTwice) {
    OmApplicationLogger::RegisterMasterLogger(nullptr);
    om::InstallOmriDebugLogger();  // needs a master logger
    EXPECT_FALSE(om::IsOmriDebugLoggerInstalled());
    OmApplicationLogger::RegisterMasterLogger(&master);
    EXPECT_EQ(fs::path(om::GetOmriDebugLogPath().chars()), LogFile());
    om::InstallOmriDebugLogger();
    om::InstallOmriDebugLogger();  // already installed: attached once
    EXPECT_TRUE(om::IsOmriDebugLoggerInstalled());
    OmApplicationLogger::Log(4, L"%ls", L"note");
    OmApplicationLogger::Log(5, L"%ls", L"too detailed");
    om::UninstallOmriDebugLogger();
    om::UninstallOmriDebugLogger();  // not installed: nothing
    EXPECT_FALSE(om::IsOmriDebugLoggerInstalled());
    OmApplicationLogger::Log(0, L"%ls", L"after");
    EXPECT_EQ(ReadFile(LogFile()),
              "4 : [09:08:07] InstallOmriDebugLogger()\n"
              "4 : [09:08:07] note\n"
              "4 : [09:08:07] UninstallOmriDebugLogger()\n");
    // A second installation appends to the same protocol.
    std::string const before = ReadFile(LogFile());
    om::InstallOmriDebugLogger();
    om::UninstallOmriDebugLogger();
    EXPECT_EQ(ReadFile(LogFile()), before +
                                       "4 : [09:08:07] InstallOmriDebugLogger()\n"
                                       "4 : [09:08:07] UninstallOmriDebugLogger()\n");
}

TEST_F(DebugLogger, WritesWideTextAsUtf8) {
    master.SetFormat(L"$mesg");
    om::OmOmriDebugLogger logger;
    EXPECT_EQ(logger.GetLevel(), 4);
    EXPECT_EQ(logger.Log(-2, L"Gr\u00fc\u00dfe \U0001F600"), 0);
    EXPECT_EQ(logger.Log(1, L""), 0);
    EXPECT_EQ(ReadFile(LogFile()),
              "-2 : Gr\xC3\xBC\xC3\x9F"
              "e \xF0\x9F\x98\x80\n1 : \n");
}

TEST_F(DebugLogger, UnwritableDirectoryIsSilent) {
    om::SetOmriDebugLogDirectory((dir / "missing" / "deeper").string().c_str());
    om::InstallOmriDebugLogger();
    EXPECT_TRUE(om::IsOmriDebugLoggerInstalled());
    OmApplicationLogger::Log(1, L"%ls", L"nowhere");
    EXPECT_FALSE(fs::exists(dir / "missing"));
}

TEST_F(DebugLogger, DefaultsToTheTemporaryDirectoryNeverARoot) {
    om::SetOmriDebugLogDirectory("");
    fs::path const temp = dir / "tmp";
    fs::create_directories(temp);
    omtest::ScopedEnv env("TMPDIR", temp.string().c_str());
    EXPECT_EQ(fs::path(om::GetOmriDebugLogDirectory().chars()), temp);
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

}  // namespace
