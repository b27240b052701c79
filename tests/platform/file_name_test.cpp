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

TEST(FileName, SplitsWindowsPaths) {
    EXPECT_EQ(S(OmGetFilename("c:\\a\\b.txt")), "b.txt");
    EXPECT_EQ(S(OmGetFilename("name")), "name");
    EXPECT_EQ(S(OmGetFilenameNoExt("c:\\a\\b.txt")), "b");
    EXPECT_EQ(S(OmGetFilenameNoExt("c:\\a\\readme")), "");
    EXPECT_EQ(S(OmGetExtension("b.tar.gz")), "gz");
    EXPECT_EQ(S(OmGetExtension("readme")), "readme");
    EXPECT_EQ(S(OmGetPath("c:\\a\\b.txt")), "c:\\a");
    EXPECT_EQ(S(OmGetPath("b.txt")), "");
    // The drive colon is a separator at position 1 only.
    EXPECT_EQ(S(OmGetFilename("c:b.txt")), "b.txt");
    EXPECT_EQ(S(OmGetPath("c:b.txt")), "c");
    EXPECT_EQ(S(OmGetFilename("ab:c")), "ab:c");
    EXPECT_EQ(S(OmGetFilename("dir/x:y")), "x:y");
}

TEST(FileName, SplitsLinuxPaths) {
    EXPECT_EQ(S(OmGetFilename("/a/b.c")), "b.c");
    EXPECT_EQ(S(OmGetPath("/a/b.c")), "/a");
    EXPECT_EQ(S(OmGetExtension("/a/b.c")), "c");
    EXPECT_EQ(S(OmGetFilenameNoExt("/a/b.c")), "b");

    EXPECT_EQ(S(OmGetFilename("./x")), "x");
    EXPECT_EQ(S(OmGetPath("./x")), ".");
    EXPECT_EQ(S(OmGetExtension("./x")), "./x");  // no extension: the whole input
    EXPECT_EQ(S(OmGetFilenameNoExt("./x")), "");

    // A dot in a directory name is no extension.
    EXPECT_EQ(S(OmGetFilename("a.b/c")), "c");
    EXPECT_EQ(S(OmGetExtension("a.b/c")), "a.b/c");
    EXPECT_EQ(S(OmGetExtensionOrEmpty("a.b/c")), "");
    EXPECT_EQ(S(OmGetFilenameNoExt("a.b/c")), "");

    // Hidden files: the leading dot starts no extension.
    EXPECT_EQ(S(OmGetFilename(".bashrc")), ".bashrc");
    EXPECT_EQ(S(OmGetExtension(".bashrc")), ".bashrc");
    EXPECT_EQ(S(OmGetFilenameNoExt(".bashrc")), "");
    EXPECT_EQ(S(OmGetExtension("home/.bashrc")), "home/.bashrc");
    EXPECT_EQ(S(OmGetExtension("home/.profile.bak")), "bak");
    EXPECT_EQ(S(OmGetFilenameNoExt("home/.profile.bak")), ".profile");

    // Separators at position 0 are not looked at; a trailing one leaves an empty name.
    EXPECT_EQ(S(OmGetFilename("/x")), "/x");
    EXPECT_EQ(S(OmGetPath("/x")), "");
    EXPECT_EQ(S(OmGetFilename("dir/")), "");
    EXPECT_EQ(S(OmGetPath("dir/")), "dir");
    EXPECT_EQ(S(OmGetFilename("a\\b/c")), "c");
    EXPECT_EQ(S(OmGetPath("a/b\\c")), "a/b");
    EXPECT_EQ(S(OmGetExtension("a.txt/")), "a.txt/");
}

TEST(FileName, EmptyInput) {
    EXPECT_EQ(S(OmGetFilename("")), "");
    EXPECT_EQ(S(OmGetFilenameNoExt("")), "");
    EXPECT_EQ(S(OmGetPath("")), "");
    EXPECT_EQ(S(OmGetExtension("")), "");
    EXPECT_EQ(S(OmMakeFilename("", "")), "");
    String path;
    OmChangeFileExtension(path, "txt");
    EXPECT_EQ(S(path), ".txt");
}

TEST(FileName, JoinsWithTheSeparatorThePathUses) {
    EXPECT_EQ(S(OmMakeFilename("", "file")), "file");
    EXPECT_EQ(S(OmMakeFilename("c:\\dir", "file")), "c:\\dir\\file");
    EXPECT_EQ(S(OmMakeFilename("c:\\dir\\", "file")), "c:\\dir\\file");
    EXPECT_EQ(S(OmMakeFilename("c:\\dir", "\\file")), "c:\\dir\\file");
    EXPECT_EQ(S(OmMakeFilename("/a/b", "c.txt")), "/a/b/c.txt");
    EXPECT_EQ(S(OmMakeFilename("/a/b/", "c.txt")), "/a/b/c.txt");
    EXPECT_EQ(S(OmMakeFilename("rel", "/c.txt")), "rel/c.txt");
    EXPECT_EQ(S(OmMakeFilename(".", "x")), "./x");
    EXPECT_EQ(S(OmMakeFilename("dir", "")), "dir/");
}

TEST(FileName, ChangesOnlyTheFileNamesExtension) {
    String path("c:\\x.y\\file");
    OmChangeFileExtension(path, "txt");
    EXPECT_EQ(S(path), "c:\\x.y\\file.txt");
    OmChangeFileExtension(path, "coo");
    EXPECT_EQ(S(path), "c:\\x.y\\file.coo");

    String linux_path("/data.d/points.tar.gz");
    OmChangeFileExtension(linux_path, "zip");
    EXPECT_EQ(S(linux_path), "/data.d/points.tar.zip");

    String hidden(".bashrc");
    OmChangeFileExtension(hidden, "bak");
    EXPECT_EQ(S(hidden), ".bashrc.bak");

    String no_ext("a.b/c");
    OmChangeFileExtension(no_ext, "d");
    EXPECT_EQ(S(no_ext), "a.b/c.d");
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
        // No separator is left in the name.
        ASSERT_EQ(S(name).find_first_of("/\\"), std::string::npos) << p;

        // Name without extension, a dot and the extension give the name back when there is one.
        String const ext = OmGetExtensionOrEmpty(path);
        if (ext.length() != 0) {
            ASSERT_EQ(S(OmGetFilenameNoExt(path)) + "." + S(ext), S(name)) << p;
        }
        // Changing the extension keeps everything before it (a name is needed: "dir/" would get
        // the name ".q", which has no extension).
        if (name.length() == 0) continue;
        String changed = path;
        OmChangeFileExtension(changed, "q");
        ASSERT_EQ(S(OmGetExtensionOrEmpty(changed)), "q") << p;
        ASSERT_EQ(S(OmGetPath(changed)), S(dir)) << p;
    }
}

TEST(FileName, ExistFileSeesFilesAndDirectories) {
    namespace fs = std::filesystem;
    fs::create_directories("exist_dir");
    { std::ofstream("exist_dir/f.txt") << "x"; }
    {
        std::ofstream(
            "exist_dir/gr\xc3\xbc\xc3\x9f"
            "e.txt")
            << "x";
    }  // UTF-8 name
    EXPECT_TRUE(OmExistFile("exist_dir"));
    EXPECT_TRUE(OmExistFile("exist_dir/f.txt"));
    EXPECT_TRUE(OmExistFile(OmMakeFilename("exist_dir", "f.txt")));
    EXPECT_TRUE(
        OmExistFile("exist_dir/gr\xc3\xbc\xc3\x9f"
                    "e.txt"));
    EXPECT_FALSE(OmExistFile("exist_dir/g.txt"));
    EXPECT_FALSE(OmExistFile(""));
}

}  // namespace
}  // namespace om
