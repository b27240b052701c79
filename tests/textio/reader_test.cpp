#include <om/textio/reader.h>

#include <gtest/gtest.h>

#include <cstring>
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

void WriteFile(std::string const& name, std::string const& text) {
    std::ofstream out(name, std::ios::binary);
    out << text;
}

// A small survey format of three levels: stations hold targets, targets hold an id block.
//
//   SITE "name"  EPOCH int  SCALE double  ACTIVE bool  COUNT unsigned
//   STATION { NAME "s"  HEIGHT double  TARGET { ID { id "name" }  DIST double  NOTE "t" } }
struct Target {
    OmObject id;
    double dist = -1.0;
    String note;
};

struct Station {
    String name;
    double height = -1.0;
    std::deque<Target> targets;
};

class Survey : public LinkHdl {
  public:
    String site;
    int epoch = -1;
    double scale = -1.0;
    bool active = false;
    unsigned count = 0;
    std::deque<Station> stations;
    int strays = 0;
    int unknown = 0;
    long unknownResult = 0;
    long errorResult = 0;

    void Register(OmReader& reader) {
        OmReaderObject o1("SITE", &site), o2("EPOCH", &epoch), o3("SCALE", &scale),
            o4("ACTIVE", &active), o5("COUNT", &count),
            o6("STATION", Link(this, &Survey::OnStation));
        for (OmReaderObject* o : {&o1, &o2, &o3, &o4, &o5, &o6}) reader.RegisterObject(*o);
        reader.SetUnknownTokenHdl(Link(this, &Survey::OnUnknown));
        reader.SetParserErrorHdl(Link(this, &Survey::OnError));
    }
    void RegisterCatchAll(OmReader& reader) {
        OmReaderObject all{Link(this, &Survey::OnStray)};
        reader.RegisterObject(all);
    }

    long OnStation(void* arg) {
        auto* o = static_cast<OmReaderObject*>(arg);
        Station& s = stations.emplace_back();
        OmReaderObject name("NAME", &s.name), height("HEIGHT", &s.height),
            target("TARGET", Link(this, &Survey::OnTarget));
        for (OmReaderObject* r : {&name, &height, &target}) o->RegisterObject(*r);
        return o->DoProcess();
    }
    long OnTarget(void* arg) {
        auto* o = static_cast<OmReaderObject*>(arg);
        Target& t = stations.back().targets.emplace_back();
        OmReaderObject id("ID", Link(this, &Survey::OnId)), dist("DIST", &t.dist),
            note("NOTE", &t.note);
        for (OmReaderObject* r : {&id, &dist, &note}) o->RegisterObject(*r);
        return o->DoProcess();
    }
    long OnId(void* arg) {
        return stations.back().targets.back().id.Read(static_cast<OmReaderObject*>(arg));
    }
    long OnStray(void*) { return ++strays, 1; }
    long OnUnknown(void*) { return ++unknown, unknownResult; }
    long OnError(void*) { return errorResult; }

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
            for (Target const& t : s.targets) {
                out << " (" << t.id.GetId() << " '" << t.id.GetName().chars() << "'";
                if (t.dist != -1.0) out << " D" << t.dist;
                if (*t.note.chars()) out << " N'" << t.note.chars() << "'";
                out << ")";
            }
            out << "]";
        }
        if (strays) out << " strays" << strays;
        if (unknown) out << " unknown" << unknown;
        return out.str().empty() ? "" : out.str().substr(1);
    }
};

// Reads a text with a survey registered; the reader stays for the log checks. The error list's
// observers must have seen every entry that stays come and every dropped one go.
struct Read : LinkHdl {
    Survey survey;
    std::unique_ptr<OmReader> reader;
    std::unique_ptr<OmObserver> observer;
    int added = 0;

    explicit Read(std::string const& text, long errorResult = 0, bool catchAll = false,
                  bool skipUnknown = true, long unknownResult = 0) {
        WriteFile("survey.txt", text);
        reader = std::make_unique<OmReader>("survey.txt");
        survey.errorResult = errorResult;
        survey.unknownResult = unknownResult;
        observer =
            std::make_unique<OmObserver>(&reader->GetReaderErrorList(), Link(this, &Read::OnEvent));
        survey.Register(*reader);
        if (catchAll) survey.RegisterCatchAll(*reader);
        reader->SkipUnknownToken(skipUnknown);
        EXPECT_EQ(reader->DoProcess(false), 1);
        EXPECT_EQ(reader->GetLevelCount(), 1);
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
    long OnEvent(void* arg) {
        auto const kind = static_cast<OmNotifyEvent*>(arg)->kind;
        added += (kind == kOmNotifyAdded) - (kind == kOmNotifySubtracted);
        return 0;
    }
};

std::string const kSurvey =
    "; survey sample\nSITE \"north \xc3\xa9tage\"\nEPOCH -12\nSCALE 0.33333333333333333\n"
    "ACTIVE 1\nCOUNT 4000000000\n"
    "STATION\n{\n    NAME \"S1\"\n    HEIGHT 1.5\n    TARGET\n    {\n        ID { 3000000007 "
    "\"corner\" }\n"
    "        DIST 12.25\n        NOTE \"a b;c!\"\n    }\n    TARGET { ID { 8 \"ridge\" } DIST 3 "
    "}\n}\n"
    "STATION { NAME \"S2\" HEIGHT 1.25e0 }\n";

// An integer is taken for a double; unsigned values (COUNT, ids) keep all 32 bits; the keyword
// right after a block is not passed over.
std::string const kSurveySummary =
    "E-12 X0.333333333333333 S'north \xc3\xa9tage' A C4000000000 [S1 H1.5 (3000000007 'corner' "
    "D12.25 "
    "N'a b;c!') (8 'ridge' D3)] [S2 H1.25]";

// The survey in the layout of the writer.
std::string Write(Survey const& in) {
    std::ostringstream out;
    out << OmComment << "round trip" << Omendl;
    out << s12 << "SITE" << w4 << '"' << in.site.chars() << '"' << Omendl;
    out << s12 << "EPOCH" << w8 << in.epoch << Omendl;
    out << s12 << "SCALE" << p16 << w19 << in.scale << Omendl;
    out << s12 << "ACTIVE" << w4 << in.active << Omendl;
    out << s12 << "COUNT" << w10 << in.count << Omendl;
    for (Station const& s : in.stations) {
        out << "STATION" << Omendl << OmBeginBlockNL;
        out << s12 << "NAME" << w4 << '"' << s.name.chars() << '"' << Omendl;
        out << s12 << "HEIGHT" << p8 << w12 << s.height;
        for (Target const& t : s.targets) {
            out << Omendl << "TARGET" << Omendl << OmBeginBlockNL;
            out << s12 << "ID" << w4 << OmBeginBlock;
            t.id.Write(out) << OmEndBlock << Omendl;
            out << s12 << "DIST" << p16 << w19 << t.dist << Omendl;
            out << s12 << "NOTE" << w4 << '"' << t.note.chars() << '"' << OmEndBlockNL;
        }
        out << OmEndBlockNL << Omendl;
    }
    EXPECT_EQ(OmWriterLevel(), 0);
    return out.str();
}

TEST(Reader, ValuesOfEveryKindLandAtTheirLevelsAndWriteBack) {
    std::string crlf;
    for (char c : kSurvey) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (std::string const& text : {kSurvey, crlf}) {
        Read r(text);
        EXPECT_EQ(r.Errors(), "");
        EXPECT_EQ(r.survey.Summary(), kSurveySummary);
    }
    OmWriterReset();
    Read again(Write(Read(kSurvey).survey));
    EXPECT_EQ(again.Errors(), "");
    EXPECT_EQ(again.survey.Summary(), kSurveySummary);

    std::ostringstream header;
    OmObject(12, String("a b")).Write(header);
    EXPECT_EQ(header.str(), "   12 \"a b\"");
}

struct ReadCase {
    char const* text;
    char const* summary;
    char const* errors;
    long errorResult = 0;  // what the parser error handler returns (1: go on)
    bool catchAll = false;
    bool skipUnknown = true;
    long unknownResult = 0;
};

TEST(Reader, UnknownStrayAndWrongTokens) {
    ReadCase const cases[] = {
        // A keyword of another level is unknown here: passed over with its value, no entry.
        {"EPOCH 3\nSTATION { EPOCH 9 NAME \"S\" }\nSITE \"x\"\n", "E3 S'x' [S]", ""},
        // An unknown block is skipped whole, with one entry at the line of its "{".
        {"EPOCH 1\nPHOTO\n{\n  A { 1 { 2 } }\n  \"s\" {}\n}\nEPOCH 2\nOTHER 5\n", "E2", "3:ok"},
        // Errors inside a skipped block are recorded; the handler decides whether reading goes on.
        {"EPOCH 1\nPHOTO {\n 2x \n}\nEPOCH 2\n", "E1", "2:ok 3:number"},
        {"EPOCH 1\nPHOTO {\n 2x \n}\nEPOCH 2\n", "E2", "2:ok 3:number", 1},
        // A "}" is no value: the station still ends at it.
        {"STATION { NAME \"S\" FLAG }\nSITE \"after\"\n", "S'after' [S]", ""},
        // A value of the wrong kind stops reading unless the handler goes on.
        {"EPOCH \"three\"\nSITE \"x\"\nSCALE 2x\nACTIVE 1\n", "", "1:kind"},
        {"EPOCH \"three\"\nSITE \"x\"\nSCALE 2x\nACTIVE 1\n", "S'x' A", "1:kind 3:number", 1},
        // Strays go to the catch-all object (12, "loose", -, {, 1 and the end of the input) ...
        {"12\nEPOCH 5\n\"loose\" -\n{ 1\nSITE 2x\n", "E5 strays6", "5:number", 1, true},
        // ... or are recorded; the entry that the end of the input leaves is dropped.
        {"12\nEPOCH 5\n3.5\nSITE 2x\nACTIVE 1\n7\n", "E5 A", "1:kind 3:kind 4:number 6:kind", 1},
        {"EPOCH 5\n", "E5", ""},
        {"EPOCH 5\n3.5\nSITE \"x\"\n", "E5", "2:kind"},
        {"EPOCH 5\nSCALE", "E5", "", 1},
        {"EPOCH 4\nEPOCH", "E4", ""},
        {"STATION {", "[]", "1:eof"},
        // Without skipping, the unknown-token handler decides.
        {"EPOCH 1\nODD\nSITE \"x\"\n", "E1 unknown1", "", 0, false, false, 0},
        {"EPOCH 1\nODD\nSITE \"x\"\n", "E1 S'x' unknown1", "", 0, false, false, 1},
        // The input ends inside two blocks: what was read stays, the end is recorded once.
        {"EPOCH 1\nSTATION\n{\n  NAME \"S\"\n  TARGET { DIST 2.5\n", "E1 [S (0 '' D2.5)]", "5:eof"},
        // A "}" that closes nothing ends the outer level, and is recorded.
        {"EPOCH 1\n}\nEPOCH 2\n", "E1", "2:kind"},
        {"}}}}{{{{\n", "", "1:kind", 1, true},
    };
    for (ReadCase const& c : cases) {
        Read r(c.text, c.errorResult, c.catchAll, c.skipUnknown, c.unknownResult);
        EXPECT_EQ(r.survey.Summary(), c.summary) << c.text;
        EXPECT_EQ(r.Errors(), c.errors) << c.text;
    }
}

TEST(Reader, DeeplyNestedUnknownBlocksAreSkippedWithoutRecursion) {
    std::string const opening = std::string(1000, '{') + "\n";
    std::string text = "EPOCH 1\nDEEP\n";
    for (int i = 0; i < 100; ++i) text += opening;
    Read cut(text);  // the input ends inside the skipped blocks
    EXPECT_EQ(cut.reader->GetReadErrorCount(), 1);
    for (int i = 0; i < 100; ++i) text += std::string(1000, '}') + "\n";
    Read r(text + "EPOCH 2\n");
    EXPECT_EQ(r.survey.epoch, 2);
    EXPECT_EQ(r.reader->GetReadErrorCount(), 1);
}

TEST(Reader, FileNames) {
    for (int wide = 0; wide < 2; ++wide) {
        auto reader = wide ? std::make_unique<OmReader>(L"no_such_dir/none.txt")
                           : std::make_unique<OmReader>("no_such_dir/none.txt");
        reader->DoProcess(false);
        ASSERT_EQ(reader->GetReadErrorCount(), 1);
        EXPECT_EQ(reader->GetReaderErrorList().First()->GetStatus(), ParserErrorStream);
        EXPECT_EQ(reader->IsWideFileName(), wide == 1);
    }
    OmReader nameless(static_cast<char const*>(nullptr));
    nameless.DoProcess(false);
    EXPECT_EQ(nameless.GetReadErrorCount(), 1);

    // A wide name is opened as UTF-8.
    WriteFile("m\xc3\xbchle_\xc3\x9f.txt", "EPOCH 42\n");
    OmReader reader(L"m\u00fchle_\u00df.txt");
    Survey s;
    s.Register(reader);
    reader.DoProcess(false);
    EXPECT_EQ(reader.GetReadErrorCount(), 0);
    EXPECT_EQ(s.epoch, 42);
    EXPECT_EQ(reader.GetFileName(), "m\xc3\xbchle_\xc3\x9f.txt");
}

TEST(Reader, RandomBytesEndInAStatus) {
    std::mt19937 rng(99);
    for (int round = 0; round < 30; ++round) {
        std::string bytes(4000, '\0');
        for (char& c : bytes) c = static_cast<char>(rng() & 0xFF);
        char const* pieces[] = {"STATION", "TARGET", "EPOCH", "{", "}", "\"", " ", "\n", "1.5"};
        for (int i = 0; i < 300; ++i) {
            std::string const piece = pieces[rng() % 9];
            bytes.replace(rng() % (bytes.size() - 8), piece.size(), piece);
        }
        Read r(bytes, round % 2, round % 3 == 0);
        r.Errors();
    }
}

// Handlers for formats driven by callbacks rather than by bound values.
class Handlers : public LinkHdl {
  public:
    int calls = 0;
    int blocks = 0;
    std::vector<std::string> taken;

    static OmParser& Parser(void* arg) { return static_cast<OmReaderObject*>(arg)->GetParser(); }
    long Count(void*) { return ++calls, 1; }
    long TakeInt(void* arg) {
        taken.push_back(std::to_string(Parser(arg).GetTokenInt()));
        return 1;
    }
    // Looks at the token after its keyword and leaves anything but an integer for the next pass.
    long Peek(void* arg) {
        ++calls;
        if (Parser(arg).GetToken().GetType() != OmTokenInt) Parser(arg).SkipNextParse(true);
        return 1;
    }
    // "{ id "name" a b c d }" without a keyword: the catch-all object gets the "{" and takes the
    // values one by one; the closing "}" is passed over by the reader.
    long Plane(void* arg) {
        auto* o = static_cast<OmReaderObject*>(arg);
        Parser(arg).GetToken(OmTokenBlockBegin);
        o->NextToken();
        std::string plane = std::to_string(Parser(arg).GetTokenInt());
        o->NextToken();
        plane += Parser(arg).GetTokenString();
        for (int i = 0; i < 4; ++i) {
            o->NextToken();
            plane += " " + std::to_string(Parser(arg).GetTokenNumber());
        }
        o->NextToken();
        taken.push_back(plane);
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
    WriteFile("callbacks.txt", text);
    auto reader = std::make_unique<OmReader>("callbacks.txt");
    for (OmReaderObject* o : objects) reader->RegisterObject(*o);
    reader->SetSimpleMode(simple);
    if (goOn) reader->SetParserErrorHdl(Link(goOn, &Handlers::Count));
    EXPECT_EQ(reader->DoProcess(passOverBlockEnd), 1);
    return reader;
}

// Handlers that never ask for a token must not keep a loop running at the end of the input.
TEST(Reader, CallbacksThatNeverAskStopAtTheEnd) {
    std::string const simple = "1 2 3\nword \"s\" { }\n";
    Handlers h, ints, all;
    OmReaderObject count("ANY", Link(&h, &Handlers::Count));
    EXPECT_EQ(ReadWith(simple, {&count}, true, false, &h)->GetReadErrorCount(), 0);
    EXPECT_EQ(h.calls, 8);  // seven tokens and the end of the input, once
    OmReaderObject take("ANY", Link(&ints, &Handlers::TakeInt));
    EXPECT_EQ(ReadWith(simple, {&take}, true, false, &ints)->GetReadErrorCount(),
              4);  // word "s" { }
    EXPECT_EQ(ints.taken, (std::vector<std::string>{"1", "2", "3"}));
    ReadWith(simple, {}, true, false);  // nothing registered: nothing to deliver to

    OmReaderObject catchAll{Link(&all, &Handlers::Count)};  // in the normal mode
    ReadWith("1 2\n", {&catchAll}, false, true, &all);
    EXPECT_EQ(all.calls, 3);
}

TEST(Reader, CallbacksTakeTheirOwnTokens) {
    Handlers peek, planes;
    int epoch = 0;
    OmReaderObject flag("FLAG", Link(&peek, &Handlers::Peek)), e("EPOCH", &epoch);
    auto reader = ReadWith("FLAG\nEPOCH 6\nFLAG 1\n", {&flag, &e}, false, false);
    EXPECT_EQ(peek.calls, 2);
    EXPECT_EQ(epoch, 6);
    EXPECT_EQ(reader->GetCurrentObject()->IsKeyword("FLAG"), 1);

    OmReaderObject plane{Link(&planes, &Handlers::Plane)};
    reader = ReadWith(
        "{ 1 \"wall\" 0 0 1 -5 }\n{ 2 \"roof\" 0.5 0.5 0.7071 2.5 }\n{ 3 \"bad\" x }\n"
        "{ 4 \"floor\" 0 0 1 0 }\n",
        {&plane}, false, true);
    // The error on line 3 stopped reading.
    EXPECT_EQ(planes.taken,
              (std::vector<std::string>{"1wall 0.000000 0.000000 1.000000 -5.000000",
                                        "2roof 0.500000 0.500000 0.707100 2.500000"}));
    ASSERT_EQ(reader->GetReadErrorCount(), 1);
    EXPECT_EQ(reader->GetReaderErrorList().First()->GetLine(), 3u);

    OmReaderObject nested{Link(&planes, &Handlers::Nested)};
    EXPECT_EQ(ReadWith("{ { 1 } { } }\n2\n", {&nested}, false, false)->GetReadErrorCount(), 0);
    EXPECT_EQ(planes.blocks, 3);  // each "}" closed its block
}

TEST(Reader, KeywordsKeepAtMost28Characters) {
    std::string const k28(28, 'K');
    std::string const k40(40, 'L');
    int a = 0;
    int b = 0;
    OmReaderObject o28(k28.c_str(), &a), o40(k40.c_str(), &b);
    EXPECT_EQ(std::string(o40.GetKeyword()), k40.substr(0, 28));
    ReadWith(k28 + " 5\n" + k40 + " 6\n", {&o28, &o40}, false, false);
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 0);
    EXPECT_STREQ(OmReaderObject{Link()}.GetKeyword(), "_NOT_DEFINED");
}

// ---------------------------------------------------------------------------------------------
// Error messages and their log

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

    Read r("EPOCH \"x\"\nSITE 2x\n\"open\nEPOCH 5\n", 1);
    EXPECT_EQ(r.survey.epoch, 5);
    std::vector<std::wstring> const expected = {
        L"2| 3 Read Error(s) in survey.txt:",
        L"2| - Line: 000001, Status: ParserErrorNotSpecifiedToken",
        L"2| - Line: 000002, Status: ParserErrorInvalidNumber",
        L"2| - Line: 000003, Status: ParserErrorUnterminatedString",
    };
    EXPECT_EQ(Logged(*r.reader), expected);
}

TEST(ReaderMessages, FileNamesAreTextNotFormat) {
    // A wide name with percent signs and characters beyond ASCII is logged as it stands.
    OmReader reader(L"%s%d%ls_\u00e9\u4e2d\U0001F600.txt");
    reader.DoProcess(false);
    std::vector<std::wstring> const lines = Logged(reader);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], L"2| 1 Read Error(s) in %s%d%ls_\u00e9\u4e2d\U0001F600.txt:");
    EXPECT_EQ(lines[1], L"2| - Line: 000000, Status: ParserErrorStream");

    // A long name is cut to the buffer; even a tiny buffer is filled within its size.
    std::wstring longName(5000, L'd');
    longName += L"/%s%n%ls_file.txt";
    OmReader longReader(longName.c_str());
    longReader.DoProcess(false);
    wchar_t buffer[OmReader::kMessageSize];
    std::wmemset(buffer, L'#', OmReader::kMessageSize);
    longReader.FormatErrorHeader(buffer, OmReader::kMessageSize);
    std::wstring const header = buffer;
    EXPECT_LT(header.size(), static_cast<size_t>(OmReader::kMessageSize));
    EXPECT_EQ(header.substr(0, 21), L" 1 Read Error(s) in .");
    EXPECT_EQ(header.substr(header.size() - 18), L"/%s%n%ls_file.txt:");
    wchar_t tiny[8];
    longReader.FormatErrorHeader(tiny, 8);
    EXPECT_EQ(std::wstring(tiny), L" 1 Read");
    longReader.FormatError(*longReader.GetReaderErrorList().First(), tiny, 8);
    EXPECT_EQ(std::wstring(tiny), L" - Line");
}

}  // namespace
}  // namespace om
