// Loggers that record what they receive, shared by the logging tests.
#pragma once

#include <om/log/logger.h>

#include <string>
#include <utility>
#include <vector>

namespace omtest {

class RecordingLogger : public om::OmLogger {
  public:
    explicit RecordingLogger(int level = 3, int result = 0) : OmLogger(level), result_(result) {}

    int Start() override {
        ++starts;
        return result_;
    }
    int Stop() override {
        ++stops;
        return result_;
    }
    int Log(int level, wchar_t const* text) override {
        lines.emplace_back(level, text);
        return result_;
    }

    std::vector<std::pair<int, std::wstring>> lines;
    int starts = 0;
    int stops = 0;

  private:
    int result_;
};

}  // namespace omtest
