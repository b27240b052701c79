// Files: names, types and existence, and the current directory.
#include <om/platform/current_path.h>
#include <om/platform/file_name.h>
#include <om/platform/file_type.h>
#include <om/sys/directory.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <utility>

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
    EXPECT_TRUE(OmExistFile("exist_dir") && OmExistFile(OmMakeFilename("exist_dir", "f.txt")));
    EXPECT_TRUE(OmExistFile(utf8.c_str()));
    EXPECT_FALSE(OmExistFile("exist_dir/g.txt") || OmExistFile(""));
}

// Unknown or missing directories keep the current one (and still report success).
// The test runner puts the working directory back after each test.
TEST(CurrentPath, SetCurrentPathToEntersOnlyExistingDirectories) {
    fs::path const saved = fs::current_path();
    fs::create_directories("cp_dir/sub");
    fs::path const target = fs::current_path() / "cp_dir" / "sub";
    EXPECT_TRUE(SetCurrentPathTo("cp_missing/dir"));
    EXPECT_TRUE(SetCurrentPathTo(static_cast<char const*>(nullptr)));
    EXPECT_TRUE(SetCurrentPathTo(static_cast<wchar_t const*>(nullptr)));
    EXPECT_EQ(fs::current_path(), saved);
    EXPECT_TRUE(SetCurrentPathTo("cp_dir/sub"));
    EXPECT_EQ(fs::current_path(), target);
    fs::current_path(saved);
    EXPECT_TRUE(SetCurrentPathTo(target.wstring().c_str()));
    EXPECT_EQ(fs::current_path(), target);
}

// The write probe leaves no file behind; a read-only directory falls back to the temp one.
TEST(CurrentPath, WriteProbeAndFallbackToTemp) {
    fs::path const saved = fs::current_path();
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
    fs::current_path(saved);
    if (!root) fs::permissions(readonly, fs::perms::owner_all);
    EXPECT_FALSE(writable_here);
    EXPECT_TRUE(switched);
    EXPECT_EQ(now, fs::path(sys::GetTempDirectory()));
}

// The extensions in type order, and how each type is validated: by a first token that is an
// integer (i), a keyword (k), a string (s) or a block (b); by its extension alone (e); or not at
// all (-: never recognised).
constexpr char const* kExtensions[] = {"pro",   "coo", "coo2", "aor",   "sip",   "imo",    "aob",
                                       "log",   "mlg", "res",  "dres",  "atimo", "autopt", "korrel",
                                       "hdimo", "ply", "pts",  "omptc", "dwg",   "dxf",    "gsi",
                                       "zip",   "xml", "txt",  "csv"};
constexpr char kValidation[] = "kiiibii--sbkee-eee--e-eee";
static_assert(std::size(kExtensions) == kOmriFiletypeCount - 1);
static_assert(sizeof(kValidation) == kOmriFiletypeCount);

// A file whose first token is of the given kind.
std::string Content(char kind) {
    if (kind == 'i') return "; OMRIGRAPHY 10 Version 8.205\n1001 100.0 200.0 3.5\n";
    if (kind == 'k') return "; OMRIGRAPHY 10 Version 8.205\nKAMERA\n{\n}\n";
    if (kind == 's') return "\"Reseau; 5 x 5\"\n1 0.0 0.0\n";
    return kind == 'b' ? "{\n}\n" : "anything\n";
}

// Each test runs in a fresh scratch directory.
void Write(std::string const& name, std::string const& text) {
    std::ofstream(name, std::ios::binary) << text;
}
eOmriFiletype Detect(std::string const& name) {
    return OmDetectOmriFiles(name.c_str()).IsValidOmriFile();
}

// Every type with fitting content, a wrong first token and an empty file. Content is looked at
// only where the table asks for it; an empty file keeps its extension's type.
TEST(FileType, EveryTypeWithFittingWrongAndEmptyContent) {
    for (int t = 0; t < kOmriFiletypeCount - 1; ++t) {
        auto const type = static_cast<eOmriFiletype>(t);
        char const kind = kValidation[t];
        eOmriFiletype const validated = kind != '-' ? type : OmFileUnknown;
        std::pair<std::string, eOmriFiletype> const variants[] = {
            {Content(kind), validated},
            {Content(kind == 'i' ? 'k' : 'i'), kind == 'e' ? type : OmFileUnknown},
            {"", validated}};
        EXPECT_STREQ(GetOmExtensionA(type), kExtensions[t]);
        std::string const name = std::string("sample.") + kExtensions[t];
        for (auto const& [text, expected] : variants) {
            Write(name, text);
            EXPECT_EQ(OmDetectOmriFiles(name.c_str()).DetectByExtension(), type) << name;
            EXPECT_EQ(Detect(name), expected) << name << " <" << text << ">";
        }
    }
    // Blanks and comments before the first token are skipped.
    Write("late.coo", "\n\n; comment\n   7 1 2\n");
    EXPECT_EQ(Detect("late.coo"), OmFileCoordinates);
}

// Missing files, directories, unreadable files and tokenizer errors are not recognised; an
// over-long first line is read in bounded pieces, so a line of digits never passes as a keyword.
TEST(FileType, UnreadableAndMalformedFilesAreNotRecognised) {
    EXPECT_EQ(Detect("missing.coo"), OmFileUnknown);
    EXPECT_EQ(Detect("missing.ply"), OmFilePly);  // known by extension alone: not opened
    fs::create_directories("folder.pro");
    EXPECT_EQ(Detect("folder.pro"), OmFileUnknown);
    if (::geteuid() != 0) {  // root reads files whatever their permissions
        Write("locked.coo", Content('i'));
        fs::permissions("locked.coo", fs::perms::none);
        EXPECT_EQ(Detect("locked.coo"), OmFileUnknown);
        fs::permissions("locked.coo", fs::perms::owner_all);
    }
    std::pair<char const*, std::string> const cases[] = {
        {"float.coo", "12.5 1 2\n"},  // a number, but not an integer
        {"badnumber.coo", "2x 1 2\n"},
        {"unterminated.res", "\"open string\n"},
        {"long.pro", std::string(20000, '7') + "\n"},
    };
    for (auto const& [name, text] : cases) {
        Write(name, text);
        EXPECT_EQ(Detect(name), OmFileUnknown) << name;
    }
    std::mt19937 rng(51);
    for (int trial = 0; trial < 200; ++trial) {
        std::string bytes(rng() % 3000, '\0');
        for (auto& c : bytes) c = static_cast<char>(rng());
        Write("random.coo", bytes);
        eOmriFiletype const type = Detect("random.coo");
        ASSERT_TRUE(type == OmFileCoordinates || type == OmFileUnknown);
    }
}

// Without case, only in the file name, in both widths; wide names are opened as UTF-8.
TEST(FileType, ExtensionMatching) {
    EXPECT_STREQ(GetOmExtensionW(OmFileCoordinates2), L"coo2");
    EXPECT_STREQ(GetOmExtensionA(static_cast<eOmriFiletype>(-1)), "");
    EXPECT_STREQ(GetOmExtensionW(static_cast<eOmriFiletype>(26)), L"");
    EXPECT_EQ(OmDetectOmriFiles("scan.PlY").DetectByExtension(), OmFilePly);
    EXPECT_EQ(OmDetectOmriFiles("a.b.csv").DetectByExtension(), OmFileCsv);
    for (char const* path : {".coo", "dir.coo/file", "x.coox", "x.", "", "x.co"})
        EXPECT_EQ(OmDetectOmriFiles(path).IsValidOmriFile(), OmFileUnknown) << path;
    EXPECT_EQ(OmDetectOmriFiles(static_cast<wchar_t const*>(nullptr)).IsValidOmriFile(),
              OmFileUnknown);
    Write("m\xc3\xa4ssung.COO", Content('i'));  // a-umlaut in UTF-8
    EXPECT_EQ(OmDetectOmriFiles(L"m\u00e4ssung.COO").IsValidOmriFile(), OmFileCoordinates);
}

}  // namespace
}  // namespace om
