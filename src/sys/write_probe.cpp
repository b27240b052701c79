#include <om/sys/write_probe.h>

#include <cstdio>
#include <cstring>
#include <ctime>

namespace om::sys {
namespace {

constexpr std::size_t kProbeTextSize = 100;  // room for the time text and the line end

// The current local time as "%c\n"; an empty text when the time cannot be formatted.
void LocalTimeLine(char (&text)[kProbeTextSize]) {
    text[0] = '\0';
    std::time_t const now = std::time(nullptr);
    std::tm local{};
    if (::localtime_r(&now, &local) == nullptr) return;
    if (std::strftime(text, sizeof text, "%c\n", &local) == 0) text[0] = '\0';
}

bool WriteText(char const* file_name, char const* text) {
    std::FILE* file = std::fopen(file_name, "w");
    if (file == nullptr) return false;
    bool const written = std::fputs(text, file) >= 0;
    // A failing close can be the first sign of a full disk: it counts as a failed write.
    if (std::fclose(file) == 0 && written) return true;
    std::remove(file_name);
    return false;
}

bool ReadLine(char const* file_name, char (&text)[kProbeTextSize]) {
    std::FILE* file = std::fopen(file_name, "r");
    if (file == nullptr) return false;
    bool const read = std::fgets(text, sizeof text, file) != nullptr;
    std::fclose(file);
    return read;
}

}  // namespace

bool ProbeWrite(char const* file_name) {
    if (file_name == nullptr || *file_name == '\0') return false;
    char written[kProbeTextSize];
    LocalTimeLine(written);
    if (written[0] == '\0') std::strcpy(written, "probe\n");
    if (!WriteText(file_name, written)) return false;
    char read[kProbeTextSize] = {};
    bool const read_back = ReadLine(file_name, read);
    std::remove(file_name);
    // The line is compared without its end, as the line-end convention of the read may differ.
    std::size_t const length = std::strlen(written) - 1;
    return read_back && std::strncmp(written, read, length) == 0;
}

}  // namespace om::sys
