#include <om/log/application_logger.h>

#include <om/log/dbgprintf.h>
#include <om/log/master_logger.h>

#include "log/format_text.h"

namespace om {
namespace {

OmMasterLogger*& RegisteredMaster() {
    static OmMasterLogger* master = nullptr;
    return master;
}

}  // namespace

void OmApplicationLogger::RegisterMasterLogger(OmMasterLogger* master) {
    RegisteredMaster() = master;
}

OmMasterLogger* OmApplicationLogger::GetMasterLogger() {
    return RegisteredMaster();
}

int OmApplicationLogger::LogText(int level, wchar_t const* text) {
    OmMasterLogger* const master = RegisteredMaster();
    if (master == nullptr) return 0;
    if (text == nullptr) text = L"";
    dbgprintf(L"Log: %ls", text);
    master->Log(level, text);
    return 0;
}

int OmApplicationLogger::LogV(int level, wchar_t const* format, va_list args) {
    // Formatting is skipped when nobody listens.
    if (RegisteredMaster() == nullptr) return 0;
    std::wstring const text = detail::FormatWide(kMaxMessageLength, format, args);
    return LogText(level, text.c_str());
}

int OmApplicationLogger::Log(int level, wchar_t const* format, ...) {
    va_list args;
    va_start(args, format);
    int const result = LogV(level, format, args);
    va_end(args);
    return result;
}

}  // namespace om
