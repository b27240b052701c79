// The master logger: stamps messages by a template and hands them to the attached loggers.
#pragma once

#include <om/core/list_header.h>
#include <om/log/logger.h>
#include <om/log/logger_ref.h>

namespace om {

// Receives every message of the application logger, expands its template with the local
// time and the message, and passes the line to each attached logger whose level admits it.
class OmMasterLogger : public OmLogger {
  public:
    // Room of the template (199 characters and the terminator) and of an expanded line
    // (499 characters and the terminator); longer text is cut.
    static constexpr int kFormatSize = 200;
    static constexpr int kLineSize = 500;

    // Level 3, no loggers, the template "[$hour24:$minute:$second] $mesg".
    OmMasterLogger();
    OmMasterLogger(OmMasterLogger const& other);
    OmMasterLogger& operator=(OmMasterLogger const& other);

    // Attaches a logger (not owned); the same logger may be attached more than once.
    void AddLogger(OmLogger* logger);
    // Detaches the first reference to the logger; nothing when it is not attached.
    void SubtractLogger(OmLogger* logger);

    // Sets the line template. Placeholders: $day, $month, $year, $hour12, $hour24, $minute,
    // $second, $ampm (local time) and $mesg (the message). Keeps at most 199 characters.
    void SetFormat(wchar_t const* format);
    wchar_t const* GetFormat() const { return m_szFormat; }

    // Forward to every attached logger in order; 1 when any of them returned non-zero.
    int Start() override;
    int Stop() override;

    // Expands the template for the text and delivers the line to every attached logger whose
    // level is at least `level`. 1 when any called logger returned non-zero, else 0.
    int Log(int level, wchar_t const* text) override;

  protected:
    // Expands the template held in `line` (a buffer of kLineSize characters) in place with the
    // current local time and the message text. The placeholders are replaced in the order
    // $day, $month, $year, $hour12, $hour24, $minute, $second, $ampm and last $mesg, so that
    // placeholder words inside a message stay as they are.
    void Format(wchar_t* line, wchar_t const* text);

  private:
    TOmListHeader<OmLoggerRef> m_Loggers;
    wchar_t m_szFormat[kFormatSize];
};

}  // namespace om
