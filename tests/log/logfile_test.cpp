#include <om/log/logfile.h>

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
using omtest::FakeClock;
using omtest::UtcSeconds;

std::string ReadFile(fs::path const& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string const kRule = std::string(132, '/') + "\n";

// Exposes the banner of an unopened log file to an in-memory check.
class BannerProbe : public om::OmLogfile {
  public:
    explicit BannerProbe(fs::path const& path) {
        open(path, std::ios::out | std::ios::trunc);
        WriteSmallHeader();
        close();
    }
};

// A fresh file gets the banner then the text on the open line; a second log appends, also to
// content written by others.
TEST(Logfile, BannerThenTextAndAppendsToExistingContent) {
    FakeClock clock(UtcSeconds(2027, 1, 15, 23, 59, 59));
    fs::remove("append.log");
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
}

TEST(Logfile, UnopenableFileLeavesAFailedStream) {
    om::OmLogfile missing("no_such_dir/protocol.log");
    EXPECT_FALSE(missing.is_open());
    EXPECT_TRUE(missing.fail());
    missing << "ignored";  // harmless on a failed stream
    EXPECT_FALSE(fs::exists("no_such_dir"));
    om::OmLogfile null(nullptr);
    EXPECT_TRUE(null.fail());
    om::OmLogfile closed;
    EXPECT_FALSE(closed.is_open());
}

// The banner's time line has the C library's asctime form; compare over random moments.
TEST(Logfile, TimeLineMatchesAsctime) {
    std::mt19937_64 rng(7);
    std::uniform_int_distribution<std::int64_t> moment(0, UtcSeconds(2200, 1, 1));
    FakeClock clock(0);
    for (int i = 0; i < 40; ++i) {
        std::int64_t const t = moment(rng);
        clock.Set(t);
        BannerProbe probe("probe.log");
        std::time_t const tt = static_cast<std::time_t>(t);
        std::string const expected = kRule + "//  " + std::asctime(std::gmtime(&tt)) + "//  ";
        ASSERT_EQ(ReadFile("probe.log"), expected) << t;
    }
}

}  // namespace
