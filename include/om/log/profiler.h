// A scoped profiler: times a block of code from construction to destruction.
#pragma once

#include <om/core/string.h>
#include <om/log/dbgprintf.h>
#include <om/log/difftime.h>

namespace om {

// Open a profiler at the start of a long operation; its destruction ends the measurement.
// Live profilers count as the nesting depth, which indents the trace lines written to the
// debugger output ("<indent>Start <text>" and "<indent>Stop <text>: <seconds> s"). With an
// entry name, the elapsed time is also added to that sum of OmProfilerSum.
class OmProfiler {
  public:
    // Longest text of the formatting constructor; longer output is cut.
    static constexpr int kMaxTextLength = 599;

    OmProfiler();
    explicit OmProfiler(String const& text);
    explicit OmProfiler(char const* format, ...) OMCORE_PRINTF_FORMAT(2, 3);
    // A copy is a live profiler of its own and so counts in the depth (every destroyed profiler
    // decrements it). Assignment copies text, entry and timer and leaves the depth alone.
    OmProfiler(OmProfiler const& other);
    OmProfiler& operator=(OmProfiler const& other) = default;
    // Reports the stop, adds to the sum entry, and leaves the nesting level.
    virtual ~OmProfiler();

    // Names the OmProfilerSum entry that receives the elapsed time; empty: no sum.
    void SetProfilerEntry(String const& entry) { m_strEntry = entry; }

    void StartMessage() const;
    void StopMessage();

    String const& GetText() const { return m_strText; }

    // Indentation of the current nesting level: two blanks per live profiler.
    static int GetIndentSpaceNbr();
    static String GetIndentSpaceStr();

    // Number of live profilers (the nesting depth).
    static int m_nInstance;

  private:
    String m_strText;
    String m_strEntry;
    OmDifftime m_Timer;
};

}  // namespace om
