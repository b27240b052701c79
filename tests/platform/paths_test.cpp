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

std::string S(String const& s) {
    return std::string(s.chars(), s.length());
}

// Each row: input, then name, name without extension, directory, extension (the whole input when
// there is none) and extension-or-empty.
struct SplitCase {
    char const* in;
    char const* name;
    char const* stem;
    char const* dir;
    char const* ext;
    char const* ext_or_empty;
};

TEST(FileName, SplitsWindowsAndLinuxPaths) {
    SplitCase const cases[] = {
        {"c:\\a\\b.txt", "b.txt", "b", "c:\\a", "txt", "txt"},
        {"c:\\a\\readme", "readme", "", "c:\\a", "c:\\a\\readme", ""},
        {"b.tar.gz", "b.tar.gz", "b.tar", "", "gz", "gz"},
        // The drive colon is a separator at position 1 only.
        {"c:b.txt", "b.txt", "b", "c", "txt", "txt"},
        {"dir/x:y", "x:y", "", "dir", "dir/x:y", ""},
        // A dot in a directory name is no extension; a leading dot starts none either.
        {"a.b/c", "c", "", "a.b", "a.b/c", ""},
        {".bashrc", ".bashrc", "", "", ".bashrc", ""},
        {"home/.profile.bak", ".profile.bak", ".profile", "home", "bak", "bak"},
        // Separators at position 0 are not looked at; a trailing one leaves an empty name.
        {"/x", "/x", "", "", "/x", ""},
        {"dir/", "", "", "dir", "dir/", ""},
        {"a\\b/c", "c", "", "a\\b", "a\\b/c", ""},
        {"", "", "", "", "", ""},
    };
    for (auto const& c : cases) {
        EXPECT_EQ(S(OmGetFilename(c.in)), c.name) << c.in;
        EXPECT_EQ(S(OmGetFilenameNoExt(c.in)), c.stem) << c.in;
        EXPECT_EQ(S(OmGetPath(c.in)), c.dir) << c.in;
        EXPECT_EQ(S(OmGetExtension(c.in)), c.ext) << c.in;
        EXPECT_EQ(S(OmGetExtensionOrEmpty(c.in)), c.ext_or_empty) << c.in;
    }
}

TEST(FileName, JoinsAndChangesExtensions) {
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
    for (auto const& j : joins) EXPECT_EQ(S(OmMakeFilename(j[0], j[1])), j[2]) << j[0];

    char const* const changes[][3] = {
        {"", "txt", ".txt"},
        {"c:\\x.y\\file", "txt", "c:\\x.y\\file.txt"},
        {"/data.d/points.tar.gz", "zip", "/data.d/points.tar.zip"},
        {".bashrc", "bak", ".bashrc.bak"},
    };
    for (auto const& c : changes) {
        String path(c[0]);
        OmChangeFileExtension(path, c[1]);
        EXPECT_EQ(S(path), c[2]) << c[0];
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
        String const dir = OmGetPath(path);
        String const name = OmGetFilename(path);
        if (dir.length() == 0) {
            ASSERT_EQ(S(name), p) << p;
            continue;
        }
        // The separator was dropped: it sits between the two parts.
        ASSERT_EQ(S(dir).size() + 1 + S(name).size(), p.size()) << p;
        ASSERT_EQ(S(dir) + p[dir.length()] + S(name), p) << p;
        ASSERT_EQ(S(name).find_first_of("/\\"), std::string::npos) << p;

        String const ext = OmGetExtensionOrEmpty(path);
        if (ext.length() != 0) {
            ASSERT_EQ(S(OmGetFilenameNoExt(path)) + "." + S(ext), S(name)) << p;
        }
        // "dir/" would get the name ".q", which has no extension.
        if (name.length() == 0) continue;
        String changed = path;
        OmChangeFileExtension(changed, "q");
        ASSERT_EQ(S(OmGetExtensionOrEmpty(changed)), "q") << p;
        ASSERT_EQ(S(OmGetPath(changed)), S(dir)) << p;
    }
}

TEST(FileName, ExistFileSeesFilesAndDirectories) {
    std::filesystem::create_directories("exist_dir");
    std::string const utf8 =
        "exist_dir/gr\xc3\xbc\xc3\x9f"
        "e.txt";
    std::ofstream("exist_dir/f.txt") << "x";
    std::ofstream(utf8) << "x";
    EXPECT_TRUE(OmExistFile("exist_dir"));
    EXPECT_TRUE(OmExistFile(OmMakeFilename("exist_dir", "f.txt")));
    EXPECT_TRUE(OmExistFile(utf8.c_str()));
    EXPECT_FALSE(OmExistFile("exist_dir/g.txt"));
    EXPECT_FALSE(OmExistFile(""));
}

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
