#include <om/sys/debug_output.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace om::sys {
namespace {

NarrowDebugSink& NarrowSink() {
    static NarrowDebugSink sink;
    return sink;
}

WideDebugSink& WideSink() {
    static WideDebugSink sink;
    return sink;
}

// Appends the UTF-8 form of one code point; surrogates and values beyond U+10FFFF (possible
// in a 32-bit wchar_t) become U+FFFD so that the output is always valid UTF-8.
void AppendUtf8(std::string& out, char32_t c) {
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = 0xFFFD;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void WriteToStandardError(std::string_view text) {
    if (!DebugOutputEnabledByEnvironment() || text.empty()) return;
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

}  // namespace

bool DebugOutputEnabledByEnvironment() {
    char const* value = std::getenv("OMCORE_DEBUG");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

NarrowDebugSink SetNarrowDebugSink(NarrowDebugSink sink) {
    return std::exchange(NarrowSink(), std::move(sink));
}

WideDebugSink SetWideDebugSink(WideDebugSink sink) {
    return std::exchange(WideSink(), std::move(sink));
}

void OutputDebugText(std::string_view text) {
    if (NarrowSink()) {
        NarrowSink()(text);
        return;
    }
    WriteToStandardError(text);
}

void OutputDebugText(std::wstring_view text) {
    if (WideSink()) {
        WideSink()(text);
        return;
    }
    if (!DebugOutputEnabledByEnvironment()) return;
    std::string utf8;
    utf8.reserve(text.size());
    for (wchar_t c : text) AppendUtf8(utf8, static_cast<char32_t>(c));
    WriteToStandardError(utf8);
}

}  // namespace om::sys
