#include <om/log/profiler.h>

#include <om/log/profiler_sum.h>

#include <cstdarg>
#include <string>

#include "log/format_text.h"

namespace om {

int OmProfiler::m_nInstance = 0;

OmProfiler::OmProfiler() {
    ++m_nInstance;
}

OmProfiler::OmProfiler(String const& text) : m_strText(text) {
    ++m_nInstance;
    StartMessage();
}

OmProfiler::OmProfiler(char const* format, ...) {
    va_list args;
    va_start(args, format);
    std::string const text = detail::FormatNarrow(kMaxTextLength, format, args);
    va_end(args);
    m_strText = String(text.c_str());
    ++m_nInstance;
    StartMessage();
}

OmProfiler::OmProfiler(OmProfiler const& other)
    : m_strText(other.m_strText), m_strEntry(other.m_strEntry), m_Timer(other.m_Timer) {
    ++m_nInstance;
}

OmProfiler::~OmProfiler() {
    StopMessage();
    --m_nInstance;
}

void OmProfiler::StartMessage() const {
    if (m_strText.empty()) return;
    dbgprintf("%sStart %s\n", GetIndentSpaceStr().chars(), m_strText.chars());
}

void OmProfiler::StopMessage() {
    double const seconds = m_Timer.CurrentValue();
    if (!m_strEntry.empty()) OmProfilerSum::Add(m_strEntry, seconds);
    if (m_strText.empty()) return;
    dbgprintf("%sStop %s: %.3f s\n", GetIndentSpaceStr().chars(), m_strText.chars(), seconds);
}

int OmProfiler::GetIndentSpaceNbr() {
    return 2 * m_nInstance;
}

String OmProfiler::GetIndentSpaceStr() {
    int const n = GetIndentSpaceNbr();
    return n > 0 ? String(std::string(static_cast<std::size_t>(n), ' ').c_str()) : String();
}

}  // namespace om
