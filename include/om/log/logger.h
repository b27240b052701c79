// Base class of every logger that can be attached to the master logger.
#pragma once

namespace om {

// A receiver of log messages. Levels are plain integers and a smaller level is a more
// important message: a logger of level L receives the messages of level L or less.
// The base class accepts every call and does nothing.
class OmLogger {
  public:
    OmLogger() = default;
    explicit OmLogger(int level) : m_nLevel(level) {}
    OmLogger(OmLogger const&) = default;
    OmLogger& operator=(OmLogger const&) = default;
    virtual ~OmLogger() = default;

    // Called when the host starts and stops its logging session; 0 means nothing to report.
    virtual int Start() { return 0; }
    virtual int Stop() { return 0; }

    // Receives one finished log line of the given level; 0 means nothing to report.
    virtual int Log(int level, wchar_t const* text) {
        (void)level;
        (void)text;
        return 0;
    }

    int GetLevel() const { return m_nLevel; }

  protected:
    int m_nLevel = 3;
};

}  // namespace om
