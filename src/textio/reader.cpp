#include <om/textio/reader.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <locale>

#include <om/sys/text.h>

#include "textio/int_text.h"

namespace om {

namespace {

// Keyword of the catch-all object of a level.
constexpr char kCatchAllKeyword[] = "_NOT_DEFINED";

// Room kept in a message for everything but the file name.
constexpr int kMessageReserve = 64;

// Copies text into a buffer of size wide characters, cutting it when needed; always terminated.
void CopyMessage(std::wstring const& text, wchar_t* buffer, int size) {
    if (buffer == nullptr || size <= 0) return;
    std::size_t const n = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::wmemcpy(buffer, text.data(), n);
    buffer[n] = L'\0';
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// OmStreamParser

OmParserToken const& OmStreamParser::NextToken() {
    if (parser_->IsSkipNextParse()) {
        parser_->SkipNextParse(false);
    } else {
        parser_->ParseForToken(*stream_);
    }
    return parser_->GetToken();
}

// ---------------------------------------------------------------------------------------------
// OmReaderObject

OmReaderObject::OmReaderObject() = default;

OmReaderObject::OmReaderObject(const char* keyword, int* target)
    : target_(target), kind_(kInteger) {
    SetKeyword(keyword);
}

OmReaderObject::OmReaderObject(const char* keyword, unsigned int* target)
    : target_(target), kind_(kInteger), isUnsigned_(true) {
    SetKeyword(keyword);
}

OmReaderObject::OmReaderObject(const char* keyword, bool* target)
    : target_(target), kind_(kInteger), isBool_(true) {
    SetKeyword(keyword);
}

OmReaderObject::OmReaderObject(const char* keyword, double* target)
    : target_(target), kind_(kDouble) {
    SetKeyword(keyword);
}

OmReaderObject::OmReaderObject(const char* keyword, String* target)
    : target_(target), kind_(kString) {
    SetKeyword(keyword);
}

OmReaderObject::OmReaderObject(const char* keyword, const Link& handler)
    : kind_(kCallback), handler_(handler) {
    SetKeyword(keyword);
}

OmReaderObject::OmReaderObject(const char* keyword, const Link& handler, const Link& second)
    : kind_(kNone), handler_(handler), second_(second) {
    SetKeyword(keyword);
}

OmReaderObject::OmReaderObject(const Link& handler) : kind_(kCallback), handler_(handler) {
    SetKeyword(kCatchAllKeyword);
}

OmReaderObject::OmReaderObject(const OmReaderObject& other)
    : OmListnode(other),
      reader_(other.reader_),
      target_(other.target_),
      kind_(other.kind_),
      isBool_(other.isBool_),
      isUnsigned_(other.isUnsigned_),
      handler_(other.handler_),
      second_(other.second_) {
    std::memcpy(keyword_, other.keyword_, sizeof keyword_);
}

OmReaderObject& OmReaderObject::operator=(const OmReaderObject& other) {
    if (this == &other) return *this;
    OmListnode::operator=(other);
    reader_ = other.reader_;
    std::memcpy(keyword_, other.keyword_, sizeof keyword_);
    target_ = other.target_;
    kind_ = other.kind_;
    isBool_ = other.isBool_;
    isUnsigned_ = other.isUnsigned_;
    handler_ = other.handler_;
    second_ = other.second_;
    return *this;
}

OmReaderObject::~OmReaderObject() = default;

void OmReaderObject::SetKeyword(const char* keyword) {
    std::memset(keyword_, 0, sizeof keyword_);
    if (keyword == nullptr) return;
    for (int i = 0; i < kMaxKeyword && keyword[i] != '\0'; ++i) keyword_[i] = keyword[i];
}

int OmReaderObject::IsKeyword(const char* text) const {
    return (text != nullptr && std::strcmp(text, keyword_) == 0) ? 1 : 0;
}

OmReaderObject* OmReaderObject::RegisterObject(OmReaderObject& o) {
    return reader_ ? reader_->RegisterObject(o) : nullptr;
}

int OmReaderObject::DoProcess() {
    if (reader_ == nullptr) return 0;
    // The current token is the first one of the block: it must be processed, not skipped.
    reader_->GetParser().SkipNextParse(true);
    return reader_->DoProcess(false);
}

OmStreamParser OmReaderObject::GetStreamParser() {
    return reader_->GetStreamParser();
}

OmParser& OmReaderObject::GetParser() {
    return reader_->GetParser();
}

OmParserToken const& OmReaderObject::NextToken() {
    return reader_->NextToken();
}

int OmReaderObject::KeywordFound() {
    OmParser& parser = GetParser();
    switch (kind_) {
        case kInteger: {
            // Unsigned values are written up to 4294967295: read the pattern, not the saturated
            // int.
            int const value =
                isUnsigned_ ? textio_detail::IntTextBits(parser.GetToken(OmTokenInt).GetString())
                            : parser.GetTokenInt();
            if (target_ == nullptr) break;
            if (isBool_) {
                *static_cast<bool*>(target_) = (value != 0);
            } else if (isUnsigned_) {
                *static_cast<unsigned int*>(target_) = static_cast<unsigned int>(value);
            } else {
                *static_cast<int*>(target_) = value;
            }
            break;
        }
        case kDouble: {
            double const value = parser.GetTokenNumber();
            if (target_) *static_cast<double*>(target_) = value;
            break;
        }
        case kString: {
            char const* value = parser.GetTokenString();
            if (target_) *static_cast<String*>(target_) = value;
            break;
        }
        default:
            handler_.Call(this);
            break;
    }
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Levels and errors

OmReaderInstance::OmReaderInstance(const OmReaderInstance& other)
    : OmListnode(other), TOmListHeader<OmReaderObject>(other), reader_(other.reader_) {}

OmReaderInstance& OmReaderInstance::operator=(const OmReaderInstance& other) {
    if (this == &other) return *this;
    OmListnode::operator=(other);
    TOmListHeader<OmReaderObject>::operator=(other);
    reader_ = other.reader_;
    return *this;
}

OmReaderInstance::~OmReaderInstance() = default;

OmReaderObject* OmReaderInstance::FindKeyword(const char* keyword) const {
    for (OmReaderObject* o = First(); o != nullptr; o = static_cast<OmReaderObject*>(o->Next())) {
        if (o->IsKeyword(keyword)) return o;
    }
    return nullptr;
}

void OmReaderInstance::Dump() {
    TOmListHeader<OmReaderObject>::Dump();
}

OmReaderError& OmReaderError::operator=(const OmReaderError& other) {
    if (this == &other) return *this;
    OmParserStatus::operator=(other);
    OmListnode::operator=(other);
    return *this;
}

OmReaderError::~OmReaderError() = default;

OmReaderErrorList::~OmReaderErrorList() = default;

// ---------------------------------------------------------------------------------------------
// OmReader

OmReader::OmReader(const char* fileName)
    : fileName_(fileName ? fileName : ""), fileNameW_(sys::Utf8ToWide(fileName_)) {
    Open();
}

OmReader::OmReader(const wchar_t* fileName)
    : fileName_(fileName ? sys::WideToUtf8(fileName) : std::string()),
      fileNameW_(fileName ? fileName : L""),
      wideName_(true) {
    Open();
}

OmReader::~OmReader() = default;

void OmReader::Open() {
    // An empty or unopenable name leaves the stream failed; the first parse reports it.
    if (!fileName_.empty()) stream_.open(fileName_, std::ios::in);
    if (!stream_.is_open()) stream_.setstate(std::ios::failbit);
    stream_.imbue(std::locale::classic());
    levels_.Add(new OmReaderInstance(this));
}

OmReaderObject* OmReader::RegisterObject(OmReaderObject& o) {
    OmReaderObject* copy = new OmReaderObject(o);
    copy->SetParent(this);
    CurrentLevel()->Add(copy);
    return copy;
}

OmParserToken const& OmReader::NextToken() {
    if (parser_.IsSkipNextParse()) {
        parser_.SkipNextParse(false);
    } else {
        parser_.ParseForToken(stream_);
    }
    return parser_.GetToken();
}

long OmReader::UnknownTokenFound() {
    return unknownTokenHdl_.Call(this);
}

long OmReader::ParserError() {
    return parserErrorHdl_.Call(this);
}

void OmReader::NewInstance() {
    levels_.Add(new OmReaderInstance(this));
}

void OmReader::ReleaseInstance() {
    // The outer level is never released.
    if (levels_.First() == levels_.Last()) return;
    OmReaderInstance* level = levels_.SubtractLast();
    if (currentObject_ != nullptr && currentObject_->GetReader() == this) {
        for (OmReaderObject* o = level->First(); o != nullptr;
             o = static_cast<OmReaderObject*>(o->Next())) {
            if (o == currentObject_) currentObject_ = nullptr;
        }
    }
    delete level;
}

void OmReader::RecordError(const OmParserStatus& status) {
    errors_.Add(new OmReaderError(status));
}

void OmReader::RaiseNotSpecified() {
    // A copy: the parser keeps its own status (at the end of the input it stays "end of file",
    // which ends the loop).
    OmParserStatus status = parser_.GetStatus();
    status.SetStatus(ParserErrorNotSpecifiedToken);
    throw status;
}

// The end of the input reached without a catch-all object (or handed to a handler that asks
// for a number) leaves exactly one such entry, which is no error of the file: it is dropped when
// it is the last one. Other kind mismatches stay recorded, since reading stopped at them.
void OmReader::RemoveTrailingNotSpecified() {
    OmReaderError* last = errors_.Last();
    if (last != nullptr && last == endOfInputEntry_ &&
        last->GetStatus() == ParserErrorNotSpecifiedToken) {
        delete errors_.Subtract(last);
    }
    endOfInputEntry_ = nullptr;
}

// A status thrown during a pass: the end of the input ends the loop without an entry; any other
// status is recorded, and the parser-error handler decides whether the loop goes on.
bool OmReader::HandleThrown(const OmParserStatus& thrown) {
    if (thrown.GetStatus() == ParserStatusEOF) return false;
    RecordThrown(thrown);
    return ParserError() != 0;
}

void OmReader::RecordThrown(const OmParserStatus& thrown) {
    bool const endOfInput = thrown.GetStatus() == ParserErrorNotSpecifiedToken &&
                            parser_.GetToken().GetType() == OmTokenEOF;
    if (!endOfInput) {
        RecordError(thrown);
    } else if (endOfInputEntry_ == nullptr) {  // one entry for the end, however often it is met
        RecordError(thrown);
        endOfInputEntry_ = errors_.Last();
    }
}

int OmReader::DoProcess(bool passOverBlockEnd) {
    if (simpleMode_) return DoProcessSimpleMode(passOverBlockEnd);
    // Nested calls (a block handler processing its block) count, so that the outermost call can
    // tell a "}" that closes nothing from the end of a block.
    struct Nesting {
        int& depth;
        explicit Nesting(int& d) : depth(d) { ++depth; }
        ~Nesting() { --depth; }
    } nesting(processDepth_);
    bool leftOver = false;  // a keyword made current by the previous pass, still to be processed
    bool strayBlockEnd = false;
    bool run = true;
    for (;;) {
        eOmParserStatus const status = parser_.GetStatus().GetStatus();
        if (!run || status == ParserStatusEOF || status == ParserErrorStream) break;
        try {
            run = ProcessPass(passOverBlockEnd, leftOver);
            if (!run && !passOverBlockEnd && processDepth_ == 1 &&
                parser_.GetToken().GetType() == OmTokenBlockEnd) {
                strayBlockEnd = true;
            }
        } catch (OmParserStatus const& thrown) {
            leftOver = false;
            run = HandleThrown(thrown);
        }
    }
    RemoveTrailingNotSpecified();
    RecordUnexpectedEnd(strayBlockEnd);
    return 1;
}

// Two ways a file can be malformed that the loop itself would pass over in silence: the input
// ends inside a block (a truncated file), or a "}" closes no block at the outer level (the rest
// of the file is not read). Each is recorded once, after the trailing entry was dropped.
void OmReader::RecordUnexpectedEnd(bool strayBlockEnd) {
    if (strayBlockEnd) {
        OmParserStatus status = parser_.GetStatus();
        status.SetStatus(ParserErrorNotSpecifiedToken);
        RecordError(status);
    }
    if (processDepth_ > 1 && !endInsideBlockRecorded_ &&
        parser_.GetToken().GetType() == OmTokenEOF) {
        endInsideBlockRecorded_ = true;
        OmParserStatus status = parser_.GetStatus();
        status.SetStatus(ParserStatusEOF);
        RecordError(status);
    }
}

// One pass of the loop; false ends processing at this level.
bool OmReader::ProcessPass(bool passOverBlockEnd, bool& leftOver) {
    if (leftOver) {
        leftOver = false;
    } else {
        NextToken();
    }
    switch (parser_.GetToken().GetType()) {
        case OmTokenKeyword:
            return ProcessKeyword(passOverBlockEnd, leftOver);
        case OmTokenBlockEnd:
            return passOverBlockEnd;
        case OmTokenEOF:
            if (endDelivered_) return false;
            endDelivered_ = true;
            break;
        default:
            break;
    }
    OmReaderObject* catchAll = CurrentLevel()->FindKeyword(kCatchAllKeyword);
    if (catchAll == nullptr) RaiseNotSpecified();
    currentObject_ = catchAll;
    catchAll->KeywordFound();
    return true;
}

bool OmReader::ProcessKeyword(bool passOverBlockEnd, bool& leftOver) {
    OmReaderObject* object = CurrentLevel()->FindKeyword(parser_.GetToken().GetString());
    if (object == nullptr) {
        if (!skipUnknown_) return UnknownTokenFound() != 0;
        // Passed over with the token that follows it, and with its block if that is a "{". A "}"
        // is never the value of a keyword: it stays current, so that the level still ends at it.
        eOmTokentype const next = NextToken().GetType();
        if (next == OmTokenBlockBegin) {
            SkipCurrentBlock();
        } else if (next == OmTokenBlockEnd) {
            parser_.SkipNextParse(true);
        }
        return true;
    }
    currentObject_ = object;
    if (NextToken().GetType() != OmTokenBlockBegin) {
        object->KeywordFound();
        return true;
    }
    NextToken();  // the first token inside the block
    NewInstance();
    try {
        object->KeywordFound();
    } catch (...) {
        ReleaseInstance();
        currentObject_ = object;
        throw;
    }
    ReleaseInstance();
    currentObject_ = object;
    switch (NextToken().GetType()) {
        case OmTokenKeyword:
            leftOver = true;
            return true;
        case OmTokenBlockEnd:
            return passOverBlockEnd;
        default:
            return true;  // passed over
    }
}

void OmReader::SkipCurrentBlock() {
    RecordError(parser_.GetStatus());
    // Counted, not recursive: any depth of nesting is skipped in constant stack space.
    long depth = 1;
    while (depth > 0) {
        try {
            switch (NextToken().GetType()) {
                case OmTokenBlockBegin:
                    ++depth;
                    break;
                case OmTokenBlockEnd:
                    --depth;
                    break;
                case OmTokenEOF:
                    return;  // the input ended inside the block
                default:
                    break;
            }
        } catch (OmParserStatus const& thrown) {
            // A broken string or number inside the skipped block is recorded, and the parser-error
            // handler decides, as anywhere else, whether reading goes on: skipping then resumes
            // where it was, so the block's "}" is still found. A failed stream cannot go on.
            if (thrown.GetStatus() == ParserErrorStream || thrown.GetStatus() == ParserStatusEOF) {
                throw;
            }
            RecordError(thrown);
            if (ParserError() == 0) {
                // Ends processing like the end of the input, without a second entry.
                OmParserStatus stop = thrown;
                stop.SetStatus(ParserStatusEOF);
                throw stop;
            }
        }
    }
}

int OmReader::DoProcessSimpleMode(bool /*passOverBlockEnd*/) {
    OmReaderObject* first = CurrentLevel()->First();
    bool run = (first != nullptr);
    while (run && parser_.GetStatus().GetStatus() != ParserErrorStream) {
        try {
            if (NextToken().GetType() == OmTokenEOF) {
                // Delivered once; a handler that never asks for a token would otherwise be
                // handed the end of the input forever.
                if (endDelivered_) break;
                endDelivered_ = true;
            }
            currentObject_ = first;
            first->KeywordFound();
        } catch (OmParserStatus const& thrown) {
            run = HandleThrown(thrown);
        }
    }
    RemoveTrailingNotSpecified();
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Error messages

void OmReader::FormatErrorHeader(wchar_t* buffer, int size) const {
    // Long names keep their end (the file's own name) behind an ellipsis, so that the message
    // fits whatever the length of the path.
    std::size_t const room = static_cast<std::size_t>(std::max(size - kMessageReserve, 8));
    std::wstring name = fileNameW_;
    if (name.size() > room) name = L"..." + name.substr(name.size() - (room - 3));
    std::wstring const text =
        L" " + std::to_wstring(GetReadErrorCount()) + L" Read Error(s) in " + name + L":";
    CopyMessage(text, buffer, size);
}

void OmReader::FormatError(const OmReaderError& error, wchar_t* buffer, int size) const {
    wchar_t line[32];
    std::swprintf(line, 32, L"%06u", static_cast<unsigned>(error.GetLine()));
    std::wstring const text =
        std::wstring(L" - Line: ") + line + L", Status: " + error.GetStatusText();
    CopyMessage(text, buffer, size);
}

}  // namespace om
