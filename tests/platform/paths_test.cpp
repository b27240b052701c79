// File names, their existence, and the current directory.
#include <om/platform/current_path.h>
#include <om/platform/file_name.h>
#include <om/sys/directory.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <unistd.h>

namespace om {
namespace {

namespace fs = std::filesystem;

// Each split row: input, then name, name without extension, directory, extension (the whole
// input when there is none) and extension-or-empty.
TEST(FileName, SplitsJoinsAndChangesExtensions) {
    char const* const cases[][6] = {
        {"c:\\a\\b.txt", "b.txt", "b", "c:\\a", "txt", "txt"},
        {"c:\\a\\readme", "readme", "", "c:\\a", "c:\\a\\readme", ""},
        // The drive colon is a separator at position 1 only.
        {"c:b.txt", "b.txt", "b", "c", "txt", "txt"},
        {"dir/x:y", "x:y", "", "dir", "dir/x:y", ""},
        // A leading dot starts no extension.
        {".bashrc", ".bashrc", "", "", ".bashrc", ""},
        {"home/.profile.bak", ".profile.bak", ".profile", "home", "bak", "bak"},
        // Separators at position 0 are not looked at; a trailing one leaves an empty name.
        {"/x", "/x", "", "", "/x", ""},
        {"dir/", "", "", "dir", "dir/", ""},
        {"a\\b/c", "c", "", "a\\b", "a\\b/c", ""},
        {"", "", "", "", "", ""},
    };
    for (auto const& c : cases) {
        EXPECT_EQ(OmGetFilename(c[0]), c[1]) << c[0];
        EXPECT_EQ(OmGetFilenameNoExt(c[0]), c[2]) << c[0];
        EXPECT_EQ(OmGetPath(c[0]), c[3]) << c[0];
        EXPECT_EQ(OmGetExtension(c[0]), c[4]) << c[0];
        EXPECT_EQ(OmGetExtensionOrEmpty(c[0]), c[5]) << c[0];
    }
    // Joined with "/" unless the path already holds a backslash.
    char const* const joins[][3] = {
        {"", "file", "file"},
        {"c:\\dir", "file", "c:\\dir\\file"},
        {"c:\\dir\\", "file", "c:\\dir\\file"},
        {"c:\\dir", "\\file", "c:\\dir\\file"},
        {"/a/b", "c.txt", "/a/b/c.txt"},
        {"/a/b/", "c.txt", "/a/b/c.txt"},
        {"rel", "/c.txt", "rel/c.txt"},
        {"dir", "", "dir/"},
    };
    for (auto const& j : joins) EXPECT_EQ(OmMakeFilename(j[0], j[1]), j[2]) << j[0];
    char const* const changes[][3] = {
        {"", "txt", ".txt"},
        {"c:\\x.y\\file", "txt", "c:\\x.y\\file.txt"},
        {"/data.d/points.tar.gz", "zip", "/data.d/points.tar.zip"},
        {".bashrc", "bak", ".bashrc.bak"},
    };
    for (auto const& c : changes) {
        String path(c[0]);
        OmChangeFileExtension(path, c[1]);
        EXPECT_EQ(path, c[2]) << c[0];
    }
}

// Splitting and joining give the path back, for random paths over a small alphabet that holds
// every separator and the dot.
TEST(FileName, PathAndNameJoinBackToThePath) {
    std::mt19937 rng(41);
    char const alphabet[] = "ab./\\";
    for (int trial = 0; trial < 5000; ++trial) {
        std::string p;
        int const length = 1 + static_cast<int>(rng() % 12);
        for (int i = 0; i < length; ++i) p += alphabet[rng() % 5];
        String const path(p.c_str());
        std::string const d = OmGetPath(path).str(), n = OmGetFilename(path).str();
        // The separator was dropped: it sits between the two parts.
        ASSERT_EQ(d.empty() ? n : d + p.substr(d.size(), 1) + n, p);
        if (d.empty()) continue;
        ASSERT_EQ(n.find_first_of("/\\"), std::string::npos) << p;
        String const ext = OmGetExtensionOrEmpty(path);
        if (ext.length() != 0) {
            ASSERT_EQ(OmGetFilenameNoExt(path).str() + "." + ext.str(), n) << p;
        }
        // "dir/" would get the name ".q", which has no extension.
        if (n.empty()) continue;
        String changed = path;
        OmChangeFileExtension(changed, "q");
        ASSERT_EQ(OmGetExtensionOrEmpty(changed), "q") << p;
        ASSERT_EQ(OmGetPath(changed).str(), d) << p;
    }
}

TEST(FileName, ExistFileSeesFilesAndDirectories) {
    fs::create_directories("exist_dir");
    std::string const utf8 = "exist_dir/gr\u00fc\u00dfe.txt";
    std::ofstream("exist_dir/f.txt") << "x";
    std::ofstream(utf8) << "x";
    EXPECT_TRUE(OmExistFile("exist_dir"));
    EXPECT_TRUE(OmExistFile(OmMakeFilename("exist_dir", "f.txt")));
    EXPECT_TRUE(OmExistFile(utf8.c_str()));
    EXPECT_FALSE(OmExistFile("exist_dir/g.txt"));
    EXPECT_FALSE(OmExistFile(""));
}

class CurrentPathTest : public ::testing::Test {
  protected:
    void TearDown() override { fs::current_path(saved_); }
    fs::path const saved_ = fs::current_path();
};

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

// The write probe leaves no file behind; a read-only directory falls back to the temp one.
TEST_F(CurrentPathTest, WriteProbeAndFallbackToTemp) {
    { std::ofstream("OmritestWrite.txt") << "stale"; }  // a leftover is replaced and removed
    EXPECT_TRUE(IsCurrentPathWriteable());
    EXPECT_FALSE(fs::exists("OmritestWrite.txt"));
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
