#include <om/points/point.h>
#include <om/points/point_id.h>
#include <om/textio/writer.h>

#include <om/sys/locale.h>

#include <gtest/gtest.h>

#include <cmath>
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
using test::Sixteen;

std::string Written(OmPoint const& p, Mask const& m) {
    std::ostringstream out;
    p.Write(out, m);
    return out.str();
}

// Reads a text line (copied, since reading writes into it).
int ReadLine(OmPoint& p, std::string line, Mask const& m) {
    return p.Read(line.data(), m);
}

std::string Right(std::string text, std::size_t width) {
    return " " + std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

TEST(PointRecord, ControlFlags) {
    OmPoint p;
    p.SetControlFlags(5);
    EXPECT_STREQ(p.GetControlFlagsAs123(), " 13");
    EXPECT_STREQ(p.GetControlFlagsAsXYZ(), "X Z");
    EXPECT_TRUE(p.IsXControlPoint() && !p.IsYControlPoint() && p.IsZControlPoint());
    EXPECT_EQ(p.SetAsControlFlag("xz"), 5);
    EXPECT_EQ(p.SetAsControlFlag(132), 7);
    EXPECT_EQ(p.SetAsControlFlag(45), 0);  // replaces, digits 4 and 5 name nothing
    EXPECT_EQ(p.SetAsControlFlag(-2), 2);
    EXPECT_EQ(p.SetAsControlFlag(static_cast<char const*>(nullptr)), 0);
    EXPECT_STREQ(OmPoint::GetControlCodeAsXYZ(8 + 6), " YZ");  // low three bits only
    EXPECT_STREQ(OmPoint::GetControlCodeAs123(0), "  0");
}

TEST(PointRecord, OperatorsCopiesAndInit) {
    OmPoint const a = Sample();
    OmPoint b(9, 3.0, 4.0, 5.0, 0);
    b.dx = 1.0;
    OmPoint const sum = a + b;  // a copy of the left point
    EXPECT_TRUE(sum.GetId() == 4000000000u && sum.GetName() == "Corner A");
    EXPECT_EQ(sum.x, 4.0);
    EXPECT_EQ(sum.dx, 1.25);
    EXPECT_EQ((a - b).z, -2.0);
    EXPECT_EQ((a % b).y, 3.0);
    EXPECT_EQ((a % b).dx, 0.625);
    EXPECT_EQ((a * 2.0).z, 6.0);
    EXPECT_EQ((a / 2.0).x, 0.5);
    EXPECT_EQ((a * 2.0).dx, a.dx);  // scaling leaves the deviations
    EXPECT_DOUBLE_EQ(a.Distance(b), std::sqrt(12.0));
    EXPECT_DOUBLE_EQ(a.DistanceSq(&b), 12.0);
    EXPECT_EQ(a.Distance(static_cast<OmPoint const*>(nullptr)), 0.0);
    EXPECT_TRUE(OmPoint(1, 1.0, 2.0, 3.0, 0) == a);  // only x, y and z count

    OmPoint d;
    d = a;
    Mask const m = Format({2, 4, 5, 8, 9, 10, 13, 17, 20, 24, 25});
    EXPECT_EQ(Written(d, m), Written(a, m));
    d.init();  // keeps id, name and flag, clears the rest
    EXPECT_TRUE(d.GetId() == 4000000000u && d.GetName() == "Corner A" && d.GetFlag() == 0x40u);
    EXPECT_TRUE(d.x == 0.0 && d.photo == 0u && d.color == 0 && d.GetControlFlags() == 0);
}

TEST(CoordinateLine, EveryColumnWritesItsExactText) {
    OmPoint const p = Sample();
    std::string const name = " \"Corner A\"           ";  // blank, then left-aligned in 21
    // Code 16 writes |(0.25, -0.5, 1/3)|.
    // clang-format off
    std::pair<int, std::string> const cases[] = {
        {1, Right("4000000000", 10)}, {2, name}, {3, name}, {4, Right("64", 21)}, {5, Right(" 13", 4)},
        {6, Right("5", 4)}, {7, Right("\"Corner A\"", 10)}, {8, Right("12", 10)}, {9, Right("3", 10)},
        {10, Right("1", 21)}, {11, Right("2", 21)}, {12, Right("3", 21)}, {13, Right("0.25", 24)},
        {14, Right("-0.5", 24)}, {15, Right("0.3333333333333333", 24)},
        {16, Right("0.6508541396588878", 24)}, {17, Right("1e-07", 24)}, {18, Right("-2.5", 24)},
        {19, Right("123456.789", 24)}, {20, Right("-16711936", 21)}, {21, ""}, {24, Right("4", 10)},
        {25, Right("0.1000000014901161", 21)}, {26, Right("-0.5", 21)}, {27, Right("2", 21)},
        {28, Right("0", 8)}, {29, Right("1e-07", 24)}, {30, Right("-2.5", 24)},
        {31, Right("123456.789", 24)}, {32, ""}, {50, ""}, {105, Right("0.25", 24)},
        {106, Right("-0.5", 24)}, {107, Right("0.3333333333333333", 24)}};
    // clang-format on
    for (auto const& [code, text] : cases) EXPECT_EQ(Written(p, Format({code})), text) << code;

    EXPECT_EQ(Written(OmPoint(17, 1, 2, 3, 0), Format({1, 10, 11, 12})),
              Right("17", 10) + Right("1", 21) + Right("2", 21) + Right("3", 21));
    // Writing stops at the first 0 code.
    eOmPointRWMask const stop[] = {OmPointRWId, OmPointRWEnd, OmPointRWX};
    EXPECT_EQ(Written(p, Format({1})), Written(p, Mask(stop)));

    std::ostringstream header;
    header << Format({1, 2, 3, 10, 13, 16, 20, 24, 25, 28, 29, 32, 105});
    EXPECT_EQ(header.str(), Right("#", 10) + Right("Name", 21) + Right("   X", 21) +
                                Right("  dx", 24) + Right("  dS", 24) + Right(" Color", 10) +
                                Right(" nImo", 10) + Right(" vx", 21) + Right("Residual x", 24) +
                                Right("  Sx", 24));

    std::ostringstream pos;
    OmPosition(1.25, -2.5).Write(pos);  // a position uses x and y
    EXPECT_EQ(pos.str(), Right("1.25", 21) + Right("-2.5", 21));
    EXPECT_EQ(OmPosition::Format().Size(), 2);
}

TEST(CoordinateLine, WrittenColumnsReadBack) {
    OmPoint const p = Sample();
    std::vector<int> codes = {1,  2,  4,  5,  7,  8,  9,  10, 11, 12, 13, 14,
                              15, 16, 17, 18, 19, 20, 24, 25, 26, 27, 28};
    Mask const readable = Format(codes);
    codes.insert(codes.end(), {32, 50});
    std::string const line = Written(p, Format(codes));
    OmPoint q, r;
    EXPECT_EQ(ReadLine(q, line, Format(codes)), 23);  // codes 32 and 50 write nothing
    EXPECT_EQ(ReadLine(r, line, readable), 23);
    EXPECT_TRUE(r.GetId() == 4000000000u && r.GetName() == "Corner A" && r.GetFlag() == 0x40u);
    EXPECT_TRUE(r.GetControlFlags() == 5 && r.photo == 12u && r.camera == 3u);
    EXPECT_EQ(r.x, 1.0);
    EXPECT_EQ(r.dz, Sixteen(p.dz));  // as many digits as were written
    EXPECT_EQ(r.r1, p.r1);
    EXPECT_EQ(r.r3, Sixteen(p.r3));
    EXPECT_TRUE(r.color == p.color && r.imageCount == 4 && r.vx == p.vx && r.vy == p.vy);

    // The PP column is one field whatever the name: bare for a word or digits, else quoted.
    for (char const* name : {"", "P17", "007", "Corner A", "a;b", "2x", "{"}) {
        OmPoint n(5, 1.0, 2.0, 3.0, 0);
        n.SetName(name);
        OmPoint back;
        EXPECT_EQ(
            ReadLine(back, Written(n, Format({1, 7, 10, 11, 12})), Format({1, 7, 10, 11, 12})), 5)
            << name;
        EXPECT_TRUE(back.GetId() == 5u && back.x == 1.0 && back.y == 2.0 && back.z == 3.0) << name;
    }
    EXPECT_EQ(Written(OmPoint(5, 0, 0, 0, 0), Format({7})), Right("\"\"", 10));

    // The same storage behind the second names of deviations and residuals.
    OmPoint s;
    EXPECT_EQ(ReadLine(s, "1.5 2.5 3.5 4.5 5.5 6.5", Format({105, 106, 107, 29, 30, 31})), 6);
    EXPECT_TRUE(s.dx == 1.5 && s.dz == 3.5 && s.r1 == 4.5 && s.r3 == 6.5);

    // Negative flags and extreme doubles survive.
    OmPoint big(4000000000u, -1e300, 5e-324, 0.1, 0);
    big.SetFlag(static_cast<int>(0x80000001u));
    Mask const m = Format({1, 4, 10, 11, 12});
    OmPoint back;
    EXPECT_EQ(ReadLine(back, Written(big, m), m), 5);
    EXPECT_TRUE(back.GetId() == 4000000000u && back.GetFlag() == 0x80000001u);
    EXPECT_TRUE(back.x == -1e300 && back.y == 5e-324 && back.z == 0.1);
}

TEST(CoordinateLine, IdentifierRuleAndFields) {
    Mask const m = Format({3, 10, 11});
    OmPoint p, zero, num;
    EXPECT_EQ(ReadLine(p, "A12 1.5 2.5", m), 3);
    EXPECT_EQ(p.GetName(), "A12");
    EXPECT_EQ(p.GetId(), GetIdFromAlphaNumericString("A12"));
    EXPECT_TRUE(p.x == 1.5 && p.y == 2.5);
    EXPECT_EQ(ReadLine(zero, "0 1 2", m), 3);
    EXPECT_TRUE(zero.GetName() == "0" && zero.GetId() == 0u);
    ReadLine(num, "0042 1 2", m);
    EXPECT_TRUE(num.GetId() == 42u && num.GetName().empty());

    // Quoted names keep blanks and delimiters; tabs, commas and semicolons delimit.
    OmPoint q;
    EXPECT_EQ(ReadLine(q, "7\t\"North, upper corner\";4.25,,-3", Format({1, 2, 10, 11})), 4);
    EXPECT_EQ(q.GetName(), "North, upper corner");
    EXPECT_TRUE(q.x == 4.25 && q.y == -3.0);

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
    EXPECT_EQ(ReadLine(partial, "   ", Format({1})), 0);
    EXPECT_EQ(partial.Read(static_cast<char*>(nullptr), Format({1})), 0);
    // Codes 7 and 16 and unknown codes use up their field.
    OmPoint skip;
    EXPECT_EQ(ReadLine(skip, "x 99 y 4", Format({7, 16, 22, 10})), 4);
    EXPECT_TRUE(skip.x == 4.0 && skip.GetName().empty());
}

TEST(CoordinateLine, RandomBytesThroughEveryColumnNeverCrash) {
    std::mt19937 rng(11);
    std::vector<int> codes = {105};
    for (int c = 1; c <= 40; ++c) codes.push_back(c);
    Mask const all = Format(codes);
    for (int i = 0; i < 3000; ++i) {
        std::string line(rng() % 200, ' ');
        for (char& ch : line) ch = static_cast<char>(rng() % 255 + 1);
        OmPoint p;
        int const used = ReadLine(p, line, all);
        EXPECT_TRUE(used >= 0 && used <= all.Size()) << used;
    }
}

// Numbers beyond the double range are read as atof would, with a point whatever the process
// locale: coordinate files are read without switching it.
TEST(CoordinateLine, OutOfRangeNumbersIgnoreTheProcessLocale) {
    sys::ScopedLocale german(LC_ALL, {"de_DE.UTF-8", "de_DE.utf8", "de_DE"});
    if (!german.Active()) GTEST_SKIP() << "no German locale installed";
    OmPoint p;
    EXPECT_EQ(ReadLine(p, "1 2.5e-400 1.5e-310 -1e400", Format({1, 10, 11, 12})), 4);
    EXPECT_EQ(p.x, 0.0);
    EXPECT_EQ(p.y, 1.5e-310);
    EXPECT_EQ(p.z, -HUGE_VAL);
}

}  // namespace
