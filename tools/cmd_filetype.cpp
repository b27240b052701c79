// omtool filetype: the project-file type of files, by extension and by content.
#include "omtool.h"

#include <om/platform/file_type.h>

#include <cstdio>

namespace {

constexpr char kName[] = "filetype";

// "coo (1)", or "unknown (25)" for the not-recognised type.
std::string Describe(om::eOmriFiletype type) {
    std::string text = (type == om::OmFileUnknown) ? "unknown" : om::GetOmExtensionA(type);
    return text + " (" + std::to_string(static_cast<int>(type)) + ")";
}

int Run(omtool::Args const& args) {
    if (args.empty()) return omtool::UsageError(kName, "no FILE given");
    for (auto const& path : args) {
        om::OmDetectOmriFiles const detect(path.c_str());
        std::printf("%s: extension %s, validated %s\n", path.c_str(),
                    Describe(detect.DetectByExtension()).c_str(),
                    Describe(detect.IsValidOmriFile()).c_str());
    }
    return 0;
}

omtool::Register reg{{kName, "project-file type of files, by extension and content",
                      "usage: omtool filetype FILE...\n\n"
                      "Prints per file the type told by its extension and the type after\n"
                      "checking its content: for most project files the first token must be of\n"
                      "the expected kind (an integer for coordinate files, a keyword for\n"
                      "projects, ...). An empty file keeps its extension type; a file that\n"
                      "cannot be read, or whose content does not fit, is 'unknown (25)'.",
                      Run}};

}  // namespace
