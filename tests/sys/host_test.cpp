#include <om/sys/directory.h>
#include <om/sys/file_attributes.h>
#include <om/sys/messages.h>
#include <om/sys/write_probe.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "om_test_time.h"

namespace om::sys {
namespace {

namespace fs = std::filesystem;

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
    EXPECT_EQ(fs::path(start), fs::current_path());
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
    EXPECT_FALSE(HasPostMessageHandler());
    EXPECT_EQ(PostMessage(&window, a, 1, -2), 0);
}

}  // namespace
}  // namespace om::sys
