// Token-level reading of a plane group's values, shared by the record and the file reader.
#pragma once

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include <om/textio/parser.h>

namespace om {

// Takes the current token as a number, refusing a value that overflowed to infinity (for
// instance 1e999) like a malformed number, then advances with `advance()`.
template <class Advance>
double OmTakePlaneNumber(OmParser& parser, Advance&& advance) {
    const double v = parser.GetTokenNumber();
    if (!std::isfinite(v)) {
        OmParserStatus status = parser.GetStatus();
        status.SetStatus(ParserErrorInvalidNumber);
        throw status;
    }
    advance();
    return v;
}

// Takes the current integer token as an id (without advancing). Ids are unsigned 32-bit, so a
// digits-only token is converted in full (4000000000 stays 4000000000) and one beyond 2^32 - 1
// is refused; a signed token keeps the integer reading.
inline unsigned OmTakePlaneId(OmParser& parser) {
    const OmParserToken& token = parser.GetToken(OmTokenInt);
    const char* text = token.GetString();
    if (text == nullptr || *text == '-' || *text == '+')
        return static_cast<unsigned>(token.GetInt());
    errno = 0;
    const unsigned long long v = std::strtoull(text, nullptr, 10);
    if (errno == ERANGE || v > UINT32_MAX) {
        OmParserStatus status = parser.GetStatus();
        status.SetStatus(ParserErrorInvalidNumber);
        throw status;
    }
    return static_cast<unsigned>(v);
}

}  // namespace om
