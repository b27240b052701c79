// Plane files: write/read round trips and hostile input.
#include <cmath>
#include <fstream>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include <om/points/plane.h>

namespace om {
namespace {

void WriteText(const std::string& name, const std::string& text) {
    std::ofstream out(name, std::ios::binary);
    out << text;
}

// Reads a file into a fresh list; returns ReadFile's result.
int ReadInto(OmPlaneList& list, const std::string& name) {
    return list.ReadFile(String(name.c_str()));
}

TEST(PlaneFile, TwoGroupsGiveTwoPlanes) {
    WriteText("two.sip",
              "; a comment line\n"
              "{ 1 \"Ground\" 0 0 1 0 }\n"
              "{ 7 \"Wall; east\" 1 0.5 -2.5e-1 12 }  ; trailing comment\n");
    OmPlaneList list;
    EXPECT_EQ(ReadInto(list, "two.sip"), 1);
    ASSERT_EQ(list.Count(), 2);
    const OmPlane* wall = list.Get(1);
    EXPECT_EQ(wall->GetId(), 7u);
    EXPECT_EQ(String(wall->GetName()), String("Wall; east"));
    EXPECT_EQ(wall->B(), 0.5);
    EXPECT_EQ(wall->C(), -0.25);
    EXPECT_EQ(wall->D(), 12.0);
    // Reading appends.
    EXPECT_EQ(ReadInto(list, "two.sip"), 1);
    EXPECT_EQ(list.Count(), 4);
}

TEST(PlaneFile, GroupsAcrossLinesAndCrLf) {
    WriteText("split.sip",
              "{ 3\r\n \"Roof\"\r\n 0 -0.6\r\n 0.8 -6.4 }\r\n{ 4 \"x\" 1 0 0 -1 }\r\n");
    OmPlaneList list;
    EXPECT_EQ(ReadInto(list, "split.sip"), 1);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.First()->D(), -6.4);
    EXPECT_EQ(list.Last()->A(), 1.0);
}

TEST(PlaneFile, WriteReadRoundTrip) {
    std::mt19937 rng(83);
    std::uniform_real_distribution<double> u(-1e4, 1e4);
    OmPlaneList out;
    for (unsigned i = 0; i < 50; ++i) {
        const String name = i % 3 == 0 ? String("") : String("plane ") + String(int(i));
        out.Add(new OmPlane(i * 3 + 1, name, u(rng), u(rng) * 1e-6, u(rng), u(rng) * 1e8));
    }
    out.Add(new OmPlane(999, "zero normal", 0, 0, 0, 5));
    out.Add(new OmPlane(4000000000u, "big id", -1e-7, 1e-300, 1e300, 0));
    ASSERT_TRUE(out.WriteFile("round.sip"));

    OmPlaneList in;
    EXPECT_EQ(ReadInto(in, "round.sip"), 1);
    ASSERT_EQ(in.Count(), out.Count());
    const OmPlane* b = in.First();
    for (const OmPlane* a = out.First(); a != nullptr; a = a->Next(), b = b->Next()) {
        EXPECT_EQ(a->GetId(), b->GetId());
        EXPECT_EQ(String(a->GetName()), String(b->GetName()));
        // Sixteen significant digits.
        const double av[4] = {a->A(), a->B(), a->C(), a->D()};
        const double bv[4] = {b->A(), b->B(), b->C(), b->D()};
        for (int k = 0; k < 4; ++k) EXPECT_NEAR(bv[k], av[k], 1e-15 * std::fabs(av[k])) << k;
    }
    // Writing what was read gives the same file.
    ASSERT_TRUE(in.WriteFile("round2.sip"));
    std::ifstream f1("round.sip"), f2("round2.sip");
    const std::string s1((std::istreambuf_iterator<char>(f1)), std::istreambuf_iterator<char>());
    const std::string s2((std::istreambuf_iterator<char>(f2)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(s1 == s2) << "second write differs";
}

TEST(PlaneFile, MissingAndEmptyFiles) {
    OmPlaneList list;
    EXPECT_EQ(ReadInto(list, "no_such_dir/none.sip"), 0);
    EXPECT_TRUE(list.IsEmpty());
    WriteText("empty.sip", "");
    EXPECT_EQ(ReadInto(list, "empty.sip"), 1);
    WriteText("comments.sip", ";\n; only comments\n\n");
    EXPECT_EQ(ReadInto(list, "comments.sip"), 1);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_FALSE(OmPlaneList().WriteFile("no_such_dir/out.sip"));
}

TEST(PlaneFile, GroupWithoutBraceStopsReading) {
    WriteText("nobrace.sip",
              "{ 1 \"a\" 0 0 1 0 }\n"
              "2 \"b\" 0 1 0 0 }\n"
              "{ 3 \"c\" 1 0 0 0 }\n");
    OmPlaneList list;
    EXPECT_EQ(ReadInto(list, "nobrace.sip"), 0);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.First()->GetId(), 1u);
}

TEST(PlaneFile, TruncatedGroupAddsNothing) {
    for (const char* text : {"{ 1 \"a\" 0 0 1 0 }\n{ 2 \"b\" 0 1", "{ 1 \"a\" 0 0 1 0 }\n{",
                             "{ 1 \"a\" 0 0 1 0 }\n{ 2 \"unterminated 0 1 0 0 }\n"}) {
        WriteText("trunc.sip", text);
        OmPlaneList list;
        EXPECT_EQ(ReadInto(list, "trunc.sip"), 0) << text;
        EXPECT_EQ(list.Count(), 1) << text;
    }
}

TEST(PlaneFile, WrongTokensAreErrors) {
    for (const char* text :
         {"{ 1 \"a\" 0 0 one 0 }\n", "{ \"a\" 1 0 0 1 0 }\n", "{ 1 2 0 0 1 0 }\n",
          "{ 1 \"a\" 0 0 1 0 7 }\n", "{ 1 \"a\" 0 0 1 { 0 } }\n", "{ 1 \"a\" 0 0 1 2x }\n",
          "{ 1.5 \"a\" 0 0 1 0 }\n", "{ 1 \"a\" 0 - 1 0 }\n"}) {
        WriteText("wrong.sip", std::string("{ 9 \"ok\" 1 0 0 0 }\n") + text);
        OmPlaneList list;
        EXPECT_EQ(ReadInto(list, "wrong.sip"), 0) << text;
        ASSERT_GE(list.Count(), 1) << text;
        EXPECT_EQ(list.First()->GetId(), 9u) << text;
        for (const OmPlane* p = list.First(); p != nullptr; p = p->Next())
            EXPECT_TRUE(std::isfinite(p->A() + p->B() + p->C() + p->D())) << text;
    }
}

TEST(PlaneFile, NonFiniteNumbersAreRejected) {
    WriteText("inf.sip", "{ 1 \"a\" 0 0 1 0 }\n{ 2 \"huge\" 1e999 0 0 1 }\n");
    OmPlaneList list;
    EXPECT_EQ(ReadInto(list, "inf.sip"), 0);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.First()->GetId(), 1u);
}

TEST(PlaneFile, OverlongLineIsAnError) {
    std::string text = "{ 1 \"a\" 0 0 1 0 }\n{ 2 \"" + std::string(20000, 'x') + "\" 0 0 1 0 }\n";
    WriteText("long.sip", text);
    OmPlaneList list;
    EXPECT_EQ(ReadInto(list, "long.sip"), 0);
    EXPECT_EQ(list.Count(), 1);
}

TEST(PlaneFile, RandomBytesNeverCrash) {
    std::mt19937 rng(89);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::string alphabet = "{}\" 0123456789.-e;\nabc";
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    for (int round = 0; round < 60; ++round) {
        std::string text;
        const int n = 50 + round * 20;
        for (int i = 0; i < n; ++i)
            text += round % 2 == 0 ? static_cast<char>(byte(rng)) : alphabet[pick(rng)];
        WriteText("random.sip", text);
        OmPlaneList list;
        const int r = ReadInto(list, "random.sip");
        EXPECT_TRUE(r == 0 || r == 1);
        EXPECT_LE(list.Count(), n / 8);  // a group needs at least 8 characters
        for (const OmPlane* p = list.First(); p != nullptr; p = p->Next())
            EXPECT_TRUE(std::isfinite(p->A() + p->B() + p->C() + p->D()));
    }
}

TEST(PlaneFile, ConstructorReadsTheFile) {
    WriteText("ctor.sip", "{ 5 \"five\" 0 0 2 -4 }\n");
    const OmPlaneList list(String("ctor.sip"));
    ASSERT_EQ(list.Count(), 1);
    EXPECT_DOUBLE_EQ(list.First()->Dist(0, 0, 0), -2.0);
}

#ifdef OMCORE_TEST_DATA_DIR
TEST(PlaneFile, SampleFileReads) {
    OmPlaneList list;
    EXPECT_EQ(ReadInto(list, std::string(OMCORE_TEST_DATA_DIR) + "/facade_planes.sip"), 1);
    EXPECT_EQ(list.Count(), 5);
    for (const OmPlane* p = list.First(); p != nullptr; p = p->Next()) EXPECT_TRUE(p->IsValid());
}
#endif

}  // namespace
}  // namespace om
