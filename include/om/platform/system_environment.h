// Process-wide settings that the front end makes once: which operating system it runs on and in
// which mode the application runs. The library only stores them.
#pragma once

namespace om {

enum eOperatingSystem {
    eOperatingSystemUnknown = 0,
    eOperatingSystemWindows = 1,
    eOperatingSystemLinux = 2,
    eOperatingSystemMacOS = 3,
};

enum eOmriRunningMode {
    eOmriRunningModeDefault = 0,
    eOmriRunningModeViewer = 1,  // reading and measuring only
    eOmriRunningModeBatch = 2,   // no user interaction
};

class OmSystemEnviroment {
  public:
    static eOperatingSystem GetOperatingSystem();
    static void SetOperatingSystem(eOperatingSystem os);
    static eOmriRunningMode GetRunningMode();
    static void SetRunningMode(eOmriRunningMode mode);
};

}  // namespace om
