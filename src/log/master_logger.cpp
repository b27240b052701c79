#include <om/log/master_logger.h>

#include <om/sys/clock.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <string_view>

namespace om {
namespace {

constexpr wchar_t kDefaultFormat[] = L"[$hour24:$minute:$second] $mesg";
constexpr std::size_t kMaxLineLength = OmMasterLogger::kLineSize - 1;

// Length of a terminated text, looking at no more than `limit` characters.
std::size_t BoundedLength(wchar_t const* text, std::size_t limit) {
    std::size_t n = 0;
    while (n < limit && text[n] != L'\0') ++n;
    return n;
}

// Copies at most `room - 1` characters and terminates the destination.
void CopyTerminated(wchar_t* dst, std::size_t room, wchar_t const* src) {
    std::size_t const n = src ? BoundedLength(src, room - 1) : 0;
    std::wmemmove(dst, src ? src : L"", n);  // dst may be src (SetFormat(GetFormat()))
    dst[n] = L'\0';
}

std::wstring TwoDigits(int value) {
    wchar_t buffer[16];
    std::swprintf(buffer, 16, L"%02d", value);
    return buffer;
}

// Replaces every occurrence of `pattern` from left to right; the search goes on after the
// inserted text, so a replacement that contains the pattern cannot loop. Text beyond the line
// limit is dropped as soon as it appears: it would be cut at the end anyway, and a huge
// message must not make the line grow with every placeholder.
void ReplaceAll(std::wstring& line, std::wstring_view pattern, std::wstring_view replacement) {
    std::size_t pos = line.find(pattern);
    while (pos != std::wstring::npos && pos < kMaxLineLength) {
        line.replace(pos, pattern.size(), replacement);
        if (line.size() > kMaxLineLength) line.resize(kMaxLineLength);
        pos = line.find(pattern, pos + replacement.size());
    }
}

}  // namespace

OmMasterLogger::OmMasterLogger() {
    CopyTerminated(m_szFormat, kFormatSize, kDefaultFormat);
}

OmMasterLogger::OmMasterLogger(OmMasterLogger const& other)
    : OmLogger(other), m_Loggers(other.m_Loggers) {
    CopyTerminated(m_szFormat, kFormatSize, other.m_szFormat);
}

OmMasterLogger& OmMasterLogger::operator=(OmMasterLogger const& other) {
    if (this == &other) return *this;
    OmLogger::operator=(other);
    m_Loggers = other.m_Loggers;
    CopyTerminated(m_szFormat, kFormatSize, other.m_szFormat);
    return *this;
}

void OmMasterLogger::AddLogger(OmLogger* logger) {
    m_Loggers.Add(new OmLoggerRef(logger));
}

void OmMasterLogger::SubtractLogger(OmLogger* logger) {
    for (OmLoggerRef* ref = m_Loggers.First(); ref != nullptr;
         ref = static_cast<OmLoggerRef*>(ref->Next())) {
        if (ref->GetLogger() == logger) {
            delete m_Loggers.Subtract(ref);
            return;
        }
    }
}

void OmMasterLogger::SetFormat(wchar_t const* format) {
    CopyTerminated(m_szFormat, kFormatSize, format);
}

int OmMasterLogger::Start() {
    int any = 0;
    for (OmLoggerRef* ref = m_Loggers.First(); ref != nullptr;
         ref = static_cast<OmLoggerRef*>(ref->Next())) {
        if (ref->GetLogger() != nullptr && ref->GetLogger()->Start() != 0) any = 1;
    }
    return any;
}

int OmMasterLogger::Stop() {
    int any = 0;
    for (OmLoggerRef* ref = m_Loggers.First(); ref != nullptr;
         ref = static_cast<OmLoggerRef*>(ref->Next())) {
        if (ref->GetLogger() != nullptr && ref->GetLogger()->Stop() != 0) any = 1;
    }
    return any;
}

int OmMasterLogger::Log(int level, wchar_t const* text) {
    wchar_t line[kLineSize];
    CopyTerminated(line, kLineSize, m_szFormat);
    Format(line, text);
    int any = 0;
    for (OmLoggerRef* ref = m_Loggers.First(); ref != nullptr;) {
        // Fetch the successor first: a logger may detach itself while it logs.
        auto* const next = static_cast<OmLoggerRef*>(ref->Next());
        OmLogger* const logger = ref->GetLogger();
        if (logger != nullptr && logger->GetLevel() >= level && logger->Log(level, line) != 0) {
            any = 1;
        }
        ref = next;
    }
    return any;
}

void OmMasterLogger::Format(wchar_t* line, wchar_t const* text) {
    sys::SystemTime const now = sys::LocalSystemTime();
    // 12-hour clock as the host application always showed it: 13..23 map to 1..11, but
    // midnight stays 0 (and noon 12), so "$hour12" reads "00" in the first hour of the day.
    int const hour12 = now.hour >= 13 ? now.hour - 12 : now.hour;
    wchar_t year[16];
    std::swprintf(year, 16, L"%4d", now.year);

    std::wstring expanded(line, BoundedLength(line, kMaxLineLength));
    ReplaceAll(expanded, L"$day", TwoDigits(now.day));
    ReplaceAll(expanded, L"$month", TwoDigits(now.month));
    ReplaceAll(expanded, L"$year", year);
    ReplaceAll(expanded, L"$hour12", TwoDigits(hour12));
    ReplaceAll(expanded, L"$hour24", TwoDigits(now.hour));
    ReplaceAll(expanded, L"$minute", TwoDigits(now.minute));
    ReplaceAll(expanded, L"$second", TwoDigits(now.second));
    ReplaceAll(expanded, L"$ampm", now.hour < 12 ? L"AM" : L"PM");
    ReplaceAll(expanded, L"$mesg", text ? text : L"");
    CopyTerminated(line, kLineSize, expanded.c_str());
}

}  // namespace om
