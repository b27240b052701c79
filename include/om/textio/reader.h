// The keyword-block reader: the library's text project format.
//
// A text file is a stream of tokens (see parser.h) organised by keywords and brace-delimited
// blocks, without a fixed schema. The code that reads a file registers, for the current nesting
// level, one OmReaderObject per keyword it accepts, bound to a variable (integer, boolean, double,
// string) or to a callback, and lets OmReader::DoProcess walk the tokens. A keyword followed by a
// block opens a new level, whose keywords the keyword's callback registers before it processes
// the block; so every class reads its own block and hands sub-blocks to the classes below it.
//
// Tokenizer errors and unexpected tokens never leave DoProcess: each is recorded with its line in
// the reader's error list, and the parser-error handler decides whether reading goes on.
//
// Advancing: a class that reads positional values asks the parser for the current token by kind
// (OmReaderObject::GetParser().GetTokenInt() and friends), then calls NextToken(), which clears
// the skip-next-parse flag when it is set and otherwise parses the next token.
#pragma once

#include <fstream>
#include <iosfwd>
#include <string>

#include <om/core/link.h>
#include <om/core/list_header.h>
#include <om/core/listnode.h>
#include <om/core/string.h>
#include <om/textio/parser.h>

namespace om {

class OmReader;

// The reader's stream and parser, handed to the front end.
class OmStreamParser {
  public:
    OmStreamParser(std::istream* stream, OmParser* parser) : stream_(stream), parser_(parser) {}

    std::istream* GetStream() const { return stream_; }
    OmParser* GetParser() const { return parser_; }
    int GetValue() const { return value_; }

    // Makes the next token of the stream current (or clears the skip-next-parse flag) and returns
    // it. Throws the parser's status on a tokenizer error.
    OmParserToken const& NextToken();

  private:
    std::istream* stream_;
    OmParser* parser_;
    int value_ = 0;
};

// One keyword of a nesting level and what to do with its value.
class OmReaderObject : public OmListnode {
  public:
    // Value kinds.
    enum { kNone = 0, kInteger = 1, kDouble = 3, kCallback = 4, kString = 5 };
    // At most this many characters of a keyword are kept (the copy is limited to 29 characters
    // with its terminator).
    static constexpr int kMaxKeyword = 28;

    OmReaderObject();  // empty keyword, no target, no callback
    OmReaderObject(const char* keyword, int* target);
    OmReaderObject(const char* keyword, unsigned int* target);
    OmReaderObject(const char* keyword, bool* target);    // true when the integer is not 0
    OmReaderObject(const char* keyword, double* target);  // integer or floating-point token
    OmReaderObject(const char* keyword, String* target);
    OmReaderObject(const char* keyword, const Link& handler);
    // Called as with one handler; the second is only stored.
    OmReaderObject(const char* keyword, const Link& handler, const Link& second);
    // The catch-all object of a level: receives every token that is neither a keyword nor "}".
    explicit OmReaderObject(const Link& handler);
    OmReaderObject(const OmReaderObject& other);
    OmReaderObject& operator=(const OmReaderObject& other);
    ~OmReaderObject() override;

    // 1 when text equals the keyword, else 0.
    int IsKeyword(const char* text) const;
    const char* GetKeyword() const { return keyword_; }
    int GetValueKind() const { return kind_; }
    const Link& GetSecondLink() const { return second_; }

    OmReader* GetReader() const { return reader_; }
    // Registers o at the reader's current level; returns the reader's copy.
    OmReaderObject* RegisterObject(OmReaderObject& o);
    // Processes the block this object's keyword opened, from the current token up to its "}".
    int DoProcess();
    OmStreamParser GetStreamParser();

    // The reader's parser, for typed access to the current token.
    OmParser& GetParser();
    // Advances one token (or clears the skip-next-parse flag); returns the new current token.
    OmParserToken const& NextToken();

  protected:
    friend class OmReader;
    void SetParent(OmReader* reader) { reader_ = reader; }
    // Stores the current token in the target, or calls the handler. Returns 1.
    int KeywordFound();

  private:
    void SetKeyword(const char* keyword);

    OmReader* reader_ = nullptr;
    char keyword_[32] = {};
    void* target_ = nullptr;
    int kind_ = kNone;
    bool isBool_ = false;
    bool isUnsigned_ = false;  // an unsigned target takes the token's 32-bit pattern
    Link handler_;
    Link second_;
};

// One nesting level: the objects registered for it (owned).
class OmReaderInstance : public OmListnode, public TOmListHeader<OmReaderObject> {
  public:
    OmReaderInstance(const OmReaderInstance& other);
    OmReaderInstance& operator=(const OmReaderInstance& other);
    ~OmReaderInstance() override;

    OmReader* GetReader() const { return reader_; }
    // First object with this keyword in registration order, or null.
    OmReaderObject* FindKeyword(const char* keyword) const;
    void Dump() override;

  private:
    friend class OmReader;
    explicit OmReaderInstance(OmReader* reader) : reader_(reader) {}

    OmReader* reader_;
};

// A recorded read error: line, token count and status of the moment.
class OmReaderError : public OmParserStatus, public OmListnode {
  public:
    OmReaderError() = default;
    explicit OmReaderError(const OmParserStatus& status) : OmParserStatus(status) {}
    OmReaderError(const OmReaderError& other) = default;
    OmReaderError& operator=(const OmReaderError& other);
    ~OmReaderError() override;

    OmReaderError* Next() const { return static_cast<OmReaderError*>(OmListnode::Next()); }
    OmReaderError* Previous() const { return static_cast<OmReaderError*>(OmListnode::Previous()); }
};

class OmReaderErrorList : public TOmListHeader<OmReaderError> {
  public:
    ~OmReaderErrorList() override;
};

class OmReader {
  public:
    // The error messages are formatted into this many wide characters at most.
    static constexpr int kMessageSize = 512;

    // Opens the file (a wide name is converted to UTF-8 first). A file that cannot be opened
    // leaves the stream failed: the first parse records ParserErrorStream.
    explicit OmReader(const char* fileName);
    explicit OmReader(const wchar_t* fileName);
    OmReader(const OmReader&) = delete;
    OmReader& operator=(const OmReader&) = delete;
    virtual ~OmReader();

    // Registers a heap copy of o at the current level and returns the copy.
    OmReaderObject* RegisterObject(OmReaderObject& o);
    // Processes tokens at the current level until its "}" (passed over when passOverBlockEnd),
    // the end of the input, or a handler's decision to stop. Returns 1.
    int DoProcess(bool passOverBlockEnd);
    // Records an error entry with the parser's present status, then reads up to the "}" that
    // closes the block whose "{" is the current token (nested blocks counted, without recursion).
    void SkipCurrentBlock();

    // Skipping on (the default): an unknown keyword is passed over with the token that follows
    // it, and a block after it is skipped and recorded. Off: the unknown-token handler decides.
    void SkipUnknownToken(bool skip) { skipUnknown_ = skip; }
    // Simple mode: the first object of the current level receives every token.
    void SetSimpleMode(bool on) { simpleMode_ = on; }
    void SetUnknownTokenHdl(const Link& handler) { unknownTokenHdl_ = handler; }
    void SetParserErrorHdl(const Link& handler) { parserErrorHdl_ = handler; }

    // The handlers, called with the reader as argument; 0 (also without a handler) stops
    // processing at this level, non-zero goes on.
    virtual long UnknownTokenFound();
    virtual long ParserError();

    const OmReaderErrorList& GetReaderErrorList() const { return errors_; }
    OmReaderErrorList& GetReaderErrorList() { return errors_; }
    int GetReadErrorCount() const { return errors_.Count(); }
    OmParser& GetParser() { return parser_; }
    std::istream& GetStream() { return stream_; }
    OmStreamParser GetStreamParser() { return OmStreamParser(&stream_, &parser_); }

    // The file name as given (the wide form when the reader was made from a wide name).
    const std::string& GetFileName() const { return fileName_; }
    const std::wstring& GetFileNameW() const { return fileNameW_; }
    bool IsWideFileName() const { return wideName_; }
    // The object found for the last keyword, null before the first.
    OmReaderObject* GetCurrentObject() const { return currentObject_; }
    // Nesting depth: 1 at the outer level.
    int GetLevelCount() const { return levels_.Count(); }

    // Advances one token (or clears the skip-next-parse flag); returns the new current token.
    OmParserToken const& NextToken();

    // Logs the recorded errors at level 2: a header line with their number and the file name,
    // then one line per error with its line number and status text. Nothing when there is none.
    void LogErrorsToApplicationLogger() const;
    // The lines that LogErrorsToApplicationLogger sends, without logging them.
    void FormatErrorHeader(wchar_t* buffer, int size) const;
    void FormatError(const OmReaderError& error, wchar_t* buffer, int size) const;

  private:
    void Open();
    int DoProcessSimpleMode(bool passOverBlockEnd);
    bool ProcessPass(bool passOverBlockEnd, bool& leftOver);
    bool ProcessKeyword(bool passOverBlockEnd, bool& leftOver);
    void RecordError(const OmParserStatus& status);
    void RecordThrown(const OmParserStatus& thrown);
    bool HandleThrown(const OmParserStatus& thrown);
    void RemoveTrailingNotSpecified();
    void RecordUnexpectedEnd(bool strayBlockEnd);
    [[noreturn]] void RaiseNotSpecified();
    void NewInstance();
    void ReleaseInstance();
    OmReaderInstance* CurrentLevel() const { return levels_.Last(); }

    std::string fileName_;    // UTF-8, used to open the file
    std::wstring fileNameW_;  // for the messages
    bool wideName_ = false;
    std::ifstream stream_;
    OmParser parser_;
    TOmListHeader<OmReaderInstance> levels_;
    OmReaderObject* currentObject_ = nullptr;
    Link unknownTokenHdl_;
    Link parserErrorHdl_;
    OmReaderErrorList errors_;
    bool skipUnknown_ = true;
    bool simpleMode_ = false;
    // The end-of-file token is handed to the handlers once; after that every level ends, so that
    // handlers that never ask for a token cannot keep a loop running at the end of the input.
    bool endDelivered_ = false;
    bool endInsideBlockRecorded_ = false;
    OmReaderError* endOfInputEntry_ = nullptr;  // the entry the end of the input left, if any
    int processDepth_ = 0;                      // DoProcess calls under way
};

}  // namespace om
