#include <om/textio/parser.h>

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
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

TEST(Parser, TokenKindsAndValues) {
    auto items = Scan("12 12.5 1e5 12e - e5 ABC_1 = -7 +3 .5 1.5e-3");
    ASSERT_EQ(items.size(), 13u);
    EXPECT_EQ(items[0].type, OmTokenInt);
    EXPECT_EQ(items[0].intValue, 12);
    EXPECT_EQ(items[1].type, OmTokenFloat);
    EXPECT_DOUBLE_EQ(items[1].floatValue, 12.5);
    EXPECT_EQ(items[2].type, OmTokenFloat);
    EXPECT_DOUBLE_EQ(items[2].floatValue, 1e5);
    EXPECT_EQ(items[3].type, OmTokenFloat);
    EXPECT_DOUBLE_EQ(items[3].floatValue, 12.0);
    EXPECT_EQ(items[4].type, OmTokenOther);
    EXPECT_EQ(items[4].text, "-");
    EXPECT_EQ(items[5].type, OmTokenKeyword);
    EXPECT_EQ(items[5].text, "e5");
    EXPECT_EQ(items[6].type, OmTokenKeyword);
    EXPECT_EQ(items[6].text, "ABC_1");
    EXPECT_EQ(items[7].type, OmTokenOther);
    EXPECT_EQ(items[8].intValue, -7);
    EXPECT_EQ(items[9].intValue, 3);
    EXPECT_DOUBLE_EQ(items[10].floatValue, 0.5);
    EXPECT_DOUBLE_EQ(items[11].floatValue, 1.5e-3);
    EXPECT_EQ(items[12].type, OmTokenEOF);
    EXPECT_EQ(items[12].text, " ");
}

TEST(Parser, NumbersAgreeWithTheCRuntime) {
    // Cross-check against strtod/strtol under the "C" locale on many generated numbers.
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> mantissa(-1e6, 1e6);
    std::uniform_int_distribution<int> exponent(-30, 30);
    std::uniform_int_distribution<int> integer(-2000000000, 2000000000);
    std::ostringstream text;
    std::vector<std::string> words;
    for (int i = 0; i < 2000; ++i) {
        char buf[64];
        if (i % 2) {
            std::snprintf(buf, sizeof buf, "%.17ge%d", mantissa(rng), exponent(rng));
        } else {
            std::snprintf(buf, sizeof buf, "%d", integer(rng));
        }
        words.push_back(buf);
        text << buf << ((i % 7) ? " " : "\n");
    }
    auto items = Scan(text.str());
    ASSERT_EQ(items.size(), words.size() + 1);
    for (size_t i = 0; i < words.size(); ++i) {
        if (i % 2) {
            ASSERT_EQ(items[i].type, OmTokenFloat) << words[i];
            EXPECT_EQ(items[i].floatValue, std::strtod(words[i].c_str(), nullptr)) << words[i];
        } else {
            ASSERT_EQ(items[i].type, OmTokenInt) << words[i];
            EXPECT_EQ(items[i].intValue, std::strtol(words[i].c_str(), nullptr, 10)) << words[i];
        }
    }
}

TEST(Parser, IntegerOverflowSaturates) {
    auto items = Scan("99999999999 -99999999999 2147483647 -2147483648 1e999");
    EXPECT_EQ(items[0].intValue, 2147483647);
    EXPECT_EQ(items[1].intValue, -2147483647 - 1);
    EXPECT_EQ(items[2].intValue, 2147483647);
    EXPECT_EQ(items[3].intValue, -2147483647 - 1);
    EXPECT_EQ(items[4].type, OmTokenFloat);
    EXPECT_TRUE(std::isinf(items[4].floatValue));
}

TEST(Parser, InvalidNumbersThrowAndParsingGoesOn) {
    auto items = Scan("2x _a ok\n3");
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].thrown, ParserErrorInvalidNumber);
    EXPECT_EQ(items[1].thrown, ParserErrorInvalidNumber);
    EXPECT_EQ(items[2].type, OmTokenKeyword);
    EXPECT_EQ(items[2].text, "ok");
    EXPECT_EQ(items[3].type, OmTokenInt);
    EXPECT_EQ(items[3].line, 2u);
    EXPECT_EQ(items[4].type, OmTokenEOF);
}

TEST(Parser, QuotesCommentsAndBraces) {
    auto items = Scan("\"a b;c\" abc;rest \"\"\n12} {x}\n! whole line\n  \t \n\"q!\"");
    ASSERT_EQ(items.size(), 9u);
    EXPECT_EQ(items[0].type, OmTokenString);
    EXPECT_EQ(items[0].text, "a b;c");
    EXPECT_EQ(items[1].type, OmTokenKeyword);
    EXPECT_EQ(items[1].text, "abc");
    EXPECT_EQ(items[2].type, OmTokenInt);  // the comment hid the empty string on line 1
    EXPECT_EQ(items[2].intValue, 12);
    EXPECT_EQ(items[2].line, 2u);
    EXPECT_EQ(items[3].type, OmTokenBlockEnd);
    EXPECT_EQ(items[3].text, " ");
    EXPECT_EQ(items[4].type, OmTokenBlockBegin);
    EXPECT_EQ(items[5].type, OmTokenKeyword);
    EXPECT_EQ(items[5].text, "x");
    EXPECT_EQ(items[6].type, OmTokenBlockEnd);
    EXPECT_EQ(items[7].type, OmTokenString);
    EXPECT_EQ(items[7].text, "q!");
    EXPECT_EQ(items[7].line, 5u);
    EXPECT_EQ(items[8].type, OmTokenEOF);
}

TEST(Parser, EmptyStringBetweenQuotesAndAdjacentTokens) {
    auto items = Scan("\"\"x\"y\"{1}");
    ASSERT_EQ(items.size(), 7u);
    EXPECT_EQ(items[0].type, OmTokenString);
    EXPECT_EQ(items[0].text, "");
    EXPECT_EQ(items[1].text, "x");
    EXPECT_EQ(items[2].text, "y");
    EXPECT_EQ(items[3].type, OmTokenBlockBegin);
    EXPECT_EQ(items[4].intValue, 1);
    EXPECT_EQ(items[5].type, OmTokenBlockEnd);
}

TEST(Parser, UnterminatedStringDropsItsLine) {
    auto items = Scan("1 \"abc def\nnext");
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[1].thrown, ParserErrorUnterminatedString);
    EXPECT_EQ(items[1].line, 1u);
    EXPECT_EQ(items[2].type, OmTokenKeyword);
    EXPECT_EQ(items[2].text, "next");
    EXPECT_EQ(items[2].line, 2u);

    // At the very end of the input.
    auto tail = Scan("\"abc");
    ASSERT_EQ(tail.size(), 2u);
    EXPECT_EQ(tail[0].thrown, ParserErrorUnterminatedString);
    EXPECT_EQ(tail[1].type, OmTokenEOF);
}

TEST(Parser, EmptyStreamGivesEndOfFile) {
    std::istringstream in("");
    OmStreamTokenizer tok(in);
    EXPECT_EQ(tok.Next().GetType(), OmTokenEOF);
    EXPECT_EQ(tok.GetStatus().GetStatus(), ParserStatusEOF);
    try {
        tok.GetTokenInt();
        FAIL() << "no throw";
    } catch (OmParserStatus const& s) {
        EXPECT_EQ(s.GetStatus(), ParserStatusEOF);
    }
    // Every further parse stays at the end.
    EXPECT_EQ(tok.Next().GetType(), OmTokenEOF);
    EXPECT_EQ(tok.Next().GetType(), OmTokenEOF);
    EXPECT_EQ(tok.GetStatus().GetLine(), 0u);
}

TEST(Parser, AskingForKinds) {
    std::istringstream in("7 2.5 word \"s\"");
    OmStreamTokenizer tok(in);
    tok.Next();
    EXPECT_EQ(tok.GetTokenInt(), 7);
    EXPECT_DOUBLE_EQ(tok.GetTokenNumber(), 7.0);
    try {
        tok.GetTokenFloat();
        FAIL() << "an integer is no floating-point token";
    } catch (OmParserStatus const& s) {
        EXPECT_EQ(s.GetStatus(), ParserErrorNotSpecifiedToken);
        EXPECT_EQ(s.GetLine(), 1u);
        EXPECT_EQ(s.GetTokenCount(), 1u);
    }
    tok.Next();
    EXPECT_DOUBLE_EQ(tok.GetTokenNumber(), 2.5);
    EXPECT_DOUBLE_EQ(tok.GetTokenFloat(), 2.5);
    tok.Next();
    EXPECT_THROW(tok.GetTokenNumber(), OmParserStatus);
    EXPECT_EQ(tok.GetStatus().GetStatus(), ParserErrorNotSpecifiedToken);
    EXPECT_EQ(tok.GetToken(OmTokenKeyword).GetString(), std::string("word"));
    tok.Next();
    EXPECT_STREQ(tok.GetTokenString(), "s");
    EXPECT_EQ(tok.GetToken().GetNumber(), 0.0);
    tok.Next();
    // At the end, a number request is a kind mismatch; any other request gives the end status.
    EXPECT_THROW(tok.GetTokenNumber(), OmParserStatus);
    EXPECT_EQ(tok.GetStatus().GetStatus(), ParserErrorNotSpecifiedToken);
    EXPECT_EQ(tok.Next().GetType(), OmTokenEOF);
    EXPECT_EQ(tok.GetStatus().GetStatus(), ParserStatusEOF);
}

TEST(Parser, SkipNextParseRepeatsTheToken) {
    std::istringstream in("a b");
    OmStreamTokenizer tok(in);
    EXPECT_STREQ(tok.Next().GetString(), "a");
    EXPECT_TRUE(tok.SkipNextParse(true));
    EXPECT_TRUE(tok.IsSkipNextParse());
    EXPECT_STREQ(tok.Next().GetString(), "a");
    EXPECT_FALSE(tok.IsSkipNextParse());
    EXPECT_STREQ(tok.Next().GetString(), "b");
    EXPECT_EQ(tok.GetStatus().GetTokenCount(), 2u);
}

TEST(Parser, SkipLineDropsTheRest) {
    std::istringstream in("a b c\nd");
    OmStreamTokenizer tok(in);
    tok.Next();
    tok.SkipLine();
    EXPECT_STREQ(tok.Next().GetString(), "d");
}

TEST(Parser, CommaAsDecimalPoint) {
    OmParser setup;
    setup.SetDecPoint(',');
    EXPECT_EQ(setup.GetDecPoint(), ',');
    auto items = Scan("12,5 1,5e2 3 -0,25", &setup);
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].type, OmTokenFloat);
    EXPECT_DOUBLE_EQ(items[0].floatValue, 12.5);
    EXPECT_EQ(items[0].text, "12.5");
    EXPECT_DOUBLE_EQ(items[1].floatValue, 150.0);
    EXPECT_EQ(items[2].type, OmTokenInt);
    EXPECT_DOUBLE_EQ(items[3].floatValue, -0.25);

    // A comma that was a separator loses that class.
    OmParser sep;
    sep.SetTokenseperator(',', true);
    EXPECT_EQ(Scan("1,2", &sep).size(), 3u);
    sep.SetDecPoint(',');
    EXPECT_EQ(sep.GetCharClasses().GetFlags(','), 0);
    EXPECT_DOUBLE_EQ(Scan("1,2", &sep)[0].floatValue, 1.2);
}

TEST(Parser, CommentAndSeparatorCharacters) {
    OmParser p;
    p.SetCommentChar('#', true);
    auto items = Scan("a#b\nc", &p);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1].text, "c");

    // ';' turned into a separator is no comment any more.
    p.SetTokenseperator(';', true);
    EXPECT_EQ(p.GetCharClasses().GetFlags(';'), OmChSeparator);
    items = Scan("a;b", &p);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1].text, "b");

    p.SetTokenseperator(' ', false);
    items = Scan("a b", &p);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].text, "a b");

    p.SetCommentChar('#', false);
    EXPECT_EQ(Scan("a#b", &p)[0].text, "a#b");
}

TEST(Parser, CharacterTable) {
    OmChLookup table;
    for (int c = 0; c < 256; ++c) EXPECT_EQ(table.GetFlags(static_cast<unsigned char>(c)), 0);
    table.SetFlags("ab\xe9", OmChSeparator | OmChQuote);
    EXPECT_EQ(table.GetFlags('a'), OmChSeparator | OmChQuote);
    EXPECT_EQ(table.GetFlags(0xe9), OmChSeparator | OmChQuote);
    table.ClearFlags("b\xe9", OmChQuote);
    EXPECT_EQ(table.GetFlags('b'), OmChSeparator);
    EXPECT_EQ(table.GetFlags(0xe9), OmChSeparator);
    table.ClearFlags('a', OmChSeparator | OmChQuote);
    EXPECT_EQ(table.GetFlags('a'), 0);

    OmParser p;
    OmChLookup const& classes = p.GetCharClasses();
    EXPECT_EQ(classes.GetFlags(' '), OmChSeparator);
    EXPECT_EQ(classes.GetFlags('\t'), OmChSeparator);
    EXPECT_EQ(classes.GetFlags('\n'), OmChSeparator);
    EXPECT_EQ(classes.GetFlags(';'), OmChComment);
    EXPECT_EQ(classes.GetFlags('!'), OmChComment);
    EXPECT_EQ(classes.GetFlags('"'), OmChQuote);
    EXPECT_EQ(classes.GetFlags('{'), OmChBlockBegin);
    EXPECT_EQ(classes.GetFlags('}'), OmChBlockEnd);
    EXPECT_EQ(classes.GetFlags('.'), 0);
}

TEST(Parser, HighBytesAreNeitherLettersNorDigits) {
    // Bytes above 127 (UTF-8 text) are classified as unsigned values: never letters or digits.
    auto items = Scan(
        "M\xc3\xbcller \xc3\xbc 5\xc3\xa9 \xc3\xbc"
        "ber");
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].type, OmTokenKeyword);
    EXPECT_EQ(items[0].text, "M\xc3\xbcller");
    EXPECT_EQ(items[1].type, OmTokenOther);
    EXPECT_EQ(items[2].type, OmTokenInt);
    EXPECT_EQ(items[3].thrown, ParserErrorInvalidNumber);
}

TEST(Parser, LineBufferBoundary) {
    std::string const full(OmParser::kLineBufferSize - 1, 'k');  // 8511 characters
    auto items = Scan(full + "\nnext\n");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].text.size(), full.size());
    EXPECT_EQ(items[1].text, "next");
    EXPECT_EQ(items[1].line, 2u);

    // The same line ended by CR LF is still whole.
    items = Scan(full + "\r\nnext\r\n");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].text, full);
    EXPECT_EQ(items[1].text, "next");

    // And at the end of the input without a line end.
    items = Scan(full);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].type, OmTokenEOF);

    // One more character: the first 8511 are tokenized, then the stream error ends parsing.
    items = Scan("1 " + std::string(OmParser::kLineBufferSize - 3, 'k') + "z\nnext\n");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].intValue, 1);
    EXPECT_EQ(items[1].text.size(), OmParser::kLineBufferSize - 3u);
    EXPECT_EQ(items[2].thrown, ParserErrorStream);

    items = Scan(full + "\rx\n");
    EXPECT_EQ(items.back().thrown, ParserErrorStream);
}

TEST(Parser, StreamErrorIsSticky) {
    std::istringstream in(std::string(20000, '7'));
    OmStreamTokenizer tok(in);
    EXPECT_EQ(tok.Next().GetType(), OmTokenInt);
    for (int i = 0; i < 3; ++i) {
        EXPECT_THROW(tok.Next(), OmParserStatus);
        EXPECT_EQ(tok.GetStatus().GetStatus(), ParserErrorStream);
    }
}

TEST(Parser, CarriageReturnLineEnds) {
    std::string const lf = "KAMERA\n{\n  1 2.5 \"x y\"\n}\nNAME \"a\";note\n";
    std::string crlf;
    for (char c : lf) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    auto a = Scan(lf);
    auto b = Scan(crlf);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].type, b[i].type) << i;
        EXPECT_EQ(a[i].text, b[i].text) << i;
        EXPECT_EQ(a[i].line, b[i].line) << i;
    }
    EXPECT_EQ(b[0].text, "KAMERA");
}

TEST(Parser, FileStreamThatCannotOpen) {
    std::ifstream in("no_such_dir/no_such_file.pro");
    OmStreamTokenizer tok(in);
    try {
        tok.Next();
        FAIL() << "no throw";
    } catch (OmParserStatus const& s) {
        EXPECT_EQ(s.GetStatus(), ParserErrorStream);
    }
}

TEST(Parser, CopyKeepsItsOwnBuffer) {
    std::istringstream in("alpha beta gamma\ndelta");
    auto original = std::make_unique<OmStreamTokenizer>(in);
    original->Next();
    OmStreamTokenizer copy(*original);
    EXPECT_STREQ(copy.GetToken().GetString(), "alpha");
    EXPECT_STREQ(original->Next().GetString(), "beta");
    original.reset();
    EXPECT_STREQ(copy.GetToken().GetString(), "alpha");
    EXPECT_STREQ(copy.Next().GetString(), "beta");
    EXPECT_STREQ(copy.Next().GetString(), "gamma");
    EXPECT_STREQ(copy.Next().GetString(), "delta");
    EXPECT_EQ(copy.GetStatus().GetTokenCount(), 4u);
}

TEST(Parser, StatusTexts) {
    EXPECT_STREQ(GetOmParserStatusText(ParserStatusOK), L"ParserStatusOK");
    EXPECT_STREQ(GetOmParserStatusText(ParserStatusEOF), L"ParserStatusEOF");
    EXPECT_STREQ(GetOmParserStatusText(ParserErrorStream), L"ParserErrorStream");
    EXPECT_STREQ(GetOmParserStatusText(ParserErrorUnterminatedString),
                 L"ParserErrorUnterminatedString");
    EXPECT_STREQ(GetOmParserStatusText(ParserErrorInvalidNumber), L"ParserErrorInvalidNumber");
    EXPECT_STREQ(GetOmParserStatusText(ParserErrorNotSpecifiedToken),
                 L"ParserErrorNotSpecifiedToken");
    EXPECT_STREQ(GetOmParserStatusText(static_cast<eOmParserStatus>(6)), L"ParserStatus??");
    EXPECT_STREQ(GetOmParserStatusText(static_cast<eOmParserStatus>(-1)), L"ParserStatus??");
}

// ---------------------------------------------------------------------------------------------
// Hostile input: every parse ends in a token or a status, and the input is finished.

TEST(ParserHostile, RandomBytes) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 20; ++round) {
        std::string bytes(20000, '\0');
        for (char& c : bytes) c = static_cast<char>(rng() & 0xFF);
        // Bias towards the characters with a class so that every path is taken.
        for (int i = 0; i < 2000; ++i) bytes[rng() % bytes.size()] = " \n\"{};!e.-1"[rng() % 11];
        auto items = Scan(bytes);
        ASSERT_FALSE(items.empty());
        EXPECT_TRUE(items.back().type == OmTokenEOF || items.back().thrown == ParserErrorStream);
    }
}

TEST(ParserHostile, NulBytesEndTheLine) {
    auto items = Scan(std::string("ab\0cd ef\nxy\0", 12));
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].text, "ab");
    EXPECT_EQ(items[1].text, "xy");
    EXPECT_EQ(items[1].line, 2u);
}

TEST(ParserHostile, MegabyteLine) {
    std::string line;
    while (line.size() < (1u << 20)) line += "12.5 word \"q\" { } ";
    auto items = Scan(line + "\nafter\n");
    EXPECT_EQ(items.back().thrown, ParserErrorStream);
    EXPECT_LT(items.size(), 8512u);
}

// ---------------------------------------------------------------------------------------------
// Process locale

std::string LocaleDecimalPoint() {
    return std::localeconv()->decimal_point;
}

TEST(ParserLocale, NumbersReadWithAPointUnderACommaLocale) {
    sys::ScopedLocale german(LC_ALL, {"de_DE.UTF-8", "de_DE.utf8", "de_DE"});
    if (!german.Active()) GTEST_SKIP() << "no German locale installed";
    ASSERT_EQ(LocaleDecimalPoint(), ",");
    std::string const before = sys::ProcessLocaleName();
    {
        auto first = std::make_unique<OmParser>();
        EXPECT_EQ(LocaleDecimalPoint(), ".");
        EXPECT_DOUBLE_EQ(std::strtod("2.5", nullptr), 2.5);
        auto second = std::make_unique<OmParser>(*first);
        auto items = Scan("2.5 -1.25e1");
        EXPECT_DOUBLE_EQ(items[0].floatValue, 2.5);
        EXPECT_DOUBLE_EQ(items[1].floatValue, -12.5);
        // Destroyed out of order: the locale stays "C" while a parser lives.
        first.reset();
        EXPECT_EQ(LocaleDecimalPoint(), ".");
        second.reset();
    }
    EXPECT_EQ(sys::ProcessLocaleName(), before);
    EXPECT_EQ(LocaleDecimalPoint(), ",");
}

TEST(ParserLocale, GuardSavesAndRestoresTheWholeLocale) {
    sys::ScopedLocale german(LC_ALL, {"de_DE.UTF-8", "de_DE.utf8", "de_DE"});
    if (!german.Active()) GTEST_SKIP() << "no German locale installed";
    std::string const before = sys::ProcessLocaleName();
    {
        OmCLocale numeric(LC_NUMERIC, "C");
        EXPECT_STREQ(numeric.GetSavedLocale().chars(), before.c_str());
        EXPECT_EQ(LocaleDecimalPoint(), ".");
        OmCLocale copy(numeric);
        EXPECT_STREQ(copy.GetSavedLocale().chars(), before.c_str());
    }
    EXPECT_EQ(sys::ProcessLocaleName(), before);
    {
        OmCLocale whole;
        EXPECT_STREQ(std::setlocale(LC_ALL, nullptr), "C");
    }
    EXPECT_EQ(sys::ProcessLocaleName(), before);
}

}  // namespace
}  // namespace om
