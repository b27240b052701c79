#include <om/points/point.h>
#include <om/points/point_id.h>
#include <om/textio/writer.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace om;
using Mask = TOmFormatTable<eOmPointRWMask>;

Mask Format(std::vector<int> codes) {
    std::vector<eOmPointRWMask> c;
    for (int k : codes) c.push_back(static_cast<eOmPointRWMask>(k));
    c.push_back(OmPointRWEnd);
    return Mask(c.data());
}

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

// The value that 16 significant digits carry.
double Sixteen(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.16g", v);
    return std::strtod(buf, nullptr);
}

OmPoint Sample() {
    OmPoint p(17, 1.0, 2.0, 3.0, 5);
    p.SetName("Corner A");
    p.SetFlag(0x40);
    p.photo = 12;
    p.camera = 3;
    p.dx = 0.25, p.dy = -0.5, p.dz = 1.0 / 3.0;
    p.r1 = 1e-7, p.r2 = -2.5, p.r3 = 123456.789;
    p.vx = 0.1f, p.vy = -0.5f, p.vz = 2.0f;
    p.imageCount = 4;
    p.color = 0x00FF8040;
    return p;
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

TEST(PointRecord, OperatorsAndCopies) {
    OmPoint const a = Sample();
    OmPoint b(9, 3.0, 4.0, 5.0, 0);
    b.dx = 1.0;
    OmPoint const sum = a + b;
    EXPECT_EQ(sum.GetId(), 17u);  // a copy of the left point
    EXPECT_EQ(sum.GetName(), "Corner A");
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

    OmPoint c(1, 1.0, 2.0, 3.0, 0);
    EXPECT_TRUE(c == a);  // only x, y and z count
    OmPoint d;
    d = a;
    EXPECT_EQ(Written(d, Format({2, 4, 5, 8, 9, 10, 13, 17, 20, 24, 25})),
              Written(a, Format({2, 4, 5, 8, 9, 10, 13, 17, 20, 24, 25})));
    EXPECT_EQ(d.GetFlag(), 0x40u);
    d.init();
    EXPECT_EQ(d.GetId(), 17u);
    EXPECT_EQ(d.GetName(), "Corner A");
    EXPECT_EQ(d.GetFlag(), 0x40u);
    EXPECT_EQ(d.x, 0.0);
    EXPECT_EQ(d.photo, 0u);
    EXPECT_EQ(d.color, 0);
    EXPECT_EQ(d.GetControlFlags(), 0);
}

// Every column code: the exact characters written, then read back from a text line.
TEST(CoordinateLine, EveryColumnWritesItsExactText) {
    OmPoint const p = Sample();
    struct Case {
        int code;
        std::string text;
    };
    Case const cases[] = {
        {1, Right("17", 10)},
        {2, " \"Corner A\"           "},  // blank, then left-aligned in 21
        {3, " \"Corner A\"           "},
        {4, Right("64", 21)},
        {5, Right(" 13", 4)},
        {6, Right("5", 4)},
        {7, Right("Corner A", 10)},
        {8, Right("12", 10)},
        {9, Right("3", 10)},
        {10, Right("1", 21)},
        {11, Right("2", 21)},
        {12, Right("3", 21)},
        {13, Right("0.25", 24)},
        {14, Right("-0.5", 24)},
        {15, Right("0.3333333333333333", 24)},
        {16, Right("0.6508541396588878", 24)},  // |(0.25, -0.5, 1/3)|
        {17, Right("1e-07", 24)},
        {18, Right("-2.5", 24)},
        {19, Right("123456.789", 24)},
        {20, Right("16744512", 21)},
        {21, ""},
        {24, Right("4", 10)},
        {25, Right("0.1000000014901161", 21)},
        {26, Right("-0.5", 21)},
        {27, Right("2", 21)},
        {28, Right("0", 8)},
        {29, Right("1e-07", 24)},
        {30, Right("-2.5", 24)},
        {31, Right("123456.789", 24)},
        {32, ""},
        {50, ""},
        {105, Right("0.25", 24)},
        {106, Right("-0.5", 24)},
        {107, Right("0.3333333333333333", 24)},
    };
    for (Case const& c : cases) EXPECT_EQ(Written(p, Format({c.code})), c.text) << c.code;

    // With the format 1, 10, 11, 12: the id in 10 characters, each coordinate in 21.
    EXPECT_EQ(Written(OmPoint(17, 1, 2, 3, 0), Format({1, 10, 11, 12})),
              Right("17", 10) + Right("1", 21) + Right("2", 21) + Right("3", 21));
    // Writing stops at the first 0 code.
    EXPECT_EQ(
        Written(p, Format({1})),
        Written(p,
                Mask(std::vector<eOmPointRWMask>{OmPointRWId, OmPointRWEnd, OmPointRWX}.data())));
}

TEST(CoordinateLine, WrittenColumnsReadBack) {
    OmPoint const p = Sample();
    Mask const all = Format(
        {1, 2, 4, 5, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 24, 25, 26, 27, 28, 32, 50});
    std::string const line = Written(p, all);
    OmPoint q;
    EXPECT_EQ(ReadLine(q, line, all), 22);  // codes 32 and 50 write nothing
    Mask const readable =
        Format({1, 2, 4, 5, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 24, 25, 26, 27, 28});
    OmPoint r;
    EXPECT_EQ(ReadLine(r, line, readable), 22);
    EXPECT_EQ(r.GetId(), 17u);
    EXPECT_EQ(r.GetName(), "Corner A");
    EXPECT_EQ(r.GetFlag(), 0x40u);
    EXPECT_EQ(r.GetControlFlags(), 5);
    EXPECT_EQ(r.photo, 12u);
    EXPECT_EQ(r.camera, 3u);
    EXPECT_EQ(r.x, 1.0);
    EXPECT_EQ(r.dz, Sixteen(p.dz));  // as many digits as were written
    EXPECT_EQ(r.r1, p.r1);
    EXPECT_EQ(r.r3, Sixteen(p.r3));
    EXPECT_EQ(r.color, p.color);
    EXPECT_EQ(r.imageCount, 4);
    EXPECT_EQ(r.vx, p.vx);
    EXPECT_EQ(r.vy, p.vy);

    // The same storage behind the second names of deviations and residuals.
    OmPoint s;
    EXPECT_EQ(ReadLine(s, "1.5 2.5 3.5 4.5 5.5 6.5", Format({105, 106, 107, 29, 30, 31})), 6);
    EXPECT_EQ(s.dx, 1.5);
    EXPECT_EQ(s.dz, 3.5);
    EXPECT_EQ(s.r1, 4.5);
    EXPECT_EQ(s.r3, 6.5);

    // Negative flags, large ids and big colours survive as 32-bit patterns.
    OmPoint big(4000000000u, -1e300, 5e-324, 0.1, 0);
    big.SetFlag(static_cast<int>(0x80000001u));
    Mask const m = Format({1, 4, 10, 11, 12});
    OmPoint back;
    EXPECT_EQ(ReadLine(back, Written(big, m), m), 5);
    EXPECT_EQ(back.GetId(), 4000000000u);
    EXPECT_EQ(back.GetFlag(), 0x80000001u);
    EXPECT_EQ(back.x, -1e300);
    EXPECT_EQ(back.y, 5e-324);
    EXPECT_EQ(back.z, 0.1);
}

TEST(CoordinateLine, IdentifierRuleAndFields) {
    Mask const m = Format({3, 10, 11});
    OmPoint p;
    EXPECT_EQ(ReadLine(p, "A12 1.5 2.5", m), 3);
    EXPECT_EQ(p.GetName(), "A12");
    EXPECT_EQ(p.GetId(), GetIdFromAlphaNumericString("A12"));
    EXPECT_EQ(p.x, 1.5);
    EXPECT_EQ(p.y, 2.5);

    OmPoint zero;
    EXPECT_EQ(ReadLine(zero, "0 1 2", m), 3);
    EXPECT_EQ(zero.GetName(), "0");
    EXPECT_EQ(zero.GetId(), 0u);

    OmPoint num;
    ReadLine(num, "0042 1 2", m);
    EXPECT_EQ(num.GetId(), 42u);
    EXPECT_TRUE(num.GetName().empty());

    // Quoted names keep blanks and delimiters; tabs, commas and semicolons delimit.
    OmPoint q;
    EXPECT_EQ(ReadLine(q, "7\t\"North, upper corner\";4.25,,-3", Format({1, 2, 10, 11})), 4);
    EXPECT_EQ(q.GetName(), "North, upper corner");
    EXPECT_EQ(q.x, 4.25);
    EXPECT_EQ(q.y, -3.0);

    // A name that ends a line carries no line end, in LF and CR-LF files alike.
    for (char const* line : {"5 1 2 Pillar\n", "5 1 2 Pillar\r\n", "5 1 2 \"Pillar\"\r\n"}) {
        OmPoint n;
        EXPECT_EQ(ReadLine(n, line, Format({1, 10, 11, 2})), 4);
        EXPECT_EQ(n.GetName(), "Pillar") << line;
    }

    // Missing trailing fields leave their members unchanged; non-numbers give 0.
    OmPoint partial(1, 9.0, 9.0, 9.0, 0);
    EXPECT_EQ(ReadLine(partial, "3 abc", Format({1, 10, 11, 12})), 2);
    EXPECT_EQ(partial.GetId(), 3u);
    EXPECT_EQ(partial.x, 0.0);
    EXPECT_EQ(partial.y, 9.0);
    EXPECT_EQ(ReadLine(partial, "   ", Format({1})), 0);
    EXPECT_EQ(partial.Read(static_cast<char*>(nullptr), Format({1})), 0);
    // Codes 7 and 16 and unknown codes use up their field.
    OmPoint skip;
    EXPECT_EQ(ReadLine(skip, "x 99 y 4", Format({7, 16, 22, 10})), 4);
    EXPECT_EQ(skip.x, 4.0);
    EXPECT_TRUE(skip.GetName().empty());
}

TEST(CoordinateLine, HeaderLabels) {
    std::ostringstream out;
    out << Format({1, 2, 3, 10, 13, 16, 20, 24, 25, 28, 29, 32, 105});
    EXPECT_EQ(out.str(), Right("#", 10) + Right("Name", 21) + Right("   X", 21) +
                             Right("  dx", 24) + Right("  dS", 24) + Right(" Color", 10) +
                             Right(" nImo", 10) + Right(" vx", 21) + Right("Residual x", 24) +
                             Right("  Sx", 24));
}

TEST(CoordinateLine, HostileLinesNeverCrash) {
    // Random bytes through every column code.
    std::mt19937 rng(11);
    std::vector<int> codes;
    for (int c = 1; c <= 40; ++c) codes.push_back(c);
    codes.push_back(105);
    Mask const all = Format(codes);
    for (int i = 0; i < 3000; ++i) {
        std::string line(rng() % 200, ' ');
        for (char& ch : line) ch = static_cast<char>(rng() % 255 + 1);
        OmPoint p;
        int const used = ReadLine(p, line, all);
        EXPECT_GE(used, 0);
        EXPECT_LE(used, all.Size());
    }
}

TEST(PointRecord, PositionUsesXAndY) {
    OmPosition pos(1.25, -2.5);
    std::ostringstream out;
    pos.Write(out);
    EXPECT_EQ(out.str(), Right("1.25", 21) + Right("-2.5", 21));
    EXPECT_EQ(OmPosition::Format().Size(), 2);
}

}  // namespace
