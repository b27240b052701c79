#include <om/platform/file_type.h>

#include <om/platform/file_name.h>
#include <om/sys/text.h>
#include <om/textio/parser.h>

#include <cctype>
#include <fstream>
#include <string>

namespace om {
namespace {

// How a type is recognised.
enum class Check {
    kContent,    // by the kind of the first token
    kExtension,  // by the extension alone
    kNever,      // known, but never validated
};

struct TypeEntry {
    char const* extension;
    wchar_t const* wide_extension;
    Check check;
    eOmTokentype first_token;  // for kContent
};

constexpr TypeEntry kTable[kOmriFiletypeCount] = {
    {"pro", L"pro", Check::kContent, OmTokenKeyword},
    {"coo", L"coo", Check::kContent, OmTokenInt},
    {"coo2", L"coo2", Check::kContent, OmTokenInt},
    {"aor", L"aor", Check::kContent, OmTokenInt},
    {"sip", L"sip", Check::kContent, OmTokenBlockBegin},
    {"imo", L"imo", Check::kContent, OmTokenInt},
    {"aob", L"aob", Check::kContent, OmTokenInt},
    {"log", L"log", Check::kNever, OmTokenOther},
    {"mlg", L"mlg", Check::kNever, OmTokenOther},
    {"res", L"res", Check::kContent, OmTokenString},
    {"dres", L"dres", Check::kContent, OmTokenBlockBegin},
    {"atimo", L"atimo", Check::kContent, OmTokenKeyword},
    {"autopt", L"autopt", Check::kExtension, OmTokenOther},
    {"korrel", L"korrel", Check::kExtension, OmTokenOther},
    {"hdimo", L"hdimo", Check::kNever, OmTokenOther},
    {"ply", L"ply", Check::kExtension, OmTokenOther},
    {"pts", L"pts", Check::kExtension, OmTokenOther},
    {"omptc", L"omptc", Check::kExtension, OmTokenOther},
    {"dwg", L"dwg", Check::kNever, OmTokenOther},
    {"dxf", L"dxf", Check::kNever, OmTokenOther},
    {"gsi", L"gsi", Check::kExtension, OmTokenOther},
    {"zip", L"zip", Check::kNever, OmTokenOther},
    {"xml", L"xml", Check::kExtension, OmTokenOther},
    {"txt", L"txt", Check::kExtension, OmTokenOther},
    {"csv", L"csv", Check::kExtension, OmTokenOther},
    {"", L"", Check::kNever, OmTokenOther},
};

bool InTable(int type) {
    return type >= 0 && type < kOmriFiletypeCount;
}

eOmriFiletype TypeOfExtension(char const* path) {
    std::string ext(OmGetExtensionOrEmpty(String(path)).chars());
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext.empty()) return OmFileUnknown;
    for (int type = 0; type < OmFileUnknown; ++type) {
        if (ext == kTable[type].extension) return static_cast<eOmriFiletype>(type);
    }
    return OmFileUnknown;
}

// Gives access to the tokenizer's single-token step.
class FirstTokenParser : public OmParser {
  public:
    using OmParser::ParseForToken;
};

// True when the first token of the file is of the wanted kind. An empty file
// passes (there is no token that could contradict the extension); an unreadable
// file or any other tokenizer error fails.
bool FirstTokenFits(char const* path, eOmTokentype wanted) {
    std::ifstream in(path);
    if (!in) return false;
    FirstTokenParser parser;
    try {
        parser.ParseForToken(in);
        parser.GetToken(wanted);
        return true;
    } catch (OmParserStatus const& status) {
        return status.GetStatus() == ParserStatusEOF;
    }
}

}  // namespace

char const* GetOmExtensionA(eOmriFiletype type) {
    return InTable(type) ? kTable[type].extension : "";
}

wchar_t const* GetOmExtensionW(eOmriFiletype type) {
    return InTable(type) ? kTable[type].wide_extension : L"";
}

OmDetectOmriFiles::OmDetectOmriFiles(char const* path) {
    Detect(path);
}

OmDetectOmriFiles::OmDetectOmriFiles(wchar_t const* path) {
    if (path != nullptr) Detect(sys::WideToUtf8(path).c_str());
}

void OmDetectOmriFiles::Detect(char const* path) {
    by_extension_ = validated_ = OmFileUnknown;
    if (path == nullptr || *path == '\0') return;
    by_extension_ = TypeOfExtension(path);
    if (by_extension_ == OmFileUnknown) return;
    TypeEntry const& entry = kTable[by_extension_];
    switch (entry.check) {
        case Check::kExtension:
            validated_ = by_extension_;
            break;
        case Check::kContent:
            validated_ = FirstTokenFits(path, entry.first_token) ? by_extension_ : OmFileUnknown;
            break;
        case Check::kNever:
            break;
    }
}

}  // namespace om
