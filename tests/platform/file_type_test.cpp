#include <om/platform/file_type.h>

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

class FileTypeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all("filetype_dir");
        fs::create_directories("filetype_dir");
    }
    static std::string Path(std::string const& name) { return "filetype_dir/" + name; }
    static void Write(std::string const& name, std::string const& text) {
        std::ofstream(Path(name), std::ios::binary) << text;
    }
    static eOmriFiletype Detect(std::string const& name) {
        return OmDetectOmriFiles(Path(name).c_str()).IsValidOmriFile();
    }
};

// Every type with fitting content, a wrong first token and an empty file. Content is looked at
// only where the table asks for it; an empty file keeps its extension's type.
TEST_F(FileTypeTest, EveryTypeWithFittingWrongAndEmptyContent) {
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
            EXPECT_EQ(OmDetectOmriFiles(Path(name).c_str()).DetectByExtension(), type) << name;
            EXPECT_EQ(Detect(name), expected) << name << " <" << text << ">";
        }
    }
    // Blanks and comments before the first token are skipped.
    Write("late.coo", "\n\n; comment\n   7 1 2\n");
    EXPECT_EQ(Detect("late.coo"), OmFileCoordinates);
}

// Missing files, directories, unreadable files and tokenizer errors are not recognised; an
// over-long first line is read in bounded pieces, so a line of digits never passes as a keyword.
TEST_F(FileTypeTest, UnreadableAndMalformedFilesAreNotRecognised) {
    EXPECT_EQ(Detect("missing.coo"), OmFileUnknown);
    EXPECT_EQ(Detect("missing.ply"), OmFilePly);  // known by extension alone: not opened
    fs::create_directories(Path("folder.pro"));
    EXPECT_EQ(Detect("folder.pro"), OmFileUnknown);
    if (::geteuid() != 0) {  // root reads files whatever their permissions
        Write("locked.coo", Content('i'));
        fs::permissions(Path("locked.coo"), fs::perms::none);
        EXPECT_EQ(Detect("locked.coo"), OmFileUnknown);
        fs::permissions(Path("locked.coo"), fs::perms::owner_all);
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
TEST_F(FileTypeTest, ExtensionMatching) {
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
    EXPECT_EQ(OmDetectOmriFiles(L"filetype_dir/m\u00e4ssung.COO").IsValidOmriFile(),
              OmFileCoordinates);
}

}  // namespace
}  // namespace om
