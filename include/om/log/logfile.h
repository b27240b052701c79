// A protocol file: an appending text stream that starts each session with a banner.
#pragma once

#include <fstream>

namespace om {

// Computations that write protocols open one of these; each opening appends a banner (a rule
// of 132 slashes and the local time) to whatever the file already holds. The last banner line
// "//  " is left open, so that the first text written continues it.
class OmLogfile : public std::fstream {
  public:
    static constexpr int kRuleLength = 132;

    OmLogfile() = default;
    explicit OmLogfile(char const* path) { OpenFile(path); }
    ~OmLogfile() override { close(); }

    // Writes the banner at the current position.
    void WriteSmallHeader();

  protected:
    // Opens the file for appending (creating it when missing) and writes the banner. On
    // failure the stream is left closed with its fail bit set.
    void OpenFile(char const* path);
};

}  // namespace om
