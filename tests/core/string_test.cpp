#include <om/core/string.h>
#include <om/core/wide_text.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <unordered_set>
#include <vector>

namespace {

using om::String;

// Capacity grows by power-of-two blocks (16 bytes hold 6 characters, 32 hold 22), and lengths
// past 16 bits never wrap.
TEST(StringLimits, GrowthAndLengthsBeyondSixteenBits) {
    String s("abcdef");
    EXPECT_EQ(s.allocation(), 6);
    s += 'g';
    EXPECT_EQ(s.allocation(), 22);
    s = "";  // shrinking keeps the block
    EXPECT_EQ(s.allocation(), 22);
    std::string ref;
    for (int i = 0; i < 70000; ++i) ref += static_cast<char>('a' + i % 26);
    for (char c : ref) s += c;
    ASSERT_EQ(s.length(), 70000);
    EXPECT_TRUE(s.view() == ref && s.OK());
    EXPECT_EQ(String(s.at(69990, 10)), ref.substr(69990, 10).c_str());
    EXPECT_EQ(s.index("xyz", -1), static_cast<int>(ref.rfind("xyz")));
    // gsub growing far past 65,535 (each "a" becomes four characters).
    String g = s;
    int const n = g.gsub("a", "AAAA");
    EXPECT_EQ(n, 70000 / 26 + 1);
    EXPECT_TRUE(g.length() == 70000 + 3 * n && g.OK());

    ref[12345] = 'Z';
    // readline keeps a CR: only the terminator is special.
    std::istringstream in(ref + "\none\r\ntwo;three");
    EXPECT_EQ(om::readline(in, s), 70000);
    EXPECT_EQ(s.view(), ref);
    EXPECT_EQ(om::readline(in, s), 4);
    EXPECT_EQ(s, "one\r");
    EXPECT_EQ(om::readline(in, s, ';', 0), 4);
    EXPECT_EQ(s, "two;");
    EXPECT_EQ(om::readline(in, s), 5);
    EXPECT_EQ(om::readline(in, s), 0);
    EXPECT_TRUE(s.empty() && in.fail());
}

TEST(StringEditing, ViewsDeletionAndSelfReferences) {
    String s("key=value=x");
    EXPECT_EQ(s.freq(""), 0);
    EXPECT_TRUE(s.through('=') == "key=" && s.after('=', -1) == "x");  // -1: the last one
    // Not found or out of range: an empty view, never the whole string.
    EXPECT_TRUE(s.before("#").empty() && s.at(5, 100).empty() && s.at(-1, 2).empty() &&
                s.at(2000000000, 2000000000).empty());
    // The view may look at the same string it replaces into.
    String t("abcdef");
    t.at(0, 2) = t.from(2);
    EXPECT_EQ(t, "cdefcdef");
    // A view outside the string replaces nothing anywhere.
    t.at(10, 1) = "zzz";
    t.before("#") = "zzz";
    EXPECT_EQ(t, "cdefcdef");
    EXPECT_FALSE(t.del(0, 0) || t.del(-1, 2) || t.del(6, 3) || t.del("zz"));
    EXPECT_TRUE(t.del(1, 2) && t.del("fc"));
    EXPECT_EQ(t, "cdef");
    String a("xy");
    a += a;
    a.prepend(a);
    EXPECT_EQ(a, "xyxyxyxy");
    a = a.at(1, 3);
    EXPECT_EQ(a.gsub(a, "<" + a + ">"), 1);
    EXPECT_EQ(a, "<yxy>");
    // The tokens are appended; the input may be an element of the vector.
    std::vector<String> v{"keep"};
    EXPECT_EQ(om::tokenize(v[0], v, "e"), 3);
    EXPECT_TRUE(v[1] == "k" && v[2] == "p");
    String const words[] = {"x", "", "y"};
    EXPECT_EQ(om::join(words, 3, "--"), "x----y");
    EXPECT_EQ(om::common_prefix("xphoto", "yphoto", 1), "photo");
}

TEST(StringCase, CapitalizeKeepsApostrophesInWordsAndBytesAbove127) {
    String s("don't STOP 3rd-place o'neil");
    s.capitalize();
    EXPECT_EQ(s, "Don't Stop 3rd-Place O'neil");
    String u("\xC3\xA9t\xC3\xA9");  // UTF-8 bytes pass through unchanged
    u.upcase();
    EXPECT_EQ(u, "\xC3\xA9T\xC3\xA9");
}

TEST(StringCompare, SignedBytesAndFolding) {
    EXPECT_EQ(std::tuple(om::fcompare("abc", "ABD") < 0, om::fcompare("ABC", "abc"),
                         om::compare(String("a"), "ab")),
              std::tuple(true, 0, -'b'));
    // Characters are signed: a byte above 127 sorts before ASCII, and before the end (0). The
    // operators agree with compare and give a total order usable as a map key.
    std::map<String, int> m;
    for (char const* k : {"b", "a", "ab", "\xE9", "a\xE9", ""}) m[String(k)] = 1;
    std::vector<std::string> keys;
    for (auto const& kv : m) keys.push_back(kv.first.str());
    EXPECT_EQ(keys, (std::vector<std::string>{"\xE9", "", "a\xE9", "a", "ab", "b"}));
    // Embedded NULs keep the order total and equality exact.
    String const n1("a\0b", 3), n2("a\0c", 3), n3("a");
    EXPECT_TRUE(n1 != n3 && n3 < n1 && n1 < n2);
    std::unordered_set<String> set{n1, n2, n3, String("a")};
    EXPECT_EQ(set.size(), 3u);
}

TEST(StringFunctions, SprintfPlaceholders) {
    String out;
    // A placeholder 2 arriving with argument 1 is replaced in the next pass; a %1 inside
    // argument 1 is not replaced again (no endless loop).
    EXPECT_EQ(om::Sprintf(out, "%1|%1", "<%1%2>", "B"), 4);
    EXPECT_EQ(out, "<%1B>|<%1B>");
    // Unused arguments remove their placeholders; dst may be an argument.
    out = "me";
    EXPECT_EQ(om::Sprintf(out, "%3[%1]%5", out), 3);
    EXPECT_EQ(out, "[me]");
    EXPECT_EQ(om::Sprintf(out, "100%"), 0);
    EXPECT_EQ(out, "100%");
}

TEST(StringNumbers, DefaultFormatAcceptsOneDoubleConversionOnly) {
    EXPECT_EQ(String(3.14159), " 3.142");
    EXPECT_EQ(String(1e300).length(), 305);  // longer than any small buffer
    String const saved = String::DefaultNumberFormat();
    for (char const* bad : {"%s", "%f %f", "%Lf", "%99999f"})
        EXPECT_FALSE(String::SetDefaultNumberFormat(bad)) << bad;
    EXPECT_EQ(String(2.5), " 2.500");
    EXPECT_TRUE(String::SetDefaultNumberFormat("%% %+.2e"));
    EXPECT_EQ(String(2.5), "% +2.50e+00");
    EXPECT_TRUE(String::SetDefaultNumberFormat(saved));
}

// ---- differential tests against std::string on random inputs ----

std::string RandomText(std::mt19937& rng, int maxlen, char const* alphabet) {
    std::size_t const k = std::char_traits<char>::length(alphabet);
    std::string s(std::uniform_int_distribution<int>(0, maxlen)(rng), ' ');
    for (char& c : s) c = alphabet[std::uniform_int_distribution<std::size_t>(0, k - 1)(rng)];
    return s;
}

// Reference search: forward from startpos, or backward with the first try ending at
// size + startpos.
int RefIndex(std::string const& s, std::string const& t, int startpos) {
    int const last = static_cast<int>(s.size()) - static_cast<int>(t.size()) + startpos + 1;
    std::size_t const p = startpos >= 0 ? s.find(t, startpos)
                          : last < 0    ? std::string::npos
                                        : s.rfind(t, last);
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

TEST(StringDifferential, SearchAndSubstitution) {
    std::mt19937 rng(20240611);
    for (int iter = 0; iter < 4000; ++iter) {
        std::string const s = RandomText(rng, 24, "ab,");
        std::string t = RandomText(rng, 3, "ab,");
        if (t.empty()) t = "a";
        std::string const r = RandomText(rng, 4, "ab,x");
        String const S(s.c_str(), static_cast<int>(s.size()));
        String const T(t.c_str());
        int const n = static_cast<int>(s.size());
        SCOPED_TRACE("s=" + s + " t=" + t + " r=" + r);

        for (int sp = -n - 2; sp <= n + 2; ++sp) {
            ASSERT_EQ(S.index(T, sp), RefIndex(s, t, sp)) << "startpos " << sp;
            ASSERT_EQ(S.index(t[0], sp), RefIndex(s, t.substr(0, 1), sp)) << "startpos " << sp;
            // contains: t starts exactly at sp, or ends just before size + sp + 1; matches: t is
            // all of the rest from sp, or the end of the string for any negative sp.
            int const at = sp >= 0 ? sp : n + sp + 1 - static_cast<int>(t.size());
            ASSERT_EQ(S.contains(T, sp), at >= 0 && at <= n && s.compare(at, t.size(), t) == 0);
            ASSERT_EQ(S.matches(T, sp), sp < 0 ? s.ends_with(t) : sp <= n && s.substr(sp) == t);
        }
        int freq = 0;
        for (std::size_t p = s.find(t); p != std::string::npos; p = s.find(t, p + 1)) ++freq;
        EXPECT_EQ(S.freq(T), freq);

        std::string g = s;
        int reps = 0;
        for (std::size_t p = g.find(t); p != std::string::npos; p = g.find(t, p + r.size())) {
            g.replace(p, t.size(), r);
            ++reps;
        }
        String G = S;
        EXPECT_EQ(G.gsub(T, r.c_str()), reps);
        EXPECT_EQ(G.view(), g);
        EXPECT_TRUE(G.OK());

        // split: pieces between separators; no trailing empty piece.
        std::vector<std::string> ref_split;
        for (std::size_t pos = 0; pos < s.size();) {
            std::size_t p = s.find(t, pos);
            if (p == std::string::npos) p = s.size();
            ref_split.push_back(s.substr(pos, p - pos));
            pos = p + t.size();
        }
        // With room for fewer pieces, the first ones.
        String pieces[8];
        int const room = 1 + static_cast<int>(rng() % 8);
        int const np = om::split(S, pieces, room, T);
        ASSERT_EQ(np, std::min(room, static_cast<int>(ref_split.size())));
        for (int i = 0; i < np; ++i) EXPECT_EQ(pieces[i].view(), ref_split[i]);

        // tokenize: maximal runs without delimiter characters.
        std::vector<std::string> ref_tok;
        for (std::size_t b = s.find_first_not_of(t), e; b != std::string::npos;
             b = s.find_first_not_of(t, e)) {
            e = s.find_first_of(t, b);
            ref_tok.push_back(s.substr(b, e - b));
        }
        std::vector<String> toks;
        ASSERT_EQ(om::tokenize(S, toks, T), static_cast<int>(ref_tok.size()));
        for (std::size_t i = 0; i < toks.size(); ++i) EXPECT_EQ(toks[i].view(), ref_tok[i]);

        // Editing a random range agrees with std::string::replace.
        int const pos = std::uniform_int_distribution<int>(0, n)(rng);
        int const len = std::uniform_int_distribution<int>(0, n - pos)(rng);
        String E = S;
        E.at(pos, len) = r.c_str();
        EXPECT_EQ(E.view(), std::string(s).replace(pos, len, r));
        EXPECT_EQ(om::compare(S, T) < 0, s < t) << "ASCII text orders like std::string";
    }
}

TEST(WideText, EmojiAndInvalidBytesThroughTheOwningBuffers) {
    // Four UTF-8 bytes give one wide unit; every one of four emoji must fit.
    std::string const text = "\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80";
    om::AnsiToUni const wide(text);
    ASSERT_NE(wide(), nullptr);
    EXPECT_EQ(std::wstring(wide()), L"\U0001F600\U0001F600\U0001F600\U0001F600");
    om::UniToAnsi const back(wide());
    ASSERT_NE(back(), nullptr);
    EXPECT_EQ(std::string(back()), text);

    // Every wide unit of maximal UTF-8 length.
    std::wstring const top(50, static_cast<wchar_t>(0x10FFFF));
    om::UniToAnsi const narrow(top);
    EXPECT_EQ(std::strlen(narrow()), 200u);

    om::AnsiToUni const invalid("ok\xFF\xC3");
    EXPECT_EQ(std::wstring(invalid()), L"ok\uFFFD\uFFFD");
    EXPECT_EQ(om::AnsiToUni("")(), nullptr);
}

}  // namespace
