#include <om/platform/current_path.h>

#include <om/sys/directory.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace om {
namespace {

namespace fs = std::filesystem;

class CurrentPathTest : public ::testing::Test {
  protected:
    void TearDown() override { fs::current_path(saved_); }
    fs::path const saved_ = fs::current_path();
};

TEST_F(CurrentPathTest, WritableDirectoryLeavesNoTestFile) {
    { std::ofstream("OmritestWrite.txt") << "stale"; }  // a leftover is replaced and removed
    EXPECT_TRUE(IsCurrentPathWriteable());
    EXPECT_FALSE(fs::exists("OmritestWrite.txt"));
}

// Unknown or missing directories keep the current one (and still report success).
TEST_F(CurrentPathTest, SetCurrentPathToEntersOnlyExistingDirectories) {
    fs::create_directories("cp_dir/sub");
    fs::path const target = fs::current_path() / "cp_dir" / "sub";
    EXPECT_TRUE(SetCurrentPathTo("cp_missing/dir"));
    EXPECT_TRUE(SetCurrentPathTo(static_cast<char const*>(nullptr)));
    EXPECT_TRUE(SetCurrentPathTo(static_cast<wchar_t const*>(nullptr)));
    EXPECT_EQ(fs::current_path(), saved_);
    EXPECT_TRUE(SetCurrentPathTo("cp_dir/sub"));
    EXPECT_EQ(fs::current_path(), target);
    fs::current_path(saved_);
    EXPECT_TRUE(SetCurrentPathTo(target.wstring().c_str()));
    EXPECT_EQ(fs::current_path(), target);
}

TEST_F(CurrentPathTest, ReadOnlyDirectoryFallsBackToTemp) {
    // Permissions do not stop root; procfs refuses new files to everybody.
    bool const root = ::geteuid() == 0;
    fs::path const readonly = root ? fs::path("/proc") : fs::current_path() / "cp_readonly";
    if (!root) {
        fs::create_directories(readonly);
        fs::permissions(readonly, fs::perms::owner_read | fs::perms::owner_exec);
    }
    fs::current_path(readonly);
    bool const writable_here = IsCurrentPathWriteable();
    bool const switched = SetCurrentPathToWriteAblePath();
    fs::path const now = fs::current_path();
    fs::current_path(saved_);
    if (!root) fs::permissions(readonly, fs::perms::owner_all);
    EXPECT_FALSE(writable_here);
    EXPECT_TRUE(switched);
    EXPECT_EQ(now, fs::path(sys::GetTempDirectory()));
}

}  // namespace
}  // namespace om
