// A ready-made logger that appends every message to a protocol file, and its installation.
#pragma once

#include <om/core/string.h>
#include <om/log/logger.h>

namespace om {

// Appends "<level> : <text>" lines to the file OmriProtokoll.log in the debug log directory
// (see SetOmriDebugLogDirectory). The file is opened and closed for every message, so that the
// protocol survives a crash; a file that cannot be opened is skipped silently.
class OmOmriDebugLogger : public OmLogger {
  public:
    OmOmriDebugLogger() : OmLogger(4) {}
    ~OmOmriDebugLogger() override = default;

    int Log(int level, wchar_t const* text) override;
};

// Creates a debug logger and attaches it to the registered master logger, which then receives
// the note "InstallOmriDebugLogger()" at level 4. Nothing without a master logger or when a
// debug logger is already installed.
void InstallOmriDebugLogger();

// Logs "UninstallOmriDebugLogger()" at level 4, detaches the debug logger from the master
// logger and destroys it. Nothing without a master logger or when none is installed.
// Uninstall before unregistering the master logger.
void UninstallOmriDebugLogger();

bool IsOmriDebugLoggerInstalled();

// Directory of the debug logger's file. An empty name (the default) means the system's
// temporary-files directory; the file never goes to a fixed or root location.
void SetOmriDebugLogDirectory(String const& directory);
String GetOmriDebugLogDirectory();

// The full name of the protocol file: the directory above joined with "OmriProtokoll.log".
String GetOmriDebugLogPath();

}  // namespace om
