#include <om/platform/file_name.h>

#include <om/sys/file_attributes.h>

#include <string_view>

namespace om {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

std::string_view View(String const& s) {
    return {s.chars(), static_cast<std::size_t>(s.length())};
}

String Make(std::string_view v) {
    return String(v.data(), static_cast<int>(v.size()));
}

bool IsSeparatorAt(std::string_view path, std::size_t i) {
    char const c = path[i];
    return c == '\\' || c == '/' || (c == ':' && i == 1);
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// Position of the last separator at positions 1 and later, or kNone.
std::size_t LastSeparator(std::string_view path) {
    for (std::size_t i = path.size(); i > 1; --i) {
        if (IsSeparatorAt(path, i - 1)) return i - 1;
    }
    return kNone;
}

// Position where the file name begins.
std::size_t FileNameStart(std::string_view path) {
    std::size_t const sep = LastSeparator(path);
    return sep == kNone ? 0 : sep + 1;
}

// Position of the dot that starts the extension (a dot after the file name's
// first character), or kNone.
std::size_t ExtensionDot(std::string_view path) {
    std::size_t const start = FileNameStart(path);
    std::size_t const dot = path.rfind('.');
    return (dot != kNone && dot > start) ? dot : kNone;
}

}  // namespace

String OmGetFilename(String const& path) {
    std::string_view const v = View(path);
    return Make(v.substr(FileNameStart(v)));
}

String OmGetFilenameNoExt(String const& path) {
    std::string_view const v = View(path);
    std::size_t const dot = ExtensionDot(v);
    if (dot == kNone) return String();
    std::size_t const start = FileNameStart(v);
    return Make(v.substr(start, dot - start));
}

String OmGetPath(String const& path) {
    std::string_view const v = View(path);
    std::size_t const sep = LastSeparator(v);
    return sep == kNone ? String() : Make(v.substr(0, sep));
}

String OmGetExtension(String const& path) {
    std::string_view const v = View(path);
    std::size_t const dot = ExtensionDot(v);
    return dot == kNone ? path : Make(v.substr(dot + 1));
}

String OmGetExtensionOrEmpty(String const& path) {
    std::string_view const v = View(path);
    std::size_t const dot = ExtensionDot(v);
    return dot == kNone ? String() : Make(v.substr(dot + 1));
}

String OmMakeFilename(String const& path, String const& name) {
    std::string_view const p = View(path);
    std::string_view const n = View(name);
    if (p.empty()) return name;
    std::string joined(p);
    if (!IsSeparator(p.back()) && (n.empty() || !IsSeparator(n.front()))) {
        joined += (p.find('\\') != kNone) ? '\\' : '/';
    }
    joined += n;
    return Make(joined);
}

void OmChangeFileExtension(String& path, String const& ext) {
    std::string_view const v = View(path);
    std::size_t const dot = ExtensionDot(v);
    std::string changed(v.substr(0, dot == kNone ? v.size() : dot));
    changed += '.';
    changed += View(ext);
    path = Make(changed);
}

bool OmExistFile(String const& path) {
    return sys::PathExists(path.chars());
}

}  // namespace om
