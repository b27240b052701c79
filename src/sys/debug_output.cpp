#include <om/sys/debug_output.h>

#include <om/sys/text.h>

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
    WriteToStandardError(WideToUtf8(text));
}

}  // namespace om::sys
