#include <om/textio/reader.h>

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <om/core/notify.h>
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
    int errorCalls = 0;

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
        o->RegisterObject(name);
        o->RegisterObject(height);
        o->RegisterObject(target);
        return o->DoProcess();
    }
    long OnTarget(void* arg) {
        auto* o = static_cast<OmReaderObject*>(arg);
        Target& t = stations.back().targets.emplace_back();
        OmReaderObject id("ID", Link(this, &Survey::OnId)), dist("DIST", &t.dist),
            note("NOTE", &t.note);
        o->RegisterObject(id);
        o->RegisterObject(dist);
        o->RegisterObject(note);
        return o->DoProcess();
    }
    long OnId(void* arg) {
        return stations.back().targets.back().id.Read(static_cast<OmReaderObject*>(arg));
    }
    long OnStray(void*) {
        ++strays;
        return 1;
    }
    long OnUnknown(void*) {
        ++unknown;
        return unknownResult;
    }
    long OnError(void*) {
        ++errorCalls;
        return errorResult;
    }
};

std::string const kSurvey =
    "; survey sample\n"
    "SITE \"old mill\"\n"
    "EPOCH 3\n"
    "SCALE 2\n"
    "ACTIVE 1\n"
    "COUNT 4000000000\n"
    "STATION\n"
    "{\n"
    "    NAME \"S1\"\n"
    "    HEIGHT 1.5\n"
    "    TARGET\n"
    "    {\n"
    "        ID { 7 \"corner\" }\n"
    "        DIST 12.25\n"
    "        NOTE \"a b;c\"\n"
    "    }\n"
    "    TARGET { ID { 8 \"ridge\" } DIST 3 }\n"
    "}\n"
    "STATION { NAME \"S2\" HEIGHT 1.25e0 }\n";

struct Read {
    Survey survey;
    std::vector<std::pair<unsigned, eOmParserStatus>> errors;

    explicit Read(std::string const& text, long errorResult = 0, bool catchAll = false,
                  bool skipUnknown = true, long unknownResult = 0) {
        WriteFile("survey.txt", text);
        OmReader reader("survey.txt");
        survey.errorResult = errorResult;
        survey.unknownResult = unknownResult;
        survey.Register(reader);
        if (catchAll) survey.RegisterCatchAll(reader);
        reader.SkipUnknownToken(skipUnknown);
        EXPECT_EQ(reader.DoProcess(false), 1);
        for (OmReaderError const* e = reader.GetReaderErrorList().First(); e; e = e->Next()) {
            errors.emplace_back(e->GetLine(), e->GetStatus());
        }
        EXPECT_EQ(static_cast<int>(errors.size()), reader.GetReadErrorCount());
        EXPECT_EQ(reader.GetLevelCount(), 1);
    }
};

TEST(Reader, ValuesOfEveryKindLandAtTheirLevels) {
    Read r(kSurvey);
    EXPECT_TRUE(r.errors.empty());
    Survey const& s = r.survey;
    EXPECT_STREQ(s.site.chars(), "old mill");
    EXPECT_EQ(s.epoch, 3);
    EXPECT_DOUBLE_EQ(s.scale, 2.0);  // an integer is taken for a double
    EXPECT_TRUE(s.active);
    EXPECT_EQ(s.count, 2147483647u);   // the integer saturates at the int range
    ASSERT_EQ(s.stations.size(), 2u);  // the keyword right after a block is not passed over
    EXPECT_STREQ(s.stations[0].name.chars(), "S1");
    EXPECT_DOUBLE_EQ(s.stations[0].height, 1.5);
    ASSERT_EQ(s.stations[0].targets.size(), 2u);
    EXPECT_EQ(s.stations[0].targets[0].id.GetId(), 7u);
    EXPECT_STREQ(s.stations[0].targets[0].id.GetName().chars(), "corner");
    EXPECT_DOUBLE_EQ(s.stations[0].targets[0].dist, 12.25);
    EXPECT_STREQ(s.stations[0].targets[0].note.chars(), "a b;c");
    EXPECT_EQ(s.stations[0].targets[1].id.GetId(), 8u);
    EXPECT_DOUBLE_EQ(s.stations[0].targets[1].dist, 3.0);
    EXPECT_STREQ(s.stations[1].name.chars(), "S2");
    EXPECT_DOUBLE_EQ(s.stations[1].height, 1.25);
}

TEST(Reader, CarriageReturnLineEndsReadTheSame) {
    std::string crlf;
    for (char c : kSurvey) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    Read r(crlf);
    EXPECT_TRUE(r.errors.empty());
    ASSERT_EQ(r.survey.stations.size(), 2u);
    EXPECT_STREQ(r.survey.stations[0].targets[0].note.chars(), "a b;c");
}

TEST(Reader, KeywordsAreFoundOnlyAtTheirOwnLevel) {
    // EPOCH inside a station is unknown there: passed over with its value, no entry.
    Read r("EPOCH 3\nSTATION { EPOCH 9 NAME \"S\" }\nSITE \"x\"\n");
    EXPECT_TRUE(r.errors.empty());
    EXPECT_EQ(r.survey.epoch, 3);
    EXPECT_STREQ(r.survey.stations.at(0).name.chars(), "S");
    EXPECT_STREQ(r.survey.site.chars(), "x");
}

TEST(Reader, UnknownBlocksAreSkippedWithOneEntry) {
    Read r("EPOCH 1\nPHOTO\n{\n  A { 1 { 2 } }\n  \"s\" {}\n}\nEPOCH 2\nOTHER 5\n");
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0].first, 3u);  // the line of the block's "{"
    EXPECT_EQ(r.errors[0].second, ParserStatusOK);
    EXPECT_EQ(r.survey.epoch, 2);
}

TEST(Reader, UnknownKeywordBeforeABlockEndKeepsTheBlock) {
    // A "}" is no value: the station still ends at it and SITE is read at the outer level.
    Read r("STATION { NAME \"S\" FLAG }\nSITE \"after\"\n");
    EXPECT_TRUE(r.errors.empty());
    EXPECT_STREQ(r.survey.site.chars(), "after");
    EXPECT_STREQ(r.survey.stations.at(0).name.chars(), "S");
}

TEST(Reader, WrongKindStopsUnlessTheHandlerGoesOn) {
    std::string const text = "EPOCH \"three\"\nSITE \"x\"\nSCALE 2x\nACTIVE 1\n";
    Read stop(text);
    ASSERT_EQ(stop.errors.size(), 1u);
    EXPECT_EQ(stop.errors[0].first, 1u);
    EXPECT_EQ(stop.errors[0].second, ParserErrorNotSpecifiedToken);
    EXPECT_EQ(stop.survey.errorCalls, 1);
    EXPECT_STREQ(stop.survey.site.chars(), "");  // processing stopped

    Read goOn(text, 1);
    ASSERT_EQ(goOn.errors.size(), 2u);
    EXPECT_EQ(goOn.errors[0].second, ParserErrorNotSpecifiedToken);
    EXPECT_EQ(goOn.errors[1].first, 3u);
    EXPECT_EQ(goOn.errors[1].second, ParserErrorInvalidNumber);
    EXPECT_STREQ(goOn.survey.site.chars(), "x");
    EXPECT_TRUE(goOn.survey.active);
}

TEST(Reader, StrayTokensGoToTheCatchAllOrAreRecorded) {
    std::string const text = "12\nEPOCH 5\n\"loose\" -\n{ 1\nSITE 2x\n";
    Read with(text, 1, true);
    EXPECT_EQ(with.survey.strays, 6);  // 12, "loose", -, {, 1 and the end of the input
    EXPECT_EQ(with.survey.epoch, 5);
    ASSERT_EQ(with.errors.size(), 1u);
    EXPECT_EQ(with.errors[0], std::make_pair(5u, ParserErrorInvalidNumber));

    Read without("12\nEPOCH 5\n3.5\nSITE 2x\nACTIVE 1\n7\n", 1);
    // Strays on lines 1, 3 and 6 and the bad number on line 4 are recorded; the end of the
    // input without a catch-all object left one more entry, which is dropped.
    ASSERT_EQ(without.errors.size(), 4u);
    EXPECT_EQ(without.errors[0], std::make_pair(1u, ParserErrorNotSpecifiedToken));
    EXPECT_EQ(without.errors[1], std::make_pair(3u, ParserErrorNotSpecifiedToken));
    EXPECT_EQ(without.errors[2], std::make_pair(4u, ParserErrorInvalidNumber));
    EXPECT_EQ(without.errors[3], std::make_pair(6u, ParserErrorNotSpecifiedToken));
    EXPECT_TRUE(without.survey.active);

    // The entry that the end of the input leaves without a catch-all object is dropped; a stray
    // at which reading stopped stays.
    Read end("EPOCH 5\n");
    EXPECT_TRUE(end.errors.empty());
    Read last("EPOCH 5\n3.5\nSITE \"x\"\n");
    ASSERT_EQ(last.errors.size(), 1u);
    EXPECT_EQ(last.errors[0], std::make_pair(2u, ParserErrorNotSpecifiedToken));
    EXPECT_STREQ(last.survey.site.chars(), "");
    // A number asked for at the end of the input is no error of the file either.
    Read number("EPOCH 5\nSCALE", 1);
    EXPECT_TRUE(number.errors.empty());
}

TEST(Reader, UnknownTokenHandlerDecides) {
    std::string const text = "EPOCH 1\nODD\nSITE \"x\"\n";
    Read stop(text, 0, false, false, 0);
    EXPECT_EQ(stop.survey.unknown, 1);
    EXPECT_STREQ(stop.survey.site.chars(), "");

    Read goOn(text, 0, false, false, 1);
    EXPECT_EQ(goOn.survey.unknown, 1);
    EXPECT_STREQ(goOn.survey.site.chars(), "x");
    EXPECT_TRUE(goOn.errors.empty());
}

TEST(Reader, KeywordAtTheEndOfTheInput) {
    Read r("EPOCH 4\nEPOCH");
    EXPECT_TRUE(r.errors.empty());
    EXPECT_EQ(r.survey.epoch, 4);
    Read block("STATION {");
    EXPECT_EQ(block.survey.stations.size(), 1u);
}

TEST(Reader, UnbalancedBraces) {
    // The input ends inside two blocks: what was read stays, the end is recorded once.
    Read open("EPOCH 1\nSTATION\n{\n  NAME \"S\"\n  TARGET { DIST 2.5\n");
    EXPECT_EQ(open.survey.epoch, 1);
    ASSERT_EQ(open.survey.stations.size(), 1u);
    EXPECT_STREQ(open.survey.stations[0].name.chars(), "S");
    EXPECT_DOUBLE_EQ(open.survey.stations[0].targets.at(0).dist, 2.5);
    ASSERT_EQ(open.errors.size(), 1u);
    EXPECT_EQ(open.errors[0].second, ParserStatusEOF);

    // A "}" that closes nothing ends the outer level, and is recorded.
    Read extra("EPOCH 1\n}\nEPOCH 2\n");
    EXPECT_EQ(extra.survey.epoch, 1);
    ASSERT_EQ(extra.errors.size(), 1u);
    EXPECT_EQ(extra.errors[0], std::make_pair(2u, ParserErrorNotSpecifiedToken));

    Read many("}}}}{{{{\n", 1, true);
    EXPECT_FALSE(many.errors.empty());
}

TEST(Reader, DeeplyNestedUnknownBlocksAreSkippedWithoutRecursion) {
    constexpr int kDepth = 100000;
    std::string const opening = std::string(1000, '{') + "\n";
    std::string const closing = std::string(1000, '}') + "\n";
    std::string text = "EPOCH 1\nDEEP\n";
    for (int i = 0; i < kDepth / 1000; ++i) text += opening;
    for (int i = 0; i < kDepth / 1000; ++i) text += closing;
    text += "EPOCH 2\n";
    Read r(text);
    EXPECT_EQ(r.survey.epoch, 2);
    ASSERT_EQ(r.errors.size(), 1u);

    // Unterminated: the input ends inside the skipped blocks.
    std::string cutText = "DEEP\n";
    for (int i = 0; i < kDepth / 1000; ++i) cutText += opening;
    Read cut(cutText);
    EXPECT_EQ(cut.errors.size(), 1u);
}

TEST(Reader, FileThatCannotBeOpened) {
    for (int wide = 0; wide < 2; ++wide) {
        auto reader = wide ? std::make_unique<OmReader>(L"no_such_dir/none.txt")
                           : std::make_unique<OmReader>("no_such_dir/none.txt");
        Survey s;
        s.Register(*reader);
        reader->DoProcess(false);
        ASSERT_EQ(reader->GetReadErrorCount(), 1);
        EXPECT_EQ(reader->GetReaderErrorList().First()->GetStatus(), ParserErrorStream);
        EXPECT_EQ(reader->IsWideFileName(), wide == 1);
    }
    OmReader nameless(static_cast<char const*>(nullptr));
    nameless.DoProcess(false);
    EXPECT_EQ(nameless.GetReadErrorCount(), 1);
}

TEST(Reader, WideFileNamesAreOpenedAsUtf8) {
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
        (void)r;
    }
}

TEST(Reader, KeywordsKeepAtMost28Characters) {
    std::string const k28(28, 'K');
    std::string const k40(40, 'L');
    int a = 0;
    int b = 0;
    OmReaderObject o28(k28.c_str(), &a);
    OmReaderObject o40(k40.c_str(), &b);
    EXPECT_EQ(std::strlen(o28.GetKeyword()), 28u);
    EXPECT_EQ(std::string(o40.GetKeyword()), k40.substr(0, 28));
    EXPECT_EQ(o28.IsKeyword(k28.c_str()), 1);
    EXPECT_EQ(o40.IsKeyword(k40.c_str()), 0);

    WriteFile("long.txt", k28 + " 5\n" + k40 + " 6\n");
    OmReader reader("long.txt");
    reader.RegisterObject(o28);
    reader.RegisterObject(o40);
    reader.DoProcess(false);
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 0);

    OmReaderObject empty;
    EXPECT_EQ(empty.IsKeyword(""), 1);
    EXPECT_EQ(empty.GetValueKind(), OmReaderObject::kNone);
    OmReaderObject catchAll{Link()};
    EXPECT_STREQ(catchAll.GetKeyword(), "_NOT_DEFINED");
}

// Handlers that never ask for a token must not keep a loop running at the end of the input.
class Counter : public LinkHdl {
  public:
    int calls = 0;
    std::vector<int> ints;
    long Count(void*) {
        ++calls;
        return 1;
    }
    long TakeInt(void* arg) {
        ints.push_back(static_cast<OmReaderObject*>(arg)->GetParser().GetTokenInt());
        return 1;
    }
};

TEST(Reader, SimpleModeStopsAtTheEndOfTheInput) {
    WriteFile("simple.txt", "1 2 3\nword \"s\" { }\n");
    {
        OmReader reader("simple.txt");
        Counter c;
        OmReaderObject all("ANY", Link(&c, &Counter::Count));
        reader.RegisterObject(all);
        reader.SetSimpleMode(true);
        reader.SetParserErrorHdl(Link(&c, &Counter::Count));
        reader.DoProcess(false);
        EXPECT_EQ(c.calls, 8);  // seven tokens and the end of the input, once
        EXPECT_EQ(reader.GetReadErrorCount(), 0);
    }
    {
        OmReader reader("simple.txt");
        Counter c;
        OmReaderObject ints("ANY", Link(&c, &Counter::TakeInt));
        reader.RegisterObject(ints);
        reader.SetSimpleMode(true);
        reader.SetParserErrorHdl(Link(&c, &Counter::Count));  // go on after every error
        reader.DoProcess(false);
        EXPECT_EQ(c.ints, (std::vector<int>{1, 2, 3}));
        EXPECT_EQ(reader.GetReadErrorCount(), 4);  // word, "s", { and }
    }
    {
        OmReader reader("simple.txt");  // nothing registered: nothing to deliver to
        reader.SetSimpleMode(true);
        EXPECT_EQ(reader.DoProcess(false), 1);
    }
}

TEST(Reader, CatchAllThatNeverAsksForATokenStopsAtTheEnd) {
    WriteFile("strays.txt", "1 2\n");
    OmReader reader("strays.txt");
    Counter c;
    OmReaderObject all{Link(&c, &Counter::Count)};
    reader.RegisterObject(all);
    reader.SetParserErrorHdl(Link(&c, &Counter::Count));
    reader.DoProcess(true);
    EXPECT_EQ(c.calls, 3);
}

TEST(Reader, HandlerCanLeaveTheTokenForTheNextPass) {
    // A handler that looks at the token after its keyword without consuming it.
    class Peek : public LinkHdl {
      public:
        int flags = 0;
        long OnFlag(void* arg) {
            auto* o = static_cast<OmReaderObject*>(arg);
            ++flags;
            if (o->GetParser().GetToken().GetType() != OmTokenInt)
                o->GetParser().SkipNextParse(true);
            return 1;
        }
    } peek;
    WriteFile("peek.txt", "FLAG\nEPOCH 6\nFLAG 1\n");
    OmReader reader("peek.txt");
    int epoch = 0;
    OmReaderObject flag("FLAG", Link(&peek, &Peek::OnFlag)), e("EPOCH", &epoch);
    reader.RegisterObject(flag);
    reader.RegisterObject(e);
    reader.DoProcess(false);
    EXPECT_EQ(peek.flags, 2);
    EXPECT_EQ(epoch, 6);
    EXPECT_EQ(reader.GetCurrentObject()->IsKeyword("FLAG"), 1);
}

// A format without keywords: every "{" goes to the catch-all object, whose handler takes the
// values one by one; the closing "}" is passed over by the reader.
class Planes : public LinkHdl {
  public:
    struct Plane {
        int id;
        std::string name;
        double a, b, c, d;
    };
    std::vector<Plane> planes;
    int blocks = 0;

    long OnBrace(void* arg) {
        auto* o = static_cast<OmReaderObject*>(arg);
        OmParser& p = o->GetParser();
        p.GetToken(OmTokenBlockBegin);
        o->NextToken();
        Plane plane{};
        plane.id = p.GetTokenInt();
        o->NextToken();
        plane.name = p.GetTokenString();
        double* values[] = {&plane.a, &plane.b, &plane.c, &plane.d};
        for (double* v : values) {
            o->NextToken();
            *v = p.GetTokenNumber();
        }
        o->NextToken();
        planes.push_back(plane);
        return 1;
    }
    // Nested anonymous blocks processed at the same level.
    long OnNested(void* arg) {
        auto* o = static_cast<OmReaderObject*>(arg);
        if (o->GetParser().GetToken().GetType() != OmTokenBlockBegin) return 1;
        ++blocks;
        o->NextToken();
        return o->DoProcess();
    }
};

TEST(Reader, BlocksWithoutKeywordsThroughTheCatchAll) {
    WriteFile("planes.txt",
              "{ 1 \"wall\" 0 0 1 -5 }\n{ 2 \"roof\" 0.5 0.5 0.7071 2.5 }\n{ 3 \"bad\" x }\n"
              "{ 4 \"floor\" 0 0 1 0 }\n");
    OmReader reader("planes.txt");
    Planes planes;
    OmReaderObject all{Link(&planes, &Planes::OnBrace)};
    reader.RegisterObject(all);
    reader.DoProcess(true);
    ASSERT_EQ(planes.planes.size(), 2u);  // the error on line 3 stopped reading
    EXPECT_EQ(planes.planes[1].name, "roof");
    EXPECT_DOUBLE_EQ(planes.planes[1].c, 0.7071);
    EXPECT_DOUBLE_EQ(planes.planes[1].d, 2.5);
    ASSERT_EQ(reader.GetReadErrorCount(), 1);
    EXPECT_EQ(reader.GetReaderErrorList().First()->GetLine(), 3u);

    WriteFile("nested.txt", "{ { 1 } { } }\n2\n");
    OmReader nested("nested.txt");
    OmReaderObject nestedAll{Link(&planes, &Planes::OnNested)};
    nested.RegisterObject(nestedAll);
    nested.DoProcess(false);
    EXPECT_EQ(planes.blocks, 3);
    EXPECT_EQ(nested.GetReadErrorCount(), 0);  // each "}" closed its block
}

TEST(Reader, ErrorListSendsAddNotifications) {
    class Events : public LinkHdl {
      public:
        int added = 0;
        long OnEvent(void* arg) {
            if (static_cast<OmNotifyEvent*>(arg)->kind == kOmNotifyAdded) ++added;
            return 0;
        }
    } events;
    WriteFile("notify.txt", "EPOCH x\nSITE 2y\nDEEP { }\n");
    OmReader reader("notify.txt");
    OmObserver observer(&reader.GetReaderErrorList(), Link(&events, &Events::OnEvent));
    Survey s;
    s.Register(reader);
    s.RegisterCatchAll(reader);
    s.errorResult = 1;
    reader.DoProcess(false);
    EXPECT_EQ(reader.GetReadErrorCount(), 3);
    EXPECT_EQ(events.added, 3);
}

// ---------------------------------------------------------------------------------------------
// Error messages

TEST(ReaderMessages, LongAndPercentFileNamesNeverOverflow) {
    std::wstring longName(5000, L'd');
    longName += L"/%s%n%ls_file.txt";
    OmReader reader(longName.c_str());
    reader.DoProcess(false);
    ASSERT_EQ(reader.GetReadErrorCount(), 1);
    wchar_t buffer[OmReader::kMessageSize];
    std::wmemset(buffer, L'#', OmReader::kMessageSize);
    reader.FormatErrorHeader(buffer, OmReader::kMessageSize);
    std::wstring const header = buffer;
    EXPECT_LT(header.size(), static_cast<size_t>(OmReader::kMessageSize));
    EXPECT_EQ(header.substr(0, 21), L" 1 Read Error(s) in .");
    EXPECT_EQ(header.substr(header.size() - 18), L"/%s%n%ls_file.txt:");

    // Even a tiny buffer is filled within its size.
    wchar_t tiny[8];
    reader.FormatErrorHeader(tiny, 8);
    EXPECT_EQ(std::wstring(tiny), L" 1 Read");
    reader.FormatError(*reader.GetReaderErrorList().First(), tiny, 8);
    EXPECT_EQ(std::wstring(tiny), L" - Line");
}

// ---------------------------------------------------------------------------------------------
// Round trip through the writer

TEST(ReaderRoundTrip, WrittenStructureReadsBackTheSameValues) {
    OmWriterReset();
    Survey in;
    in.site = "north \xc3\xa9tage";
    in.epoch = -12;
    in.scale = 1.0 / 3.0;
    in.active = true;
    in.count = 7;
    for (int i = 0; i < 3; ++i) {
        Station& s = in.stations.emplace_back();
        s.name = String(("S" + std::to_string(i)).c_str());
        s.height = 1.5 + i;
        for (int j = 0; j < i + 1; ++j) {
            Target& t = s.targets.emplace_back();
            t.id = OmObject(100 * i + j, String(("T" + std::to_string(j)).c_str()));
            t.dist = 1e-3 * (j + 1) + i;
            t.note = "n;!";
        }
    }
    {
        std::ofstream out("roundtrip.txt");
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
    }
    EXPECT_EQ(OmWriterLevel(), 0);

    // Four blanks per level, exactly.
    std::ifstream lines("roundtrip.txt");
    std::string line;
    int depth = 0;
    while (std::getline(lines, line)) {
        std::size_t const indent = line.find_first_not_of(' ');
        if (indent == std::string::npos) continue;
        if (line[indent] == '}') --depth;
        EXPECT_EQ(indent, static_cast<std::size_t>(4 * depth)) << line;
        if (line[indent] == '{') ++depth;
    }
    EXPECT_EQ(depth, 0);

    std::ifstream file("roundtrip.txt");
    std::stringstream text;
    text << file.rdbuf();
    Read r(text.str());
    EXPECT_TRUE(r.errors.empty());
    Survey const& out = r.survey;
    EXPECT_STREQ(out.site.chars(), in.site.chars());
    EXPECT_EQ(out.epoch, in.epoch);
    EXPECT_DOUBLE_EQ(out.scale, in.scale);
    EXPECT_EQ(out.active, in.active);
    EXPECT_EQ(out.count, in.count);
    ASSERT_EQ(out.stations.size(), in.stations.size());
    for (size_t i = 0; i < in.stations.size(); ++i) {
        EXPECT_STREQ(out.stations[i].name.chars(), in.stations[i].name.chars());
        EXPECT_DOUBLE_EQ(out.stations[i].height, in.stations[i].height);
        ASSERT_EQ(out.stations[i].targets.size(), in.stations[i].targets.size());
        for (size_t j = 0; j < in.stations[i].targets.size(); ++j) {
            Target const& a = in.stations[i].targets[j];
            Target const& b = out.stations[i].targets[j];
            EXPECT_EQ(b.id.GetId(), a.id.GetId());
            EXPECT_STREQ(b.id.GetName().chars(), a.id.GetName().chars());
            EXPECT_DOUBLE_EQ(b.dist, a.dist);
            EXPECT_STREQ(b.note.chars(), a.note.chars());
        }
    }
}

TEST(ReaderRoundTrip, ObjectHeaderLayout) {
    std::ostringstream out;
    OmObject(12, String("a b")).Write(out);
    EXPECT_EQ(out.str(), "   12 \"a b\"");
}

}  // namespace
}  // namespace om
