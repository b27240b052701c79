// The line-oriented tokenizer behind every text file of the library.
//
// A parser reads a stream line by line into a fixed buffer and splits each line into tokens by a
// table of character classes: integers, floating-point numbers, keywords, quoted strings, block
// braces and bare "other" tokens. Tokens are slices of the line buffer terminated in place, so a
// token's text stays valid until the next token is parsed. Errors are reported only by throwing a
// copy of the parser's status (OmParserStatus); the parser stays usable after a throw, and the
// caller (usually OmReader) decides whether to go on.
//
// While any parser lives, the process locale is pinned to "C", so that numbers are converted with
// a point as decimal separator whatever the user's locale; the locale in force before the first
// parser comes back when the last one is destroyed.
#pragma once

#include <cstdint>
#include <iosfwd>

#include <om/core/string.h>
#include <om/sys/locale.h>

namespace om {

// Kind of a token. OmTokenNumber is only asked for: it accepts an integer or a floating-point
// token.
enum eOmTokentype : std::int32_t {
    OmTokenOther = 0,       // bare token without letters or digits, for instance "-" or "="
    OmTokenInt = 1,         // integer, value by atoi
    OmTokenFloat = 2,       // floating-point number, value by atof
    OmTokenNumber = 3,      // integer or floating-point number (request only)
    OmTokenKeyword = 4,     // bare token that contains letters and begins with a letter
    OmTokenString = 5,      // the characters between two quotes, without them
    OmTokenBlockBegin = 6,  // "{"
    OmTokenBlockEnd = 7,    // "}"
    OmTokenEOF = 8          // end of the input
};

enum eOmParserStatus : std::int32_t {
    ParserStatusOK = 0,
    ParserStatusEOF = 1,
    ParserErrorStream = 2,              // the stream failed before its end (or a line was too long)
    ParserErrorUnterminatedString = 3,  // no closing quote on the line
    ParserErrorInvalidNumber = 4,       // a bare token with letters that does not begin with one
    ParserErrorNotSpecifiedToken = 5    // the current token is not of the kind asked for
};

// The text of a status, for instance L"ParserErrorStream"; L"ParserStatus??" for unknown values.
wchar_t const* GetOmParserStatusText(eOmParserStatus status);

// Where the parser stands, thrown as the exception object of every tokenizer error.
class OmParserStatus {
  public:
    OmParserStatus() = default;
    OmParserStatus(OmParserStatus const&) = default;
    OmParserStatus& operator=(OmParserStatus const&) = default;
    virtual ~OmParserStatus() = default;

    // Number of lines read so far: the current line's number, counted from 1.
    std::uint32_t GetLine() const { return line_; }
    // Number of tokens delivered so far.
    std::uint32_t GetTokenCount() const { return tokenCount_; }
    eOmParserStatus GetStatus() const { return status_; }
    wchar_t const* GetStatusText() const { return GetOmParserStatusText(status_); }

    void SetLine(std::uint32_t line) { line_ = line; }
    void SetTokenCount(std::uint32_t count) { tokenCount_ = count; }
    void SetStatus(eOmParserStatus status) { status_ = status; }

  private:
    std::uint32_t line_ = 0;
    std::uint32_t tokenCount_ = 0;
    eOmParserStatus status_ = ParserStatusOK;
};

// The current token. Its text points into the parser's line buffer.
class OmParserToken {
  public:
    eOmTokentype GetType() const { return type_; }
    int GetInt() const { return intValue_; }
    double GetFloat() const { return floatValue_; }
    char* GetString() const { return text_; }
    // The int value as double for an integer, the double value for a floating-point number, else 0.
    double GetNumber() const;

  private:
    friend class OmParser;
    eOmTokentype type_ = OmTokenOther;
    int intValue_ = 0;
    double floatValue_ = 0.0;
    char* text_ = nullptr;
};

// Character classes of a parser: one flag word per byte value.
enum eOmChClass : int {
    OmChSeparator = 1,
    OmChComment = 2,     // starts a comment that runs to the end of the line
    OmChQuote = 4,       // opens and closes a string
    OmChBlockBegin = 8,  // "{"
    OmChBlockEnd = 16    // "}"
};

class OmChLookup {
  public:
    OmChLookup();

    // ORs bits into the class word of c, or of every character of a zero-terminated string.
    void SetFlags(unsigned char c, int flags);
    void SetFlags(char const* chars, int flags);
    void ClearFlags(unsigned char c, int flags);
    void ClearFlags(char const* chars, int flags);
    int GetFlags(unsigned char c) const { return static_cast<int>(words_[c] & kPublicMask); }

  private:
    friend class OmParser;
    // The low half of each word holds the classes callers set; the parser keeps its own facts
    // about a byte (letter, digit, end of line, decimal point) in the high half, so that scanning
    // a character costs one lookup.
    static constexpr std::uint32_t kPublicMask = 0xFFFFu;
    static constexpr std::uint32_t kLetter = 1u << 16;
    static constexpr std::uint32_t kDigit = 1u << 17;
    static constexpr std::uint32_t kEndOfLine = 1u << 18;
    static constexpr std::uint32_t kDecPoint = 1u << 19;
    std::uint32_t words_[256];
};

// Saves the name of the whole process locale and switches a category to another locale; the
// destructor switches the whole locale back to the saved name (when it is not empty). Copies copy
// the saved name only.
class OmCLocale {
  public:
    OmCLocale();  // the whole locale to "C"
    OmCLocale(int category, char const* name);
    OmCLocale(OmCLocale const& other);
    OmCLocale& operator=(OmCLocale const& other);
    virtual ~OmCLocale();

    String const& GetSavedLocale() const { return saved_; }

  private:
    String saved_;
};

class OmParser {
  public:
    // Size of the line buffer: lines of up to kLineBufferSize - 1 characters are read whole.
    static constexpr int kLineBufferSize = 8512;

    OmParser();
    OmParser(OmParser const& other);
    OmParser& operator=(OmParser const& other);
    virtual ~OmParser();

    // c loses its separator and comment classes and becomes the decimal point: in a bare token it
    // is replaced by '.' and makes the token a floating-point number.
    void SetDecPoint(char c);
    // on: c loses its separator class and starts comments; off: c loses its comment class.
    void SetCommentChar(unsigned char c, bool on);
    // on: c loses its comment class and becomes a separator; off: c loses its separator class.
    void SetTokenseperator(unsigned char c, bool on);
    // Drops the rest of the current line: the next parse reads a new line.
    void SkipLine();

    // The current token, unchecked.
    OmParserToken const& GetToken() const { return token_; }
    // The current token when it is of the wanted kind (OmTokenNumber: integer or floating-point).
    // Otherwise throws a copy of the status: unchanged (end of file) when the current token is the
    // end of file and no number was asked for, else with ParserErrorNotSpecifiedToken.
    OmParserToken const& GetToken(eOmTokentype kind);
    int GetTokenInt() { return GetToken(OmTokenInt).GetInt(); }
    double GetTokenFloat() { return GetToken(OmTokenFloat).GetFloat(); }
    double GetTokenNumber() { return GetToken(OmTokenNumber).GetNumber(); }
    char* GetTokenString() { return GetToken(OmTokenString).GetString(); }

    OmParserStatus const& GetStatus() const { return status_; }

    // A reader that looked at a token without consuming it sets the flag; the next consumer
    // clears it instead of parsing and so receives the same token again.
    bool SkipNextParse(bool skip) { return skipNextParse_ = skip; }
    bool IsSkipNextParse() const { return skipNextParse_; }

    char GetDecPoint() const { return decPoint_; }
    OmChLookup const& GetCharClasses() const { return classes_; }

  protected:
    friend class OmReader;
    friend class OmReaderObject;
    friend class OmStreamParser;

    // Makes the next token of the stream current. Throws the status on a tokenizer error.
    std::istream& ParseForToken(std::istream& in);

  private:
    bool Tokenize();
    void ReadLine(std::istream& in);
    void TokenizeString();
    void TokenizeBare();
    void SetTextToken(eOmTokentype type);
    [[noreturn]] void Throw(eOmParserStatus status);
    void CopyFrom(OmParser const& other);

    char line_[kLineBufferSize];
    char* tokenStart_ = nullptr;
    char* scan_ = nullptr;  // null: a new line must be read
    char savedChar_ = 0;    // put back at scan_ before the next scan
    char decPoint_ = '.';
    OmChLookup classes_;
    OmParserStatus status_;
    OmParserToken token_;
    bool skipNextParse_ = false;
    sys::ClassicLocalePin localePin_;
};

// A parser that its owner drives directly over one stream, for code that reads tokens without the
// keyword reader (file-type detection, tools, tests).
class OmStreamTokenizer : public OmParser {
  public:
    explicit OmStreamTokenizer(std::istream& in) : in_(&in) {}

    // Advances to the next token (or, when the skip-next-parse flag is set, clears it and keeps the
    // current one) and returns it. Throws the status on a tokenizer error.
    OmParserToken const& Next();

  private:
    std::istream* in_;
};

}  // namespace om
