#include <om/log/debug_logger.h>

#include <om/core/wide_text.h>
#include <om/log/application_logger.h>
#include <om/log/master_logger.h>
#include <om/sys/directory.h>

#include <filesystem>
#include <fstream>
#include <locale>

namespace om {
namespace {

constexpr char kProtocolFileName[] = "OmriProtokoll.log";

OmOmriDebugLogger*& InstalledLogger() {
    static OmOmriDebugLogger* logger = nullptr;
    return logger;
}

String& ConfiguredDirectory() {
    static String directory;
    return directory;
}

}  // namespace

int OmOmriDebugLogger::Log(int level, wchar_t const* text) {
    String const path = GetOmriDebugLogPath();
    if (path.empty()) return 0;
    std::ofstream file(path.chars(), std::ios::out | std::ios::app | std::ios::binary);
    if (!file) return 0;
    file.imbue(std::locale::classic());  // plain digits whatever the host's locale
    UniToAnsi const narrow(text);
    file << level << " : " << (narrow() ? narrow() : "") << '\n';
    return 0;
}

void InstallOmriDebugLogger() {
    OmMasterLogger* const master = OmApplicationLogger::GetMasterLogger();
    if (master == nullptr || InstalledLogger() != nullptr) return;
    InstalledLogger() = new OmOmriDebugLogger;
    master->AddLogger(InstalledLogger());
    OmApplicationLogger::LogText(4, L"InstallOmriDebugLogger()");
}

void UninstallOmriDebugLogger() {
    OmMasterLogger* const master = OmApplicationLogger::GetMasterLogger();
    if (master == nullptr || InstalledLogger() == nullptr) return;
    OmApplicationLogger::LogText(4, L"UninstallOmriDebugLogger()");
    master->SubtractLogger(InstalledLogger());
    delete InstalledLogger();
    InstalledLogger() = nullptr;
}

bool IsOmriDebugLoggerInstalled() {
    return InstalledLogger() != nullptr;
}

void SetOmriDebugLogDirectory(String const& directory) {
    ConfiguredDirectory() = directory;
}

String GetOmriDebugLogDirectory() {
    // The log grows without bound: never at the root of the file system, even when asked to.
    String const& configured = ConfiguredDirectory();
    if (!configured.empty() && !sys::IsRootDirectory(configured.chars())) return configured;
    return String(sys::GetTempDirectory().c_str());
}

String GetOmriDebugLogPath() {
    String const directory = GetOmriDebugLogDirectory();
    if (directory.empty()) return String();
    std::filesystem::path const path = std::filesystem::path(directory.chars()) / kProtocolFileName;
    return String(path.string().c_str());
}

}  // namespace om
