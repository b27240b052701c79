#include <om/textio/reader.h>

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <om/core/notify.h>
#include <om/log/application_logger.h>
#include <om/log/master_logger.h>
#include <om/textio/writer.h>

namespace om {
namespace {

// A survey format of two levels, with every kind of bound value and an id block:
//   SITE "s"  EPOCH int  SCALE double  ACTIVE bool  COUNT unsigned
//   STATION { NAME "s"  HEIGHT double  ID { id "name" } }
// Read reads a text with it registered; the reader stays for the log checks.
struct Station {
    String name;
    double height = -1.0;
    std::deque<OmObject> ids;
};

// Options: the parser-error and unknown-token handlers let reading go on, strays go to a
// catch-all object, unknown keywords are not skipped but handed to their handler.
enum { kErrorGoesOn = 1, kCatchAll = 2, kNoSkipping = 4, kUnknownGoesOn = 8 };

class Read : public LinkHdl {
  public:
    String site;
    int epoch = -1;
    double scale = -1.0;
    bool active = false;
    unsigned count = 0;
    std::deque<Station> stations;
    int strays = 0, unknown = 0, added = 0;
    int options;
    std::unique_ptr<OmReader> reader;
    std::unique_ptr<OmObserver> observer;

    explicit Read(std::string const& text, int options = 0) : options(options) {
        std::ofstream("survey.txt", std::ios::binary) << text;
        reader = std::make_unique<OmReader>("survey.txt");
        observer =
            std::make_unique<OmObserver>(&reader->GetReaderErrorList(), Link(this, &Read::OnEvent));
        OmReaderObject o1("SITE", &site), o2("EPOCH", &epoch), o3("SCALE", &scale),
            o4("ACTIVE", &active), o5("COUNT", &count), o6("STATION", Link(this, &Read::OnStation)),
            all{Link(this, &Read::OnStray)};
        for (OmReaderObject* o : {&o1, &o2, &o3, &o4, &o5, &o6}) reader->RegisterObject(*o);
        if (options & kCatchAll) reader->RegisterObject(all);
        reader->SetUnknownTokenHdl(Link(this, &Read::OnUnknown));
        reader->SetParserErrorHdl(Link(this, &Read::OnError));
        reader->SkipUnknownToken(!(options & kNoSkipping));
        EXPECT_EQ(reader->DoProcess(false), 1);
        EXPECT_EQ(reader->GetLevelCount(), 1);
    }
    long OnStation(void* arg) {
        auto* o = static_cast<OmReaderObject*>(arg);
        Station& s = stations.emplace_back();
        OmReaderObject name("NAME", &s.name), height("HEIGHT", &s.height),
            id("ID", Link(this, &Read::OnId));
        for (OmReaderObject* r : {&name, &height, &id}) o->RegisterObject(*r);
        return o->DoProcess();
    }
    long OnId(void* arg) {
        return stations.back().ids.emplace_back().Read(static_cast<OmReaderObject*>(arg));
    }
    long OnStray(void*) { return ++strays, 1; }
    long OnUnknown(void*) { return ++unknown, (options & kUnknownGoesOn) != 0; }
    long OnError(void*) { return (options & kErrorGoesOn) != 0; }
    // The error list's observers must see every entry that stays come and every dropped one go.
    long OnEvent(void* arg) {
        auto const kind = static_cast<OmNotifyEvent*>(arg)->kind;
        added += (kind == kOmNotifyAdded) - (kind == kOmNotifySubtracted);
        return 0;
    }

    // Everything that differs from a fresh survey, as one line; doubles to 15 digits.
    std::string Summary() const {
        std::ostringstream out;
        out.precision(15);
        if (epoch != -1) out << " E" << epoch;
        if (scale != -1.0) out << " X" << scale;
        if (*site.chars()) out << " S'" << site.chars() << "'";
        if (active) out << " A";
        if (count) out << " C" << count;
        for (Station const& s : stations) {
            out << " [" << s.name.chars();
            if (s.height != -1.0) out << " H" << s.height;
            for (OmObject const& id : s.ids)
                out << " (" << id.GetId() << " '" << id.GetName().chars() << "')";
            out << "]";
        }
        if (strays) out << " strays" << strays;
        if (unknown) out << " unknown" << unknown;
        return out.str().empty() ? "" : out.str().substr(1);
    }
    // The recorded errors as "line:status ...".
    std::string Errors() const {
        static char const* const kStatus[] = {"ok",           "eof",    "stream",
                                              "unterminated", "number", "kind"};
        std::string out;
        int n = 0;
        for (OmReaderError const* e = reader->GetReaderErrorList().First(); e; e = e->Next(), ++n)
            out += (n ? " " : "") + std::to_string(e->GetLine()) + ":" + kStatus[e->GetStatus()];
        EXPECT_EQ(n, reader->GetReadErrorCount());
        EXPECT_EQ(n, added);
        return out;
    }
};

std::string const kSurvey =
    "; survey sample\nSITE \"north \xc3\xa9tage\"\nEPOCH -12\nSCALE 0.33333333333333333\n"
    "ACTIVE 1\nCOUNT 4000000000\nSTATION\n{\n    NAME \"S1\"\n    HEIGHT 1.5\n"
    "    ID { 3000000007 \"corner\" }\n    ID { 8 \"a b;c!\" }\n}\nSTATION { NAME \"S2\" HEIGHT 1 "
    "}\n";

// An integer is taken for a double; unsigned values (COUNT, ids) keep all 32 bits; the keyword
// right after a block is not passed over.
std::string const kSurveySummary =
    "E-12 X0.333333333333333 S'north \xc3\xa9tage' A C4000000000 "
    "[S1 H1.5 (3000000007 'corner') (8 'a b;c!')] [S2 H1]";

// The survey in the layout of the writer.
std::string Write(Read const& in) {
    std::ostringstream out;
    out << OmComment << "round trip" << Omendl << s12 << "SITE" << w4 << '"' << in.site.chars()
        << '"' << Omendl << s12 << "EPOCH" << w8 << in.epoch << Omendl << s12 << "SCALE" << p16
        << w19 << in.scale << Omendl << s12 << "ACTIVE" << w4 << in.active << Omendl << s12
        << "COUNT" << w10 << in.count << Omendl;
    for (Station const& s : in.stations) {
        out << "STATION" << Omendl << OmBeginBlockNL << s12 << "NAME" << w4 << '"' << s.name.chars()
            << '"' << Omendl << s12 << "HEIGHT" << p8 << w12 << s.height;
        for (OmObject const& id : s.ids)
            id.Write(out << Omendl << s12 << "ID" << w4 << OmBeginBlock) << OmEndBlock;
        out << OmEndBlockNL << Omendl;
    }
    EXPECT_EQ(OmWriterLevel(), 0);
    return out.str();
}

TEST(Reader, ValuesOfEveryKindLandAtTheirLevelsAndWriteBack) {
    OmWriterReset();
    for (std::string const& text : {kSurvey, Write(Read(kSurvey))}) {
        Read r(text);
        EXPECT_EQ(r.Errors(), "");
        EXPECT_EQ(r.Summary(), kSurveySummary);
    }
    std::ostringstream header;
    OmObject(12, String("a b")).Write(header);
    EXPECT_EQ(header.str(), "   12 \"a b\"");
}

struct ReadCase {
    char const* text;
    char const* summary;
    char const* errors;
    int options = 0;
};

TEST(Reader, UnknownStrayAndWrongTokens) {
    ReadCase const cases[] = {
        // A keyword of another level is unknown here: passed over with its value, no entry.
        {"EPOCH 3\nSTATION { EPOCH 9 NAME \"S\" FLAG }\nSITE \"x\"\n", "E3 S'x' [S]", ""},
        // An unknown block is skipped whole, with one entry at the line of its "{"; errors inside
        // it are recorded, and the handler decides whether reading goes on.
        {"EPOCH 1\nPHOTO\n{\n  A { 1 { 2 } }\n  \"s\" {}\n}\nEPOCH 2\nOTHER 5\n", "E2", "3:ok"},
        {"EPOCH 1\nPHOTO {\n 2x \n}\nEPOCH 2\n", "E1", "2:ok 3:number"},
        {"EPOCH 1\nPHOTO {\n 2x \n}\nEPOCH 2\n", "E2", "2:ok 3:number", kErrorGoesOn},
        // A value of the wrong kind stops reading unless the handler goes on.
        {"EPOCH \"three\"\nSITE \"x\"\nSCALE 2x\nACTIVE 1\n", "", "1:kind"},
        {"EPOCH \"three\"\nSITE \"x\"\nSCALE 2x\nACTIVE 1\n", "S'x' A", "1:kind 3:number",
         kErrorGoesOn},
        // Strays go to the catch-all object (12, "loose", -, {, 1 and the end of the input) ...
        {"12\nEPOCH 5\n\"loose\" -\n{ 1\nSITE 2x\n", "E5 strays6", "5:number",
         kErrorGoesOn | kCatchAll},
        // ... or are recorded; the entry that the end of the input leaves is dropped.
        {"12\nEPOCH 5\n3.5\nSITE 2x\nACTIVE 1\n7\n", "E5 A", "1:kind 3:kind 4:number 6:kind",
         kErrorGoesOn},
        {"EPOCH 5\nSCALE", "E5", "", kErrorGoesOn},
        // Without skipping, the unknown-token handler decides.
        {"EPOCH 1\nODD\nSITE \"x\"\n", "E1 unknown1", "", kNoSkipping},
        {"EPOCH 1\nODD\nSITE \"x\"\n", "E1 S'x' unknown1", "", kNoSkipping | kUnknownGoesOn},
        // The input ends inside two blocks: what was read stays, the end is recorded once.
        {"EPOCH 1\nSTATION\n{\n  NAME \"S\"\n  ID { 5\n", "E1 [S (5 '')]", "5:eof"},
        // A "}" that closes nothing ends the outer level, and is recorded.
        {"EPOCH 1\n}\nEPOCH 2\n", "E1", "2:kind"},
    };
    for (ReadCase const& c : cases) {
        Read r(c.text, c.options);
        EXPECT_EQ(r.Summary(), c.summary) << c.text;
        EXPECT_EQ(r.Errors(), c.errors) << c.text;
    }
}

TEST(Reader, DeeplyNestedUnknownBlocksAreSkippedWithoutRecursion) {
    std::string text = "EPOCH 1\nDEEP\n", close;
    for (int i = 0; i < 100; ++i)
        text += std::string(1000, '{') + "\n", close += std::string(1000, '}') + "\n";
    EXPECT_EQ(Read(text).reader->GetReadErrorCount(), 1);  // the input ends inside them
    Read r(text + close + "EPOCH 2\n");
    EXPECT_EQ(r.epoch, 2);
    EXPECT_EQ(r.reader->GetReadErrorCount(), 1);
}

TEST(Reader, RandomBytesEndInAStatus) {
    std::mt19937 rng(99);
    for (int round = 0; round < 30; ++round) {
        std::string bytes(4000, '\0');
        for (char& c : bytes) c = static_cast<char>(rng() & 0xFF);
        char const* pieces[] = {"STATION", "ID", "EPOCH", "{", "}", "\"", " ", "\n", "1.5"};
        for (int i = 0; i < 300; ++i) {
            std::string const piece = pieces[rng() % 9];
            bytes.replace(rng() % (bytes.size() - 8), piece.size(), piece);
        }
        Read(bytes, round % 4).Errors();
    }
}

// Handlers for formats driven by callbacks rather than by bound values.
class Handlers : public LinkHdl {
  public:
    int calls = 0, blocks = 0;

    static OmParser& Parser(void* arg) { return static_cast<OmReaderObject*>(arg)->GetParser(); }
    long Count(void*) { return ++calls, 1; }
    // Looks at the token after its keyword and leaves anything but an integer for the next pass.
    long Peek(void* arg) {
        ++calls;
        if (Parser(arg).GetToken().GetType() != OmTokenInt) Parser(arg).SkipNextParse(true);
        return 1;
    }
    // Nested anonymous blocks processed at the same level.
    long Nested(void* arg) {
        if (Parser(arg).GetToken().GetType() != OmTokenBlockBegin) return 1;
        ++blocks;
        static_cast<OmReaderObject*>(arg)->NextToken();
        return static_cast<OmReaderObject*>(arg)->DoProcess();
    }
};

// Reads a text with the given objects; with goOn, processing goes on after parser errors.
std::unique_ptr<OmReader> ReadWith(std::string const& text,
                                   std::initializer_list<OmReaderObject*> objects, bool simple,
                                   bool passOverBlockEnd, Handlers* goOn = nullptr) {
    std::ofstream("callbacks.txt", std::ios::binary) << text;
    auto reader = std::make_unique<OmReader>("callbacks.txt");
    for (OmReaderObject* o : objects) reader->RegisterObject(*o);
    reader->SetSimpleMode(simple);
    if (goOn) reader->SetParserErrorHdl(Link(goOn, &Handlers::Count));
    EXPECT_EQ(reader->DoProcess(passOverBlockEnd), 1);
    return reader;
}

TEST(Reader, CallbacksAndKeywords) {
    // Handlers that never ask for a token must not keep a loop running at the end of the input.
    Handlers h, all, peek, nest;
    OmReaderObject count("ANY", Link(&h, &Handlers::Count));
    EXPECT_EQ(ReadWith("1 2 3\nword \"s\" { }\n", {&count}, true, false, &h)->GetReadErrorCount(),
              0);
    EXPECT_EQ(h.calls, 8);  // seven tokens and the end of the input, once
    OmReaderObject catchAll{Link(&all, &Handlers::Count)};  // in the normal mode
    ReadWith("1 2\n", {&catchAll}, false, true, &all);
    EXPECT_EQ(all.calls, 3);

    int epoch = 0;
    OmReaderObject flag("FLAG", Link(&peek, &Handlers::Peek)), e("EPOCH", &epoch);
    ReadWith("FLAG\nEPOCH 6\nFLAG 1\n", {&flag, &e}, false, false);
    EXPECT_EQ(peek.calls, 2);
    EXPECT_EQ(epoch, 6);
    OmReaderObject nested{Link(&nest, &Handlers::Nested)};
    EXPECT_EQ(ReadWith("{ { 1 } { } }\n2\n", {&nested}, false, false)->GetReadErrorCount(), 0);
    EXPECT_EQ(nest.blocks, 3);  // each "}" closed its block

    // Keywords keep at most 28 characters.
    std::string const k28(28, 'K'), k40(40, 'L');
    int a = 0, b = 0;
    OmReaderObject o28(k28.c_str(), &a), o40(k40.c_str(), &b);
    ReadWith(k28 + " 5\n" + k40 + " 6\n", {&o28, &o40}, false, false);
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 0);
}

// Logs the reader's errors into a master logger that keeps them as "level|text".
std::vector<std::wstring> Logged(OmReader const& reader) {
    struct Capture : OmMasterLogger {
        std::vector<std::wstring> lines;
        int Log(int level, wchar_t const* text) override {
            lines.push_back(std::to_wstring(level) + L"|" + text);
            return 0;
        }
    } capture;
    OmApplicationLogger::RegisterMasterLogger(&capture);
    reader.LogErrorsToApplicationLogger();
    OmApplicationLogger::RegisterMasterLogger(nullptr);
    return capture.lines;
}

TEST(ReaderMessages, ErrorsAreLoggedWithTheirTexts) {
    EXPECT_TRUE(Logged(*Read("EPOCH 1\n").reader).empty());

    Read r("EPOCH \"x\"\nSITE 2x\n\"open\nEPOCH 5\n", kErrorGoesOn);
    EXPECT_EQ(r.epoch, 5);
    std::vector<std::wstring> const expected = {
        L"2| 3 Read Error(s) in survey.txt:",
        L"2| - Line: 000001, Status: ParserErrorNotSpecifiedToken",
        L"2| - Line: 000002, Status: ParserErrorInvalidNumber",
        L"2| - Line: 000003, Status: ParserErrorUnterminatedString",
    };
    EXPECT_EQ(Logged(*r.reader), expected);

    // A wide name is copied, opened as UTF-8 and logged as text, never as a format.
    std::ofstream("%s%d%ls_\xc3\xa9\xe4\xb8\xad\xf0\x9f\x98\x80.txt") << "2x\n";
    OmReader wide(std::wstring(L"%s%d%ls_\u00e9\u4e2d\U0001F600.txt").c_str());
    wide.DoProcess(false);
    EXPECT_EQ(Logged(wide), (std::vector<std::wstring>{
                                L"2| 1 Read Error(s) in %s%d%ls_\u00e9\u4e2d\U0001F600.txt:",
                                L"2| - Line: 000001, Status: ParserErrorInvalidNumber"}));

    // A long name is cut to the buffer, and even a tiny buffer is filled within its size.
    std::wstring const longName = std::wstring(5000, L'd') + L"/%s%n%ls_file.txt";
    OmReader longReader(longName.c_str());
    longReader.DoProcess(false);
    EXPECT_EQ(longReader.GetReaderErrorList().First()->GetStatus(), ParserErrorStream);
    wchar_t buffer[OmReader::kMessageSize];
    longReader.FormatErrorHeader(buffer, OmReader::kMessageSize);
    std::wstring const header = buffer;
    EXPECT_LT(header.size(), static_cast<size_t>(OmReader::kMessageSize));
    EXPECT_EQ(header.substr(0, 21), L" 1 Read Error(s) in .");
    EXPECT_EQ(header.substr(header.size() - 18), L"/%s%n%ls_file.txt:");
    wchar_t tiny[8];
    longReader.FormatError(*longReader.GetReaderErrorList().First(), tiny, 8);
    EXPECT_EQ(std::wstring(tiny), L" - Line");
}

}  // namespace
}  // namespace om
