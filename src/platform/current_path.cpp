#include <om/platform/current_path.h>

#include <om/sys/directory.h>
#include <om/sys/text.h>
#include <om/sys/write_probe.h>

#include <string>

namespace om {

bool IsCurrentPathWriteable() {
    return sys::ProbeWrite("OmritestWrite.txt");
}

bool SetCurrentPathToWriteAblePath() {
    if (IsCurrentPathWriteable()) return true;
    std::string const temp = sys::GetTempDirectory();
    sys::SetCurrentDirectory(temp.c_str());
    return IsCurrentPathWriteable();
}

bool SetCurrentPathTo(char const* path) {
    sys::SetCurrentDirectory(path);
    return SetCurrentPathToWriteAblePath();
}

bool SetCurrentPathTo(wchar_t const* path) {
    if (path == nullptr) return SetCurrentPathToWriteAblePath();
    return SetCurrentPathTo(sys::WideToUtf8(path).c_str());
}

}  // namespace om
