#include <om/sys/beep.h>
#include <om/sys/directory.h>
#include <om/sys/file_attributes.h>
#include <om/sys/write_probe.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace om::sys {
namespace {

namespace fs = std::filesystem;

// Restores the current directory when a test is done with it.
class CurrentDirectoryGuard {
  public:
    CurrentDirectoryGuard() : saved_(fs::current_path()) {}
    ~CurrentDirectoryGuard() { fs::current_path(saved_); }

  private:
    fs::path saved_;
};

TEST(SysFileAttributes, FilesDirectoriesAndMissingPaths) {
    fs::create_directories("attr_dir");
    { std::ofstream("attr_dir/five.bin", std::ios::binary) << "12345"; }

    FileAttributes const file = GetFileAttributes("attr_dir/five.bin");
    EXPECT_TRUE(file.exists);
    EXPECT_TRUE(file.regular);
    EXPECT_FALSE(file.directory);
    EXPECT_EQ(file.size, 5u);

    FileAttributes const dir = GetFileAttributes("attr_dir");
    EXPECT_TRUE(dir.exists && dir.directory && !dir.regular);
    EXPECT_EQ(dir.size, 0u);
    EXPECT_TRUE(IsDirectory("attr_dir"));
    EXPECT_FALSE(IsDirectory("attr_dir/five.bin"));

    EXPECT_FALSE(PathExists("attr_dir/missing"));
    EXPECT_FALSE(PathExists("attr_dir/five.bin/below_a_file"));
    EXPECT_FALSE(PathExists(""));
    EXPECT_FALSE(PathExists(nullptr));
    EXPECT_TRUE(PathExists("attr_dir/five.bin"));
    EXPECT_TRUE(PathExists("."));
}

TEST(SysDirectory, CurrentDirectoryRoundTrip) {
    CurrentDirectoryGuard guard;
    fs::create_directories("cwd_dir/inner");
    std::string const start = GetCurrentDirectory();
    EXPECT_EQ(fs::path(start), fs::current_path());

    ASSERT_TRUE(SetCurrentDirectory("cwd_dir/inner"));
    EXPECT_EQ(fs::path(GetCurrentDirectory()), fs::path(start) / "cwd_dir" / "inner");
    ASSERT_TRUE(SetCurrentDirectory("../.."));
    EXPECT_EQ(GetCurrentDirectory(), start);

    EXPECT_FALSE(SetCurrentDirectory("cwd_dir/missing"));
    EXPECT_FALSE(SetCurrentDirectory(""));
    EXPECT_FALSE(SetCurrentDirectory(nullptr));
    EXPECT_EQ(GetCurrentDirectory(), start);
}

TEST(SysDirectory, TempDirectoryFollowsTmpdirWhenItIsADirectory) {
    EXPECT_TRUE(IsDirectory(GetTempDirectory().c_str()));
    char const* old = std::getenv("TMPDIR");
    std::string const saved = old ? old : "";
    fs::create_directories("my_tmp");
    std::string const mine = (fs::current_path() / "my_tmp").string();
    ::setenv("TMPDIR", mine.c_str(), 1);
    EXPECT_EQ(GetTempDirectory(), mine);
    ::setenv("TMPDIR", (mine + "/missing").c_str(), 1);
    EXPECT_EQ(GetTempDirectory(), "/tmp");
    ::setenv("TMPDIR", "", 1);
    EXPECT_EQ(GetTempDirectory(), "/tmp");
    if (old) {
        ::setenv("TMPDIR", saved.c_str(), 1);
    } else {
        ::unsetenv("TMPDIR");
    }
}

TEST(SysWriteProbe, WritesReadsAndRemovesTheProbe) {
    EXPECT_TRUE(ProbeWrite("probe.txt"));
    EXPECT_FALSE(PathExists("probe.txt"));
    EXPECT_FALSE(ProbeWrite("no_such_dir/probe.txt"));
    EXPECT_FALSE(ProbeWrite(""));
    EXPECT_FALSE(ProbeWrite(nullptr));
}

TEST(SysWriteProbe, ReadOnlyDirectoryIsNotWritable) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop writes of root";
    fs::create_directories("ro_dir");
    fs::permissions("ro_dir", fs::perms::owner_read | fs::perms::owner_exec);
    bool const writable = ProbeWrite("ro_dir/probe.txt");
    fs::permissions("ro_dir", fs::perms::owner_all);
    EXPECT_FALSE(writable);
}

TEST(SysBeep, FailsWithoutHandlerAndForwardsWithOne) {
    SetBeepHandler(nullptr);
    EXPECT_FALSE(Beep(440, 100));
    unsigned int seen_frequency = 0, seen_duration = 0;
    SetBeepHandler([&](unsigned int f, unsigned int d) {
        seen_frequency = f;
        seen_duration = d;
        return true;
    });
    EXPECT_TRUE(Beep(440, 100));
    EXPECT_EQ(seen_frequency, 440u);
    EXPECT_EQ(seen_duration, 100u);
    SetBeepHandler(nullptr);
    EXPECT_FALSE(Beep(440, 100));
}

}  // namespace
}  // namespace om::sys
