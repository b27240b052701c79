#include <om/platform/file_type.h>

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <utility>

#include <unistd.h>

namespace om {
namespace {

namespace fs = std::filesystem;

enum class Kind { kInt, kKeyword, kString, kBlock, kNone };

// How each type is validated: by a first token of a kind, or not at all (kNone).
struct Expectation {
    eOmriFiletype type;
    char const* extension;
    bool by_extension_alone;
    Kind first_token;
};

constexpr Expectation kExpected[] = {
    {OmFileProject, "pro", false, Kind::kKeyword},
    {OmFileCoordinates, "coo", false, Kind::kInt},
    {OmFileCoordinates2, "coo2", false, Kind::kInt},
    {OmFileOrientation, "aor", false, Kind::kInt},
    {OmFileSip, "sip", false, Kind::kBlock},
    {OmFileImageMeasure, "imo", false, Kind::kInt},
    {OmFileAob, "aob", false, Kind::kInt},
    {OmFileLog, "log", false, Kind::kNone},
    {OmFileMeasureLog, "mlg", false, Kind::kNone},
    {OmFileReseau, "res", false, Kind::kString},
    {OmFileDigitalReseau, "dres", false, Kind::kBlock},
    {OmFileAutoImageMeasure, "atimo", false, Kind::kKeyword},
    {OmFileAutoPoints, "autopt", true, Kind::kNone},
    {OmFileCorrelation, "korrel", true, Kind::kNone},
    {OmFileHdImageMeasure, "hdimo", false, Kind::kNone},
    {OmFilePly, "ply", true, Kind::kNone},
    {OmFilePts, "pts", true, Kind::kNone},
    {OmFilePointCloud, "omptc", true, Kind::kNone},
    {OmFileDwg, "dwg", false, Kind::kNone},
    {OmFileDxf, "dxf", false, Kind::kNone},
    {OmFileGsi, "gsi", true, Kind::kNone},
    {OmFileZip, "zip", false, Kind::kNone},
    {OmFileXml, "xml", true, Kind::kNone},
    {OmFileTxt, "txt", true, Kind::kNone},
    {OmFileCsv, "csv", true, Kind::kNone},
};
static_assert(std::size(kExpected) == kOmriFiletypeCount - 1);

std::string Content(Kind kind) {
    switch (kind) {
        case Kind::kInt:
            return "; OMRIGRAPHY 10 Version 8.205\n1001 100.0 200.0 3.5\n";
        case Kind::kKeyword:
            return "; OMRIGRAPHY 10 Version 8.205\nKAMERA\n{\n}\n";
        case Kind::kString:
            return "\"Reseau; 5 x 5\"\n1 0.0 0.0\n";
        case Kind::kBlock:
            return "{\n}\n";
        case Kind::kNone:
            return "anything\n";
    }
    return {};
}

// Content whose first token is of another kind.
std::string Misfit(Kind kind) {
    return Content(kind == Kind::kInt ? Kind::kKeyword : Kind::kInt);
}

void WriteFile(std::string const& path, std::string const& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

class FileTypeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    std::string Path(std::string const& name) const { return dir_ + "/" + name; }
    std::string dir_ = "filetype_dir";
};

// Every type with fitting content, a wrong first token and an empty file. Content is looked at
// only where the table asks for it; an empty file keeps its extension's type.
TEST_F(FileTypeTest, EveryTableEntryWithFittingWrongAndEmptyContent) {
    for (auto const& e : kExpected) {
        bool const validated = e.by_extension_alone || e.first_token != Kind::kNone;
        std::string const fitting = Content(e.first_token), misfit = Misfit(e.first_token);
        struct Variant {
            std::string text;
            eOmriFiletype expected;
        };
        Variant const variants[] = {
            {fitting, validated ? e.type : OmFileUnknown},
            {misfit, e.by_extension_alone ? e.type : OmFileUnknown},
            {"", validated ? e.type : OmFileUnknown},
        };
        for (auto const& v : variants) {
            std::string const path = Path(std::string("sample.") + e.extension);
            WriteFile(path, v.text);
            OmDetectOmriFiles const detect(path.c_str());
            EXPECT_EQ(detect.DetectByExtension(), e.type) << path;
            EXPECT_EQ(detect.IsValidOmriFile(), v.expected) << path << " <" << v.text << ">";
        }
    }
    // Only blanks and comments count as empty too.
    WriteFile(Path("blank.coo"), "   \n; just a comment\n\t\n");
    EXPECT_EQ(OmDetectOmriFiles(Path("blank.coo").c_str()).IsValidOmriFile(), OmFileCoordinates);
}

// Missing files, directories, unreadable files and tokenizer errors are not recognised; an
// over-long first line is read in bounded pieces, so a line of digits never passes as a keyword.
TEST_F(FileTypeTest, UnreadableAndMalformedFilesAreNotRecognised) {
    EXPECT_EQ(OmDetectOmriFiles(Path("missing.coo").c_str()).IsValidOmriFile(), OmFileUnknown);
    // Types known by extension alone do not open the file.
    EXPECT_EQ(OmDetectOmriFiles(Path("missing.ply").c_str()).IsValidOmriFile(), OmFilePly);
    fs::create_directories(Path("folder.pro"));
    EXPECT_EQ(OmDetectOmriFiles(Path("folder.pro").c_str()).IsValidOmriFile(), OmFileUnknown);
    if (::geteuid() != 0) {  // root reads files whatever their permissions
        WriteFile(Path("locked.coo"), Content(Kind::kInt));
        fs::permissions(Path("locked.coo"), fs::perms::none);
        EXPECT_EQ(OmDetectOmriFiles(Path("locked.coo").c_str()).IsValidOmriFile(), OmFileUnknown);
        fs::permissions(Path("locked.coo"), fs::perms::owner_all);
    }
    std::pair<char const*, std::string> const cases[] = {
        {"float.coo", "12.5 1 2\n"},  // a number, but not an integer
        {"badnumber.coo", "2x 1 2\n"},
        {"unterminated.res", "\"open string\n"},
        {"long.pro", std::string(20000, '7') + "\n"},
    };
    for (auto const& [name, text] : cases) {
        WriteFile(Path(name), text);
        EXPECT_EQ(OmDetectOmriFiles(Path(name).c_str()).IsValidOmriFile(), OmFileUnknown) << name;
    }
    WriteFile(Path("late.coo"), "\n\n; comment\n   7 1 2\n");
    EXPECT_EQ(OmDetectOmriFiles(Path("late.coo").c_str()).IsValidOmriFile(), OmFileCoordinates);
    std::mt19937 rng(51);
    for (int trial = 0; trial < 200; ++trial) {
        std::string bytes(rng() % 3000, '\0');
        for (auto& c : bytes) c = static_cast<char>(rng());
        WriteFile(Path("random.coo"), bytes);
        eOmriFiletype const type = OmDetectOmriFiles(Path("random.coo").c_str()).IsValidOmriFile();
        ASSERT_TRUE(type == OmFileCoordinates || type == OmFileUnknown);
    }
}

// Without case, only in the file name; wide names are opened as UTF-8.
TEST_F(FileTypeTest, ExtensionMatching) {
    WriteFile(Path("UPPER.COO"), Content(Kind::kInt));
    EXPECT_EQ(OmDetectOmriFiles(Path("UPPER.COO").c_str()).IsValidOmriFile(), OmFileCoordinates);
    EXPECT_EQ(OmDetectOmriFiles("scan.PlY").DetectByExtension(), OmFilePly);
    EXPECT_EQ(OmDetectOmriFiles("a.b.csv").DetectByExtension(), OmFileCsv);
    for (char const* path : {"coo", ".coo", "dir.coo/file", "x.abc", "x.coox", "x.", "", "x.co"}) {
        OmDetectOmriFiles const detect(path);
        EXPECT_EQ(detect.DetectByExtension(), OmFileUnknown) << path;
        EXPECT_EQ(detect.IsValidOmriFile(), OmFileUnknown) << path;
    }
    EXPECT_EQ(OmDetectOmriFiles(static_cast<char const*>(nullptr)).DetectByExtension(),
              OmFileUnknown);
    EXPECT_EQ(OmDetectOmriFiles(static_cast<wchar_t const*>(nullptr)).IsValidOmriFile(),
              OmFileUnknown);
    WriteFile(Path("m\xc3\xa4ssung.coo"), Content(Kind::kInt));  // a-umlaut in UTF-8
    EXPECT_EQ(OmDetectOmriFiles(L"filetype_dir/m\u00e4ssung.coo").IsValidOmriFile(),
              OmFileCoordinates);
}

TEST(FileTypeTable, ExtensionsInBothWidths) {
    for (auto const& e : kExpected) {
        EXPECT_STREQ(GetOmExtensionA(e.type), e.extension);
        std::wstring const wide(e.extension, e.extension + std::strlen(e.extension));
        EXPECT_STREQ(GetOmExtensionW(e.type), wide.c_str());
    }
    EXPECT_STREQ(GetOmExtensionA(static_cast<eOmriFiletype>(-1)), "");
    EXPECT_STREQ(GetOmExtensionW(static_cast<eOmriFiletype>(26)), L"");
}

}  // namespace
}  // namespace om
