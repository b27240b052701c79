#include <om/points/point_format.h>
#include <om/points/point_id.h>
#include <om/points/strstok.h>

#include "points/line_reader.h"
#include "points/number_fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "point_test_util.h"

namespace {

using namespace om;

TEST(FormatTable, ColumnsAndUnits) {
    eOmPointRWMask const codes[] = {OmPointRWId, OmPointRWX, OmPointRWY, OmPointRWEnd, OmPointRWZ};
    TOmFormatTable<eOmPointRWMask> t(codes);
    EXPECT_EQ(t.Size(), 3);  // stops at the terminating 0
    EXPECT_TRUE(t[1] == OmPointRWX && t[3] == OmPointRWEnd && t[-1] == OmPointRWEnd);
    EXPECT_TRUE(t.HasEntry(OmPointRWId) == 0 && t.HasEntry(OmPointRWZ) == -1);

    EXPECT_EQ(t.SetUnit(OmPointRWX, OmUnitMillimetre, OmUnitMetre), 1);
    EXPECT_EQ(t.SetUnit(OmPointRWZ, OmUnitMillimetre, OmUnitMetre), -1);
    EXPECT_EQ(t.GetUnit(OmPointRWX), OmUnitMetre);
    EXPECT_TRUE(t.GetUnit(0) == 0 && t.GetUnit(7) == 0);  // a pair of two zero units
    t.SetUnit(7, OmUnitFoot);                             // ignored
    t.SetUnit(2, OmUnitCentimetre);
    EXPECT_EQ(t.GetUnit(OmPointRWY), OmUnitCentimetre);

    // File unit to display unit and back.
    double back = t.GetDisplayValue(OmPointRWX, 1500.0);
    EXPECT_DOUBLE_EQ(back, 1.5);
    ConvertUnit(&back, t.GetUnit(OmPointRWX), OmUnitMillimetre);
    EXPECT_DOUBLE_EQ(back, 1500.0);
    EXPECT_EQ(t.GetDisplayValue(OmPointRWZ, 7.0), 7.0);

    // Copies take the columns only.
    TOmFormatTable<eOmPointRWMask> copy(t);
    EXPECT_TRUE(copy.Size() == 3 && copy.GetUnit(OmPointRWX) == 0);
    EXPECT_EQ(copy.GetDisplayValue(OmPointRWX, 1500.0), 1500.0);

    // Setting a new array replaces columns and units together.
    eOmPointRWMask const two[] = {OmPointRWZ, OmPointRWEnd};
    t = two;
    EXPECT_TRUE(t.Size() == 1 && t.GetUnit(0) == 0);
    t = static_cast<eOmPointRWMask const*>(nullptr);
    EXPECT_EQ(t.Size(), 0);
    t.AddUnitEntry(OmUnitInch, OmUnitFoot);
    t.DelTable();
    EXPECT_TRUE(t.Size() == 0 && t.GetUnit(0) == 0);
}

TEST(Strstok, QuotedFieldsAndDelimiters) {
    char line[] = "  12;\"A name, with blanks\"\t,3.5  \"\" \"open";
    std::vector<std::string> fields;
    for (char* f = strstok(line, " \t;,", '"'); f != nullptr; f = strstok(nullptr, " \t;,", '"'))
        fields.emplace_back(f);
    EXPECT_EQ(fields, (std::vector<std::string>{"12", "A name, with blanks", "3.5", "", "open"}));
    EXPECT_EQ(strstok(nullptr, " ", '"'), nullptr);  // stays at the end

    char blank[] = " ,; ";
    EXPECT_EQ(strstok(blank, " ,;", '"'), nullptr);

    // Two scans do not disturb each other.
    char a[] = "a b", b[] = "x y";
    OmFieldScan sa, sb;
    EXPECT_STREQ(OmSplitFields(sa, a, " ", '"'), "a");
    EXPECT_STREQ(OmSplitFields(sb, b, " ", '"'), "x");
    EXPECT_STREQ(OmSplitFields(sa, nullptr, " ", '"'), "b");
    EXPECT_STREQ(OmSplitFields(sb, nullptr, " ", '"'), "y");
}

TEST(AlphaNumericIds, GroupsGetBasesInOrderOfAppearance) {
    // The tables are process-wide: use groups no other test uses, and compare relative bases.
    auto id = [](auto const* text) { return GetIdFromAlphaNumericString(text); };
    EXPECT_TRUE(id("123") == 123u && id("") == 0u && id(static_cast<char const*>(nullptr)) == 0u);
    unsigned const a7 = id("Qa7");
    EXPECT_EQ(a7 % 1000, 7u);
    EXPECT_EQ(id("Qb7"), a7 + 1000);  // the next group gets the next base
    EXPECT_EQ(id("Qa9"), a7 + 2);
    EXPECT_TRUE(id("7Qa") == a7 && id("Q7a") == a7);  // digits and letters in any order
    EXPECT_NE(id("qa7"), a7);                         // case matters
    // A huge numeric part saturates instead of overflowing.
    EXPECT_EQ(id("99999999999999999999"), 2147483647u);

    // The wide form keeps its own table, with the same rule.
    unsigned const w1 = id(L"Wx12");
    EXPECT_EQ(w1 % 1000, 12u);
    EXPECT_EQ(id(L"12Wy"), w1 + 1000);
    EXPECT_EQ(id(L"12Wx"), w1);
    EXPECT_EQ(id(L"\u00E912"), id(L"12\u00E9"));
    EXPECT_EQ(id(L"4711"), 4711u);
}

TEST(NumberFields, AgreeWithTheCLibrary) {
    using points_detail::FieldToDouble;
    using points_detail::FieldToInt;
    // clang-format off
    char const* const texts[] = {"12", " -7", "+3.5", "1e5", "12e", "-0.125", "abc", "", "3.5x",
                                 "0x1p4", "0x", ".5", "-.5e-3", "1e400", "-1e400", "1e-400", "inf",
                                 "-nan", "+-1", "  42abc", "4000000000", "-2147483648",
                                 "99999999999999999999999", "1.7976931348623157e308"};
    // clang-format on
    for (char const* t : texts) {
        double const expected = std::atof(t);
        double const got = FieldToDouble(t);
        EXPECT_TRUE(std::isnan(expected) ? std::isnan(got) : got == expected) << t;
        EXPECT_EQ(FieldToInt(t), static_cast<int>(std::strtol(t, nullptr, 10))) << t;
    }
    // Random decimal numbers as written with 16 significant digits read back exactly as atof.
    std::mt19937_64 rng(99);
    std::uniform_real_distribution<double> dist(-1e7, 1e7);
    for (int i = 0; i < 20000; ++i) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.16g", dist(rng) * std::pow(10.0, i % 13 - 6));
        ASSERT_EQ(FieldToDouble(buf), std::atof(buf)) << buf;
    }
    using points_detail::IsDigitsOnly;
    EXPECT_TRUE(IsDigitsOnly("0123") && IsDigitsOnly("") && !IsDigitsOnly("12A") &&
                !IsDigitsOnly("-1"));
}

std::vector<std::string> ReadLines(std::string const& content, std::size_t max_line) {
    std::string const name = "line_reader.txt";
    test::WriteText(name, content);
    std::FILE* f = std::fopen(name.c_str(), "rb");
    points_detail::LineReader reader(f, max_line);
    std::vector<std::string> lines;
    while (char* line = reader.Next()) lines.emplace_back(line);
    EXPECT_FALSE(reader.Failed());
    std::fclose(f);
    return lines;
}

TEST(LineReader, WholeLinesAndDroppedRests) {
    using V = std::vector<std::string>;
    EXPECT_EQ(ReadLines("", 100), V{});
    EXPECT_EQ(ReadLines("a\n\nb", 100), (V{"a", "", "b"}));
    EXPECT_EQ(ReadLines("a\r\nb\r\n", 100), (V{"a\r", "b\r"}));
    // Lines longer than the limit keep their first part; the rest never becomes a line.
    EXPECT_EQ(ReadLines("12345\n1234567890\nxy\n123456", 5), (V{"12345", "12345", "xy", "12345"}));
    EXPECT_EQ(ReadLines("123456789", 5), (V{"12345"}));

    // Lines far longer than the read block, and many lines across block borders.
    std::string big(3'000'000, 'x');
    big[2'999'999] = 'E';
    V const lines = ReadLines("first\n" + big + "\nlast", std::size_t{16} << 20);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[1] == big && lines[2] == "last");

    std::string many;
    V expected;
    std::mt19937 rng(5);
    for (int i = 0; i < 50000; ++i) {
        expected.push_back(std::string(rng() % 90, 'a' + i % 26));
        many += expected.back() + "\n";
    }
    EXPECT_EQ(ReadLines(many, 1000), expected);
}

}  // namespace
