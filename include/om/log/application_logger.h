// The process-wide entry point through which library code reports to its host.
#pragma once

#include <cstdarg>

namespace om {

class OmMasterLogger;

// Library code calls OmApplicationLogger::Log; the host decides where messages go by
// registering a master logger (which it keeps owning). Without one, logging costs a null test
// and produces no output at all.
class OmApplicationLogger {
  public:
    // Messages are cut to this many characters after formatting.
    static constexpr int kMaxMessageLength = 1499;

    virtual ~OmApplicationLogger() = default;

    // Registers the master logger that receives every message; null unregisters.
    static void RegisterMasterLogger(OmMasterLogger* master);
    static OmMasterLogger* GetMasterLogger();

    // Hands ready text to the master logger (and echoes it to the debugger output).
    // Returns 0. Use this, or Log(level, L"%ls", text), for text that is not a format.
    static int LogText(int level, wchar_t const* text);

    // Formats printf-style (wide: use %ls for wide strings, %s for 8-bit ones) and logs the
    // result, cut to kMaxMessageLength characters. The format must be a format: never pass
    // text that may contain a stray '%'.
    static int Log(int level, wchar_t const* format, ...);
    static int LogV(int level, wchar_t const* format, va_list args);
};

}  // namespace om
