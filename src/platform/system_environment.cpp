#include <om/platform/system_environment.h>

namespace om {
namespace {

eOperatingSystem g_operating_system = eOperatingSystemUnknown;
eOmriRunningMode g_running_mode = eOmriRunningModeDefault;

}  // namespace

eOperatingSystem OmSystemEnviroment::GetOperatingSystem() {
    return g_operating_system;
}
void OmSystemEnviroment::SetOperatingSystem(eOperatingSystem os) {
    g_operating_system = os;
}
eOmriRunningMode OmSystemEnviroment::GetRunningMode() {
    return g_running_mode;
}
void OmSystemEnviroment::SetRunningMode(eOmriRunningMode mode) {
    g_running_mode = mode;
}

}  // namespace om
