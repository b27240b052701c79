#include <om/points/point.h>
#include <om/points/point_id.h>
#include <om/points/strstok.h>
#include <om/sys/locale.h>

#include "points/line_reader.h"
#include "points/number_fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "point_test_util.h"

namespace {

using namespace om;
using test::Format;
using test::Mask;
using test::Sample;
using test::Written;

// Reading writes into the line, so it takes a copy.
int ReadLine(OmPoint& p, std::string line, Mask const& m) {
    return p.Read(line.data(), m);
}

std::string Right(std::string text, std::size_t width) {
    return " " + std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

TEST(CoordinateLine, EveryColumnWritesItsExactText) {
    OmPoint const p = Sample();
    // The name is left-aligned in 21; code 16 writes |(0.25, -0.5, 1/3)|.
    Mask const all =
        Format({1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,  16,  17,
                18, 19, 20, 21, 24, 25, 26, 27, 28, 29, 30, 31, 32, 50, 105, 106, 107});
    EXPECT_EQ(
        Written(p, all),
        " 4000000000 \"Corner A\"            \"Corner A\"                               64   13"
        "    5 \"Corner A\"         12          3                     1                     2  "
        "                   3                     0.25                     -0.5       0.3333333"
        "333333333       0.6508541396588878                    1e-07                     -2.5  "
        "             123456.789             -16711936          4    0.1000000014901161        "
        "          -0.5                     2        0                    1e-07                "
        "     -2.5               123456.789                     0.25                     -0.5  "
        "     0.3333333333333333");

    std::ostringstream header;
    header << Format({1, 2, 3, 10, 13, 16, 20, 24, 25, 28, 29, 32, 105});
    EXPECT_EQ(header.str(), Right("#", 10) + Right("Name", 21) + Right("   X", 21) +
                                Right("  dx", 24) + Right("  dS", 24) + Right(" Color", 10) +
                                Right(" nImo", 10) + Right(" vx", 21) + Right("Residual x", 24) +
                                Right("  Sx", 24));

    std::ostringstream pos;
    OmPosition(1.25, -2.5).Write(pos);
    EXPECT_EQ(pos.str(), Right("1.25", 21) + Right("-2.5", 21));
}

TEST(CoordinateLine, NamesFlagsAndExtremeNumbersReadBack) {
    // The PP column is one field whatever the name: bare for a word or digits, else quoted.
    // Negative flags and extreme doubles survive too.
    Mask const pp = Format({1, 4, 7, 10, 11, 12});
    for (char const* name : {"", "P17", "007", "Corner A", "a;b", "2x", "{"}) {
        OmPoint n(4000000000u, -1e300, 5e-324, 0.1, 0), back;
        n.SetName(name);
        n.SetFlag(static_cast<int>(0x80000001u));
        EXPECT_EQ(ReadLine(back, Written(n, pp), pp), 6) << name;
        EXPECT_TRUE(back.GetId() == 4000000000u && back.GetFlag() == 0x80000001u) << name;
        EXPECT_TRUE(back.x == -1e300 && back.y == 5e-324 && back.z == 0.1) << name;
    }
}

TEST(CoordinateLine, IdentifierRuleAndFields) {
    Mask const m = Format({3, 10, 11});
    OmPoint zero, num;
    EXPECT_EQ(ReadLine(zero, "0 1 2", m), 3);
    EXPECT_TRUE(zero.GetName() == "0" && zero.GetId() == 0u);
    ReadLine(num, "0042 1 2", m);
    EXPECT_TRUE(num.GetId() == 42u && num.GetName().empty());

    // A name that ends a line carries no line end, in LF and CR-LF files alike.
    for (char const* line : {"5 1 2 Pillar\n", "5 1 2 Pillar\r\n", "5 1 2 \"Pillar\"\r\n"}) {
        OmPoint n;
        EXPECT_EQ(ReadLine(n, line, Format({1, 10, 11, 2})), 4);
        EXPECT_EQ(n.GetName(), "Pillar") << line;
    }

    // Missing trailing fields leave their members unchanged; non-numbers give 0.
    OmPoint partial(1, 9.0, 9.0, 9.0, 0);
    EXPECT_EQ(ReadLine(partial, "3 abc", Format({1, 10, 11, 12})), 2);
    EXPECT_TRUE(partial.GetId() == 3u && partial.x == 0.0 && partial.y == 9.0);
    EXPECT_EQ(partial.Read(static_cast<char*>(nullptr), Format({1})), 0);
    // Codes 7 and 16 and unknown codes use up their field.
    OmPoint skip;
    EXPECT_EQ(ReadLine(skip, "x 99 y 4", Format({7, 16, 22, 10})), 4);
    EXPECT_TRUE(skip.x == 4.0 && skip.GetName().empty());
}

// Coordinate files are read without switching the process locale.
TEST(CoordinateLine, OutOfRangeNumbersIgnoreTheProcessLocale) {
    sys::ScopedLocale german(LC_ALL, {"de_DE.UTF-8", "de_DE.utf8", "de_DE"});
    if (!german.Active()) GTEST_SKIP() << "no German locale installed";
    OmPoint p;
    EXPECT_EQ(ReadLine(p, "1 2.5e-400 1.5e-310 -1e400", Format({1, 10, 11, 12})), 4);
    EXPECT_TRUE(p.x == 0.0 && p.y == 1.5e-310 && p.z == -HUGE_VAL);
}

TEST(FormatTable, ColumnsAndUnits) {
    eOmPointRWMask const codes[] = {OmPointRWId, OmPointRWX, OmPointRWY, OmPointRWEnd, OmPointRWZ};
    TOmFormatTable<eOmPointRWMask> t(codes);
    EXPECT_EQ(t.Size(), 3);  // stops at the terminating 0
    EXPECT_TRUE(t[1] == OmPointRWX && t[3] == OmPointRWEnd && t[-1] == OmPointRWEnd);
    EXPECT_TRUE(t.HasEntry(OmPointRWId) == 0 && t.HasEntry(OmPointRWZ) == -1);

    EXPECT_EQ(t.SetUnit(OmPointRWZ, OmUnitMillimetre, OmUnitMetre), -1);
    EXPECT_EQ(t.SetUnit(OmPointRWX, OmUnitMillimetre, OmUnitMetre), 1);
    double back = t.GetDisplayValue(OmPointRWX, 1500.0);
    EXPECT_DOUBLE_EQ(back, 1.5);
    ConvertUnit(&back, t.GetUnit(OmPointRWX), OmUnitMillimetre);
    EXPECT_DOUBLE_EQ(back, 1500.0);

    // Copies take the columns only.
    TOmFormatTable<eOmPointRWMask> copy(t);
    EXPECT_TRUE(copy.Size() == 3 && copy.GetUnit(OmPointRWX) == 0);
}

TEST(Strstok, QuotedFieldsAndDelimiters) {
    char line[] = "  12;\"A name, with blanks\"\t,3.5  \"\" \"open";
    std::vector<std::string> fields;
    for (char* f = strstok(line, " \t;,", '"'); f != nullptr; f = strstok(nullptr, " \t;,", '"'))
        fields.emplace_back(f);
    EXPECT_EQ(fields, (std::vector<std::string>{"12", "A name, with blanks", "3.5", "", "open"}));

    // Two scans do not disturb each other.
    char a[] = "a b", b[] = "x y";
    OmFieldScan sa, sb;
    EXPECT_STREQ(OmSplitFields(sa, a, " ", '"'), "a");
    EXPECT_STREQ(OmSplitFields(sb, b, " ", '"'), "x");
    EXPECT_STREQ(OmSplitFields(sa, nullptr, " ", '"'), "b");
}

// The tables are process-wide: these groups are used nowhere else, and only relative bases count.
TEST(AlphaNumericIds, GroupsGetBasesInOrderOfAppearance) {
    auto id = [](auto const* text) { return GetIdFromAlphaNumericString(text); };
    EXPECT_TRUE(id("123") == 123u && id("") == 0u && id(static_cast<char const*>(nullptr)) == 0u);
    unsigned const a7 = id("Qa7");
    EXPECT_EQ(a7 % 1000, 7u);
    EXPECT_EQ(id("Qb7"), a7 + 1000);  // the next group gets the next base
    EXPECT_EQ(id("Qa9"), a7 + 2);
    EXPECT_TRUE(id("7Qa") == a7 && id("Q7a") == a7);  // digits and letters in any order
    EXPECT_NE(id("qa7"), a7);
    EXPECT_EQ(id("99999999999999999999"), 2147483647u);  // saturates

    // The wide form keeps its own table, with the same rule.
    unsigned const w1 = id(L"Wx12");
    EXPECT_EQ(id(L"12Wy"), w1 + 1000);
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

    // Many lines across the borders of the read blocks.
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
