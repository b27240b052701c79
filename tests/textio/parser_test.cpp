#include <om/textio/parser.h>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace om {
namespace {

// One parse result: a token, or the status that was thrown instead.
struct Item {
    eOmTokentype type = OmTokenOther;
    std::string text;
    int intValue = 0;
    double floatValue = 0.0;
    eOmParserStatus thrown = ParserStatusOK;  // non-OK: this parse threw
    std::uint32_t line = 0;
};

// Parses the whole text, recording thrown statuses as items, until the end of file token or a
// stream error; bounded so that a parser that never ends fails the test instead of hanging.
std::vector<Item> Scan(std::string const& text, OmParser* setup = nullptr) {
    std::istringstream in(text);
    OmStreamTokenizer tok(in);
    if (setup) static_cast<OmParser&>(tok) = *setup;
    std::vector<Item> items;
    for (int guard = 0; guard < 1000000; ++guard) {
        Item item;
        try {
            OmParserToken const& t = tok.Next();
            item.type = t.GetType();
            item.text = t.GetString() ? t.GetString() : "";
            item.intValue = t.GetInt();
            item.floatValue = t.GetFloat();
        } catch (OmParserStatus const& s) {
            item.thrown = s.GetStatus();
        }
        item.line = tok.GetStatus().GetLine();
        items.push_back(item);
        if (item.type == OmTokenEOF || item.thrown == ParserErrorStream) return items;
    }
    ADD_FAILURE() << "the parser did not reach the end of its input";
    return items;
}

// The items as one line: i12 f12.5 kWORD o- s"text" { } !status eof, with "@n" where the line
// number changes (the first line is 1).
std::string Describe(std::vector<Item> const& items) {
    static char const* const kStatus[] = {"ok", "eof", "stream", "unterminated", "number", "kind"};
    static char const* const kKind[] = {"o", "i", "f", "n", "k", "s", "{", "}", "eof"};
    std::string out;
    std::uint32_t line = 1;
    for (Item const& item : items) {
        if (!out.empty()) out += ' ';
        if (item.line != line) out += "@" + std::to_string(line = item.line) + " ";
        if (item.thrown != ParserStatusOK) {
            out += std::string("!") + kStatus[item.thrown];
            continue;
        }
        char number[40];
        std::snprintf(number, sizeof number, "%.15g", item.floatValue);
        out += kKind[item.type];
        if (item.type == OmTokenInt) out += std::to_string(item.intValue);
        if (item.type == OmTokenFloat) out += number;
        if (item.type == OmTokenKeyword || item.type == OmTokenOther) out += item.text;
        if (item.type == OmTokenString) out += '"' + item.text + '"';
    }
    return out;
}

TEST(Parser, TokenSequences) {
    std::tuple<char const*, std::string, std::string> const cases[] = {
        {"kinds", "12 12.5 1e5 12e - e5 ABC_1 = -7 +3 .5 1.5e-3",
         "i12 f12.5 f100000 f12 o- ke5 kABC_1 o= i-7 i3 f0.5 f0.0015 eof"},
        {"saturation", "99999999999 -99999999999 2147483647 -2147483648",
         "i2147483647 i-2147483648 i2147483647 i-2147483648 eof"},
        {"bad numbers go on", "2x _a ok\n3", "!number !number kok @2 i3 eof"},
        {"quotes comments braces", "\"a b;c\" abc;rest \"\"\n12} {x}\n! whole line\n  \t \n\"q!\"",
         "s\"a b;c\" kabc @2 i12 } { kx } @5 s\"q!\" eof"},
        {"adjacent", "\"\"x\"y\"{1}", "s\"\" kx s\"y\" { i1 } eof"},
        {"unterminated string", "1 \"abc def\nnext", "i1 !unterminated @2 knext eof"},
        {"unterminated at end", "\"abc", "!unterminated eof"},
        {"high bytes", "M\xc3\xbcller \xc3\xbc 5\xc3\xa9 \xc3\xbc\x62\x65r",
         "kM\xc3\xbcller o\xc3\xbc i5 !number eof"},
        {"nul ends the line", std::string("ab\0cd ef\nxy\0", 12), "kab @2 kxy eof"},
        {"carriage returns", "KAMERA\r\n{\r\n  1 2.5 \"x y\"\r\n}\r\nNAME \"a\";note\r\n",
         "kKAMERA @2 { @3 i1 f2.5 s\"x y\" @4 } @5 kNAME s\"a\" eof"},
    };
    for (auto const& [name, input, expected] : cases)
        EXPECT_EQ(Describe(Scan(input)), expected) << name;
}

TEST(Parser, ConfiguredCharacters) {
    // Bytes above 127 index the class table as unsigned values.
    OmChLookup table;
    table.SetFlags("a\xe9", OmChSeparator | OmChQuote);
    table.ClearFlags("\xe9", OmChQuote);
    EXPECT_EQ(table.GetFlags(0xe9), OmChSeparator);

    OmParser comma;
    comma.SetDecPoint(',');
    EXPECT_EQ(Describe(Scan("12,5 1,5e2 3 -0,25", &comma)), "f12.5 f150 i3 f-0.25 eof");
    // A comma that was a separator loses that class when it becomes the decimal point.
    OmParser sep;
    sep.SetTokenseperator(',', true);
    EXPECT_EQ(Describe(Scan("1,2", &sep)), "i1 i2 eof");
    sep.SetDecPoint(',');
    EXPECT_EQ(Describe(Scan("1,2", &sep)), "f1.2 eof");

    OmParser p;
    p.SetCommentChar('#', true);
    EXPECT_EQ(Describe(Scan("a#b\nc", &p)), "ka @2 kc eof");
    p.SetTokenseperator(';', true);  // no comment any more
    p.SetTokenseperator(' ', false);
    EXPECT_EQ(Describe(Scan("a;b c", &p)), "ka kb c eof");
    p.SetCommentChar('#', false);
    EXPECT_EQ(Describe(Scan("a#b", &p)), "ka#b eof");
}

TEST(Parser, NumbersAgreeWithTheCRuntime) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> mantissa(-1e6, 1e6);
    std::uniform_int_distribution<int> exponent(-30, 30), integer(-2000000000, 2000000000);
    std::ostringstream text;
    std::vector<std::string> words;  // an integer, then a floating-point number
    for (int i = 0; i < 1000; ++i) {
        char f[64];
        std::snprintf(f, sizeof f, "%.17ge%d", mantissa(rng), exponent(rng));
        words.push_back(std::to_string(integer(rng)));
        words.push_back(f);
        text << words[2 * i] << ' ' << f << (i % 3 ? " " : "\n");
    }
    auto items = Scan(text.str());
    ASSERT_EQ(items.size(), words.size() + 1);
    for (size_t i = 0; i < words.size(); ++i) {
        char const* w = words[i].c_str();
        ASSERT_EQ(items[i].type, i % 2 ? OmTokenFloat : OmTokenInt) << w;
        EXPECT_EQ(i % 2 ? items[i].floatValue : items[i].intValue,
                  i % 2 ? std::strtod(w, nullptr) : std::strtol(w, nullptr, 10))
            << w;
    }
}

eOmParserStatus ThrownBy(auto&& call) {
    try {
        call();
    } catch (OmParserStatus const& s) {
        return s.GetStatus();
    }
    return ParserStatusOK;
}

TEST(Parser, AskingForKinds) {
    std::istringstream in("7 2.5 2x word \"s\" a b\nc");
    OmStreamTokenizer tok(in);
    tok.Next();
    EXPECT_EQ(tok.GetTokenInt(), 7);
    EXPECT_DOUBLE_EQ(tok.GetTokenNumber(), 7.0);
    EXPECT_EQ(ThrownBy([&] { tok.GetTokenFloat(); }), ParserErrorNotSpecifiedToken);
    tok.Next();
    EXPECT_DOUBLE_EQ(tok.GetTokenFloat(), 2.5);
    // A keyword that starts with a digit throws but stays current, so a caller catching the
    // status can still ask for its text.
    EXPECT_EQ(ThrownBy([&] { tok.Next(); }), ParserErrorInvalidNumber);
    EXPECT_STREQ(tok.GetToken(OmTokenKeyword).GetString(), "2x");
    tok.Next();
    EXPECT_EQ(ThrownBy([&] { tok.GetTokenNumber(); }), ParserErrorNotSpecifiedToken);
    tok.Next();
    EXPECT_STREQ(tok.GetTokenString(), "s");
    EXPECT_STREQ(tok.Next().GetString(), "a");
    EXPECT_TRUE(tok.SkipNextParse(true));
    EXPECT_STREQ(tok.Next().GetString(), "a");
    tok.SkipLine();
    EXPECT_STREQ(tok.Next().GetString(), "c");
    tok.Next();
    // At the end, a number request is a kind mismatch; parsing on gives the end status.
    EXPECT_EQ(ThrownBy([&] { tok.GetTokenNumber(); }), ParserErrorNotSpecifiedToken);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(tok.Next().GetType(), OmTokenEOF);
    EXPECT_EQ(tok.GetStatus().GetStatus(), ParserStatusEOF);
}

TEST(Parser, LineBufferBoundary) {
    std::string const full(OmParser::kLineBufferSize - 1, 'k');  // the longest line that fits
    auto items = Scan(full + "\r\nnext\n");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].text, full);
    EXPECT_EQ(items[1].line, 2u);
    EXPECT_EQ(Scan(full).size(), 2u);  // ended by the input, no line end

    // One more character: what fits is tokenized, then the stream error ends parsing.
    items = Scan("1 " + std::string(OmParser::kLineBufferSize - 3, 'k') + "z\nnext\n");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1].text.size(), OmParser::kLineBufferSize - 3u);
    EXPECT_EQ(items[2].thrown, ParserErrorStream);
    EXPECT_EQ(Scan(full + "\rx\n").back().thrown, ParserErrorStream);

    // A long line is cut off at the buffer, not collected, and the error stays.
    std::istringstream in(std::string(1 << 20, '7'));
    OmStreamTokenizer tok(in);
    EXPECT_EQ(tok.Next().GetType(), OmTokenInt);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(ThrownBy([&] { tok.Next(); }), ParserErrorStream);
}

// A copy has its own line buffer: it parses on after the original is gone.
TEST(Parser, CopyKeepsItsOwnBuffer) {
    std::istringstream in("alpha beta gamma\ndelta");
    auto original = std::make_unique<OmStreamTokenizer>(in);
    original->Next();
    OmStreamTokenizer copy(*original);
    original.reset();
    EXPECT_STREQ(copy.GetToken().GetString(), "alpha");
    for (char const* word : {"beta", "gamma", "delta"}) EXPECT_STREQ(copy.Next().GetString(), word);
}

// Numbers are read with a point whatever the process locale.
TEST(ParserLocale, PointUnderACommaLocale) {
    sys::ScopedLocale german(LC_ALL, {"de_DE.UTF-8", "de_DE.utf8", "de_DE"});
    if (!german.Active()) GTEST_SKIP() << "no German locale installed";
    auto const items = Scan("2.5 -1.25e1");
    EXPECT_EQ(items[0].floatValue, 2.5);
    EXPECT_EQ(items[1].floatValue, -12.5);
    EXPECT_EQ(std::string(std::localeconv()->decimal_point), ",");
}

}  // namespace
}  // namespace om
