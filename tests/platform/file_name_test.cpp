#include <om/platform/file_name.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

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
        {"name", "name", "", "", "name", ""},
        // The drive colon is a separator at position 1 only.
        {"c:b.txt", "b.txt", "b", "c", "txt", "txt"},
        {"ab:c", "ab:c", "", "", "ab:c", ""},
        {"dir/x:y", "x:y", "", "dir", "dir/x:y", ""},
        {"/a/b.c", "b.c", "b", "/a", "c", "c"},
        {"./x", "x", "", ".", "./x", ""},
        // A dot in a directory name is no extension; a leading dot starts none either.
        {"a.b/c", "c", "", "a.b", "a.b/c", ""},
        {".bashrc", ".bashrc", "", "", ".bashrc", ""},
        {"home/.bashrc", ".bashrc", "", "home", "home/.bashrc", ""},
        {"home/.profile.bak", ".profile.bak", ".profile", "home", "bak", "bak"},
        // Separators at position 0 are not looked at; a trailing one leaves an empty name.
        {"/x", "/x", "", "", "/x", ""},
        {"dir/", "", "", "dir", "dir/", ""},
        {"a\\b/c", "c", "", "a\\b", "a\\b/c", ""},
        {"a/b\\c", "c", "", "a/b", "a/b\\c", ""},
        {"a.txt/", "", "", "a.txt", "a.txt/", ""},
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
        {"", "", ""},
        {"", "file", "file"},
        {"c:\\dir", "file", "c:\\dir\\file"},
        {"c:\\dir\\", "file", "c:\\dir\\file"},
        {"c:\\dir", "\\file", "c:\\dir\\file"},
        {"/a/b", "c.txt", "/a/b/c.txt"},
        {"/a/b/", "c.txt", "/a/b/c.txt"},
        {"rel", "/c.txt", "rel/c.txt"},
        {".", "x", "./x"},
        {"dir", "", "dir/"},
    };
    for (auto const& j : joins) EXPECT_EQ(S(OmMakeFilename(j[0], j[1])), j[2]) << j[0];

    char const* const changes[][3] = {
        {"", "txt", ".txt"},
        {"c:\\x.y\\file", "txt", "c:\\x.y\\file.txt"},
        {"c:\\x.y\\file.txt", "coo", "c:\\x.y\\file.coo"},
        {"/data.d/points.tar.gz", "zip", "/data.d/points.tar.zip"},
        {".bashrc", "bak", ".bashrc.bak"},
        {"a.b/c", "d", "a.b/c.d"},
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

}  // namespace
}  // namespace om
