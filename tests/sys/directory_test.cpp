#include <om/sys/directory.h>
#include <om/sys/file_attributes.h>
#include <om/sys/write_probe.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "om_test_time.h"

namespace om::sys {
namespace {

namespace fs = std::filesystem;

TEST(SysFileAttributes, FilesDirectoriesAndMissingPaths) {
    fs::create_directories("attr_dir");
    { std::ofstream("attr_dir/five.bin", std::ios::binary) << "12345"; }

    FileAttributes const file = GetFileAttributes("attr_dir/five.bin");
    EXPECT_TRUE(file.exists && file.regular && !file.directory);
    EXPECT_EQ(file.size, 5u);
    FileAttributes const dir = GetFileAttributes("attr_dir");
    EXPECT_TRUE(dir.exists && dir.directory && !dir.regular);
    EXPECT_EQ(dir.size, 0u);
    EXPECT_TRUE(IsDirectory("attr_dir"));
    EXPECT_FALSE(IsDirectory("attr_dir/five.bin"));

    for (char const* missing : {"attr_dir/missing", "attr_dir/five.bin/below_a_file", "",
                                static_cast<char const*>(nullptr)})
        EXPECT_FALSE(PathExists(missing)) << (missing ? missing : "null");
    EXPECT_TRUE(PathExists("attr_dir/five.bin"));
}

TEST(SysDirectory, CurrentDirectoryRoundTrip) {
    fs::path const saved = fs::current_path();
    fs::create_directories("cwd_dir/inner");
    std::string const start = GetCurrentDirectory();
    EXPECT_EQ(fs::path(start), saved);
    ASSERT_TRUE(SetCurrentDirectory("cwd_dir/inner"));
    EXPECT_EQ(fs::path(GetCurrentDirectory()), fs::path(start) / "cwd_dir" / "inner");
    ASSERT_TRUE(SetCurrentDirectory("../.."));
    for (char const* bad : {"cwd_dir/missing", "", static_cast<char const*>(nullptr)})
        EXPECT_FALSE(SetCurrentDirectory(bad));
    EXPECT_EQ(GetCurrentDirectory(), start);
    fs::current_path(saved);
}

TEST(SysDirectory, TempDirectoryFollowsTmpdirWhenItIsADirectory) {
    EXPECT_TRUE(IsRootDirectory("/") && IsRootDirectory("//") && !IsRootDirectory("/tmp"));
    EXPECT_FALSE(IsRootDirectory("") || IsRootDirectory(nullptr) || IsRootDirectory("tmp"));
    EXPECT_TRUE(IsDirectory(GetTempDirectory().c_str()));
    fs::create_directories("my_tmp");
    std::string const mine = (fs::current_path() / "my_tmp").string();
    // A root never serves as the temporary directory.
    for (std::string const& value :
         {mine, mine + "/missing", std::string(), std::string("/"), std::string("//")}) {
        omtest::ScopedEnv env("TMPDIR", value.c_str());
        EXPECT_EQ(GetTempDirectory(), value == mine ? mine : "/tmp") << value;
    }
}

TEST(SysWriteProbe, WritesReadsAndRemovesTheProbe) {
    EXPECT_TRUE(ProbeWrite("probe.txt"));
    EXPECT_FALSE(PathExists("probe.txt"));
    for (char const* bad : {"no_such_dir/probe.txt", "", static_cast<char const*>(nullptr)})
        EXPECT_FALSE(ProbeWrite(bad));

    // Permissions do not stop root; procfs refuses new files to everybody.
    if (::geteuid() == 0) {
        EXPECT_FALSE(ProbeWrite("/proc/omcore_probe.txt"));
        return;
    }
    fs::create_directories("ro_dir");
    fs::permissions("ro_dir", fs::perms::owner_read | fs::perms::owner_exec);
    bool const writable = ProbeWrite("ro_dir/probe.txt");
    fs::permissions("ro_dir", fs::perms::owner_all);
    EXPECT_FALSE(writable);
}

}  // namespace
}  // namespace om::sys
