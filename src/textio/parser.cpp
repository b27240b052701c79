#include <om/textio/parser.h>

#include <charconv>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <istream>

#include <om/sys/locale.h>

namespace om {

namespace {

// Text of the tokens that have none of their own (braces, end of file).
char g_blankText[2] = {' ', '\0'};

// atoi without its undefined behaviour on overflow: optional sign, then digits; the value
// saturates at the int range.
int ParseInt(char const* s) {
    bool negative = false;
    if (*s == '+' || *s == '-') negative = (*s++ == '-');
    long long value = 0;
    for (; *s >= '0' && *s <= '9'; ++s) {
        value = value * 10 + (*s - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

// atof of the longest leading number, independent of the process locale. from_chars takes no
// leading '+' and reports overflow and underflow without a value; a classic-locale strtod covers
// those rare cases with atof's results.
double ParseDouble(char const* s, char const* end) {
    if (*s == '+' && (s[1] == '+' || s[1] == '-')) return 0.0;
    char const* first = (*s == '+') ? s + 1 : s;
    double value = 0.0;
    auto result = std::from_chars(first, end, value);
    if (result.ec == std::errc()) return value;
    if (result.ec == std::errc::result_out_of_range) return sys::StrtodClassic(s);
    return 0.0;
}

}  // namespace

wchar_t const* GetOmParserStatusText(eOmParserStatus status) {
    switch (status) {
        case ParserStatusOK:
            return L"ParserStatusOK";
        case ParserStatusEOF:
            return L"ParserStatusEOF";
        case ParserErrorStream:
            return L"ParserErrorStream";
        case ParserErrorUnterminatedString:
            return L"ParserErrorUnterminatedString";
        case ParserErrorInvalidNumber:
            return L"ParserErrorInvalidNumber";
        case ParserErrorNotSpecifiedToken:
            return L"ParserErrorNotSpecifiedToken";
    }
    return L"ParserStatus??";
}

double OmParserToken::GetNumber() const {
    if (type_ == OmTokenInt) return static_cast<double>(intValue_);
    if (type_ == OmTokenFloat) return floatValue_;
    return 0.0;
}

// ---------------------------------------------------------------------------------------------
// Character classes

OmChLookup::OmChLookup() {
    for (int c = 0; c < 256; ++c) {
        std::uint32_t word = 0;
        // The "C" locale's letters and digits, fixed here so that classification never depends
        // on the process locale or on the sign of char.
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) word |= kLetter;
        if (c >= '0' && c <= '9') word |= kDigit;
        if (c == 0) word |= kEndOfLine;
        words_[c] = word;
    }
}

void OmChLookup::SetFlags(unsigned char c, int flags) {
    words_[c] |= static_cast<std::uint32_t>(flags) & kPublicMask;
}

void OmChLookup::SetFlags(char const* chars, int flags) {
    if (!chars) return;
    for (; *chars; ++chars) SetFlags(static_cast<unsigned char>(*chars), flags);
}

void OmChLookup::ClearFlags(unsigned char c, int flags) {
    words_[c] &= ~(static_cast<std::uint32_t>(flags) & kPublicMask);
}

void OmChLookup::ClearFlags(char const* chars, int flags) {
    if (!chars) return;
    for (; *chars; ++chars) ClearFlags(static_cast<unsigned char>(*chars), flags);
}

// ---------------------------------------------------------------------------------------------
// Locale guard

OmCLocale::OmCLocale() : OmCLocale(sys::LocaleCategoryAll(), "C") {}

OmCLocale::OmCLocale(int category, char const* name) : saved_(sys::ProcessLocaleName().c_str()) {
    sys::SetProcessLocale(category, name);
}

OmCLocale::OmCLocale(OmCLocale const& other) : saved_(other.saved_) {}

OmCLocale& OmCLocale::operator=(OmCLocale const& other) {
    if (this != &other) saved_ = other.saved_;
    return *this;
}

OmCLocale::~OmCLocale() {
    if (!saved_.empty()) sys::SetProcessLocale(sys::LocaleCategoryAll(), saved_.chars());
}

// ---------------------------------------------------------------------------------------------
// Parser

OmParser::OmParser() {
    line_[0] = '\0';
    classes_.SetFlags(" \t\n", OmChSeparator);
    classes_.SetFlags(";!", OmChComment);
    classes_.SetFlags('"', OmChQuote);
    classes_.SetFlags('{', OmChBlockBegin);
    classes_.SetFlags('}', OmChBlockEnd);
    classes_.words_[static_cast<unsigned char>(decPoint_)] |= OmChLookup::kDecPoint;
}

OmParser::OmParser(OmParser const& other) : localePin_(other.localePin_) {
    CopyFrom(other);
}

OmParser& OmParser::operator=(OmParser const& other) {
    if (this != &other) CopyFrom(other);
    return *this;
}

OmParser::~OmParser() = default;

// Copies the whole state; positions into the other parser's buffer are carried over into our own
// buffer, so that a copy never points into the parser it was copied from.
void OmParser::CopyFrom(OmParser const& other) {
    std::memcpy(line_, other.line_, sizeof line_);
    auto rebase = [&](char* p) -> char* {
        if (p >= other.line_ && p < other.line_ + kLineBufferSize) return line_ + (p - other.line_);
        return p;  // null, or the shared blank text
    };
    tokenStart_ = rebase(other.tokenStart_);
    scan_ = rebase(other.scan_);
    savedChar_ = other.savedChar_;
    decPoint_ = other.decPoint_;
    classes_ = other.classes_;
    status_ = other.status_;
    token_ = other.token_;
    token_.text_ = rebase(other.token_.text_);
    skipNextParse_ = other.skipNextParse_;
}

void OmParser::SetDecPoint(char c) {
    classes_.words_[static_cast<unsigned char>(decPoint_)] &= ~OmChLookup::kDecPoint;
    classes_.ClearFlags(static_cast<unsigned char>(c), OmChSeparator | OmChComment);
    classes_.words_[static_cast<unsigned char>(c)] |= OmChLookup::kDecPoint;
    decPoint_ = c;
}

void OmParser::SetCommentChar(unsigned char c, bool on) {
    if (on) {
        classes_.ClearFlags(c, OmChSeparator);
        classes_.SetFlags(c, OmChComment);
    } else {
        classes_.ClearFlags(c, OmChComment);
    }
}

void OmParser::SetTokenseperator(unsigned char c, bool on) {
    if (on) {
        classes_.ClearFlags(c, OmChComment);
        classes_.SetFlags(c, OmChSeparator);
    } else {
        classes_.ClearFlags(c, OmChSeparator);
    }
}

void OmParser::SkipLine() {
    scan_ = nullptr;
    savedChar_ = 0;
}

OmParserToken const& OmParser::GetToken(eOmTokentype kind) {
    eOmTokentype const type = token_.type_;
    if (type == kind) return token_;
    if (kind == OmTokenNumber && (type == OmTokenInt || type == OmTokenFloat)) return token_;
    if (type == OmTokenEOF && kind != OmTokenNumber) throw status_;
    Throw(ParserErrorNotSpecifiedToken);
}

void OmParser::Throw(eOmParserStatus status) {
    status_.SetStatus(status);
    throw status_;
}

std::istream& OmParser::ParseForToken(std::istream& in) {
    while (!Tokenize()) {
        if (!scan_) ReadLine(in);
    }
    return in;
}

// Reads the next line into the buffer, or makes the end-of-file token current when the stream has
// ended, or throws ParserErrorStream when it failed before its end.
void OmParser::ReadLine(std::istream& in) {
    savedChar_ = 0;
    if (in.fail() || in.bad()) {
        if (!in.eof()) Throw(ParserErrorStream);
        status_.SetStatus(ParserStatusEOF);
        token_ = OmParserToken();
        token_.type_ = OmTokenEOF;
        token_.text_ = g_blankText;
        return;
    }
    in.getline(line_, kLineBufferSize);
    std::streamsize count = in.gcount();
    if (in.fail() && count == 0) return;  // nothing left: the next pass sees the ended stream
    // getline counts an extracted line feed but does not store it.
    bool const lineFeedTaken = in.good();
    std::streamsize stored = lineFeedTaken ? count - 1 : count;
    if (!lineFeedTaken && !in.eof() && stored == kLineBufferSize - 1) {
        // The buffer is full. A line of full length ended by CR LF is still whole: take its line
        // end; anything else is too long and leaves the stream failed (ParserErrorStream next).
        in.clear();
        bool whole = false;
        if (in.peek() == '\r') {
            in.get();
            int const next = in.peek();
            if (next == '\n') in.get();
            whole = (next == '\n' || next == std::char_traits<char>::eof());
            if (next == std::char_traits<char>::eof()) in.clear(std::ios::eofbit);
        }
        if (!whole) in.setstate(std::ios::failbit);
    }
    // A line written with CR LF keeps its CR in the buffer: it belongs to the line end, not to
    // the last token.
    if (stored > 0 && line_[stored - 1] == '\r') line_[stored - 1] = '\0';
    status_.SetLine(status_.GetLine() + 1);
    tokenStart_ = line_;
    scan_ = line_;
}

// One token from the current line; false when the line has none left.
bool OmParser::Tokenize() {
    if (status_.GetStatus() == ParserStatusEOF) return true;
    if (!scan_) return false;
    if (savedChar_) {
        *scan_ = savedChar_;
        savedChar_ = 0;
    }
    std::uint32_t const* words = classes_.words_;
    while (words[static_cast<unsigned char>(*scan_)] & OmChSeparator) ++scan_;

    std::uint32_t const word = words[static_cast<unsigned char>(*scan_)];
    if (word & OmChComment) {
        scan_ = nullptr;
        return false;
    }
    if (word & OmChLookup::kEndOfLine) {
        scan_ = nullptr;
        return false;
    }
    if (word & OmChQuote) {
        TokenizeString();
    } else if (word & (OmChBlockBegin | OmChBlockEnd)) {
        tokenStart_ = scan_++;
        SetTextToken((word & OmChBlockBegin) ? OmTokenBlockBegin : OmTokenBlockEnd);
        token_.text_ = g_blankText;
    } else {
        TokenizeBare();
    }
    status_.SetTokenCount(status_.GetTokenCount() + 1);
    return true;
}

void OmParser::SetTextToken(eOmTokentype type) {
    token_.type_ = type;
    token_.intValue_ = 0;
    token_.floatValue_ = 0.0;
    token_.text_ = tokenStart_;
}

void OmParser::TokenizeString() {
    std::uint32_t const* words = classes_.words_;
    tokenStart_ = ++scan_;
    while (!(words[static_cast<unsigned char>(*scan_)] & (OmChQuote | OmChLookup::kEndOfLine))) {
        ++scan_;
    }
    SetTextToken(OmTokenString);
    if (*scan_ == '\0') {
        // No closing quote: the rest of the line is given up, so that parsing resumes on the next.
        scan_ = nullptr;
        Throw(ParserErrorUnterminatedString);
    }
    *scan_++ = '\0';
}

void OmParser::TokenizeBare() {
    constexpr std::uint32_t kStop = OmChSeparator | OmChComment | OmChQuote | OmChBlockBegin |
                                    OmChBlockEnd | OmChLookup::kEndOfLine;
    std::uint32_t const* words = classes_.words_;
    tokenStart_ = scan_;
    int letters = 0;
    int digits = 0;
    bool floating = false;
    char* p = scan_;
    for (;; ++p) {
        std::uint32_t const word = words[static_cast<unsigned char>(*p)];
        if (word & kStop) break;
        if (word & OmChLookup::kDecPoint) {
            *p = '.';
            floating = true;
        } else if (word & OmChLookup::kDigit) {
            ++digits;
        } else if (word & OmChLookup::kLetter) {
            // An exponent mark after a digit belongs to the number.
            if (digits > 0 && (*p == 'e' || *p == 'E')) {
                floating = true;
            } else {
                ++letters;
            }
        }
    }
    char* const end = p;
    std::uint32_t const stopWord = words[static_cast<unsigned char>(*p)];
    if (stopWord & OmChSeparator) {
        *p = '\0';
        scan_ = p + 1;
    } else if (stopWord & OmChLookup::kEndOfLine) {
        scan_ = p;
    } else {
        // A comment, quote or brace ends this token and starts the next one.
        savedChar_ = *p;
        *p = '\0';
        scan_ = p;
    }

    if (letters > 0) {
        SetTextToken(OmTokenKeyword);
        // "2x": a keyword by its letters, but not a valid one; the token stays a keyword.
        if (!(words[static_cast<unsigned char>(*tokenStart_)] & OmChLookup::kLetter)) {
            Throw(ParserErrorInvalidNumber);
        }
    } else if (digits == 0) {
        SetTextToken(OmTokenOther);
    } else if (floating) {
        SetTextToken(OmTokenFloat);
        token_.floatValue_ = ParseDouble(tokenStart_, end);
    } else {
        SetTextToken(OmTokenInt);
        token_.intValue_ = ParseInt(tokenStart_);
    }
}

OmParserToken const& OmStreamTokenizer::Next() {
    if (IsSkipNextParse()) {
        SkipNextParse(false);
    } else {
        ParseForToken(*in_);
    }
    return GetToken();
}

}  // namespace om
