#include <om/sys/text.h>

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using om::sys::Utf8ToWide;
using om::sys::WideToUtf8;

TEST(Utf8, EveryScalarValueRoundTrips) {
    std::wstring const wide = L"A\u00E9\u20AC\U0001F600\U0010FFFF";  // every encoding length
    EXPECT_EQ(WideToUtf8(wide), "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF");
    for (char32_t cp = 0; cp <= 0x10FFFF; cp += (cp < 0x800 ? 1 : 97)) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        std::wstring const one(1, static_cast<wchar_t>(cp));
        ASSERT_EQ(Utf8ToWide(WideToUtf8(one)), one)
            << "U+" << std::hex << static_cast<unsigned>(cp);
    }
}

TEST(Utf8, InvalidBytesBecomeReplacementCharacters) {
    struct Case {
        std::string in;
        std::wstring out;
    };
    Case const cases[] = {
        {"\x80", L"\uFFFD"},                                // stray continuation byte
        {"\xC0\x80", L"\uFFFD\uFFFD"},                      // overlong NUL
        {"\xE0\x80\xAF", L"\uFFFD\uFFFD\uFFFD"},            // overlong slash
        {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},            // encoded surrogate
        {"\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
        {"\xF5x", L"\uFFFDx"},
        {"a\xE2\x82", L"a\uFFFD\uFFFD"},  // truncated at the end of the input
        {"\xE2\x82z", L"\uFFFD\uFFFDz"},  // truncated by an ASCII byte, which survives
        {std::string("\0b", 2), std::wstring(L"\0b", 2)},
    };
    for (auto const& c : cases) EXPECT_EQ(Utf8ToWide(c.in), c.out) << c.in;

    std::wstring const bad = {L'x', static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000)};
    EXPECT_EQ(WideToUtf8(bad), "x\xEF\xBF\xBD\xEF\xBF\xBD");

    // Random bytes decode to text that is valid UTF-8 and so converts back unchanged.
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int iter = 0; iter < 2000; ++iter) {
        std::string in(static_cast<std::size_t>(byte(rng) % 40), '\0');
        for (char& c : in) c = static_cast<char>(byte(rng));
        std::wstring const wide = Utf8ToWide(in);
        ASSERT_LE(wide.size(), in.size());
        std::string const clean = WideToUtf8(wide);
        ASSERT_LE(clean.size(), 4 * wide.size());
        ASSERT_EQ(Utf8ToWide(clean), wide);
    }
}

}  // namespace
