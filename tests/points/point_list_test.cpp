#include <om/points/point_id.h>
#include <om/points/point_list.h>
#include <om/sys/text.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "point_test_util.h"

namespace {

using namespace om;
using test::Format;
using test::ReadText;
using test::WriteText;

std::vector<unsigned> Ids(OmPointList const& list) {
    std::vector<unsigned> ids;
    for (OmPoint* p = list.First(); p != nullptr; p = p->Next()) ids.push_back(p->GetId());
    return ids;
}

OmPoint* AddPoint(OmPointList& list, unsigned id, unsigned photo, double x = 0, double y = 0,
                  double z = 0) {
    auto* p = new OmPoint(id, x, y, z, 0);
    p->photo = photo;
    return list.Add(p);
}

TEST(CoordinateFile, RealWorldLayouts) {
    WriteText("layouts.coo",
              "Nr  X  Y  Z\r\n"        // header: its id field is no number
              "\r\n"                   // blank line
              "1\t10.5\t20.25\t3\r\n"  // tabs
              "2,11.5,21.25,4\r\n"     // commas
              "0 99 99 99\r\n"         // id 0: passed over
              "  3 ; 12.5 ; 22.25 ; 5\r\n"
              "4 13.5\r\n"        // short line: z keeps 0
              "5 14.5 24.25 6");  // no line end at the end
    OmPointList list;
    EXPECT_EQ(list.ReadFile("layouts.coo", Format({1, 10, 11, 12})), 5);
    EXPECT_EQ(Ids(list), (std::vector<unsigned>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(list.Find(3, 0)->y == 22.25 && list.Find(4, 0)->z == 0.0);
    EXPECT_EQ(list.Find(5, 0)->z, 6.0);

    // Reading the same file again appends.
    EXPECT_EQ(list.ReadFile("layouts.coo", Format({1, 10, 11, 12})), 10);
    EXPECT_EQ(list.ReadFile("no_such_file.coo", Format({1, 10, 11, 12})), 0);
}

// Code 3 writes the name, or the id when there is none: the list writes back what it read.
TEST(CoordinateFile, AlphanumericIdsAndQuotedNamesWriteBack) {
    WriteText("names.coo",
              "A12 1 2 3\n12A 4 5 6\n\"Gable left\" 1.5 2.5 3.5\r\n000 1 1 1\n77 0 0 0\n");
    OmPointList list;
    EXPECT_EQ(list.ReadFile("names.coo", Format({3, 10, 11, 12})), 4);  // the name 000 has id 0
    OmPoint *a12 = list.Find(String("A12")), *gable = list.Find(String("Gable left"));
    ASSERT_TRUE(a12 && gable && gable->z == 3.5);
    EXPECT_EQ(a12->GetId(), list.Find(String("12A"))->GetId());
    ASSERT_EQ(list.WriteFile("names_back.coo"), 1);
    OmPointList again;
    again.ReadFile("names_back.coo", Format({3, 10, 11, 12}));
    EXPECT_EQ(Ids(again), Ids(list));
    EXPECT_EQ(again.Find(a12->GetId(), 0)->GetName(), "A12");
    EXPECT_EQ(list.Find(77, 0)->GetName(), "");
}

TEST(CoordinateFile, OverLongLinesAndRandomBytes) {
    // A 1 MB name runs past any line buffer; its tail is never taken for a second point.
    std::string const name(1 << 20, 'N');
    WriteText("long.coo", "1 \"" + name + "\" 2.5\n" + "2 \"short\" 3.5\n" + "7 \"x" +
                              std::string(1995, ' ') + "\" 42 5\n");
    OmPointList list;
    EXPECT_EQ(list.ReadFile("long.coo", Format({1, 2, 10})), 3);
    EXPECT_EQ(list.First()->GetName().length(), 1 << 20);
    EXPECT_TRUE(list.First()->x == 2.5 && list.Find(2, 0)->x == 3.5 && list.Last()->x == 42.0);

    std::mt19937 rng(3);
    std::string junk(200000, '\0');
    for (char& c : junk) c = static_cast<char>(rng());
    WriteText("junk.coo", junk);
    OmPointList random;
    std::vector<int> codes = {105};
    for (int c = 1; c <= 40; ++c) codes.push_back(c);
    int const n = random.ReadFile("junk.coo", Format(codes));
    EXPECT_TRUE(n >= 0 && random.Count() == n);
}

TEST(CoordinateFile, WriteThenReadRoundTrips) {
    std::mt19937_64 rng(21);
    std::uniform_real_distribution<double> coord(-1e6, 1e6);
    OmPointList list(test::AllColumns());
    for (unsigned id = 1; id <= 500; ++id) {
        OmPoint* p = list.Add(new OmPoint(test::Sample()));
        p->SetId(id * 7);
        p->photo = id % 5;
        p->Set(coord(rng), coord(rng), coord(rng) * 1e-9);
        p->dx = coord(rng) * 1e-6, p->r2 = coord(rng);
        p->SetControlFlags(static_cast<short>(id % 8));
        p->SetName(id % 3 ? String("P ") + String(static_cast<int>(id)) : String());
    }
    ASSERT_EQ(list.WriteFile("round.coo"), 1);
    OmPointList back;
    ASSERT_EQ(back.ReadFile("round.coo", list.GetMask()), 500);
    OmPoint* q = back.First();
    for (OmPoint* p = list.First(); p != nullptr; p = p->Next(), q = q->Next())
        EXPECT_EQ(test::Written(*q), test::Written(*p));
    // Write puts a line end between points, none after the last; WriteFile writes the same.
    std::ostringstream out;
    list.Write(out);
    EXPECT_EQ(ReadText("round.coo"), out.str());
    EXPECT_NE(out.str().back(), '\n');

    // Wide file names are opened as UTF-8.
    std::wstring const wide = L"r\u00E9sum\u00E9_\U0001F600.coo";
    ASSERT_EQ(list.WriteFile(wide.c_str()), 1);
    OmPointList wback;
    EXPECT_EQ(wback.ReadFile(wide.c_str(), list.GetMask()), 500);
    EXPECT_EQ(ReadText(sys::WideToUtf8(wide)), out.str());
}

TEST(CoordinateFile, WriteFailuresAreReported) {
    ASSERT_EQ(OmPointList().WriteFile("empty.coo", Format({1, 10})), 1);
    EXPECT_EQ(ReadText("empty.coo"), "");
    OmPointList list(Format({1, 10, 11, 12}));
    for (unsigned id = 1; id <= 20000; ++id) AddPoint(list, id, 0, id, id, id);
    EXPECT_EQ(list.WriteFile("no_such_dir/out.coo"), 0);  // cannot open
    EXPECT_EQ(list.WriteFile(static_cast<char const*>(nullptr)), 0);
    // A device that is full: the data cannot be written, which must not read as success.
    if (std::FILE* full = std::fopen("/dev/full", "w")) {
        std::fclose(full);
        EXPECT_EQ(list.WriteFile("/dev/full"), 0);
    }
}

TEST(PointList, FindNearestAndControlInformation) {
    OmPointList list;
    OmPoint* a = AddPoint(list, 5, 1, 0, 0, 0);
    OmPoint* b = AddPoint(list, 8, 3, 3, 4, 0);
    OmPoint* c = AddPoint(list, 5, 3, 3, 4, 0);  // same distance as b: the first wins
    OmPoint* d = AddPoint(list, 9, 0);
    EXPECT_TRUE(list.Find(5, 0) == a && list.Find(5, 3) == c && list.Find(5, 2) == nullptr);
    // With a start: forward to the end first, then backward from the start.
    EXPECT_TRUE(list.Find(5, 0, b) == c && list.Find(8, 0, c) == b && list.Find(5, 0, d) == c);
    double dist = -1;
    EXPECT_TRUE(list.FindNearest(OmPoint(0, 3, 4, 1, 0), &dist) == b && dist == 1.0);
    EXPECT_EQ(OmPointList().FindNearest(OmPoint(), nullptr), nullptr);

    b->SetControlFlags(3);
    EXPECT_TRUE(list.HasControlPoints());
    struct Counter : LinkHdl {
        int n = 0;
        long On(void*) { return ++n; }
    } counter;
    OmObserver observer(&list, Link(&counter, &Counter::On));
    list.RemoveControlInformation();
    EXPECT_FALSE(list.HasControlPoints());
    EXPECT_EQ(counter.n, 1);
}

TEST(PointList, CommonPointsAndMerge) {
    OmPointList a, b, out;
    for (unsigned id : {9u, 2u, 7u, 4u, 2u}) AddPoint(a, id, 0, id);
    for (unsigned id : {4u, 2u, 100u}) AddPoint(b, id, 0);
    EXPECT_EQ(FindCommonOmPointById(a, b, &out), 3);
    EXPECT_EQ(Ids(out), (std::vector<unsigned>{2, 4, 2}));  // in a's order, copies of a's points
    EXPECT_EQ(FindCommonOmPointById(a, a, &a), 5);          // out may be an input
    EXPECT_EQ(a.Count(), 10);

    // Merged: names, flags and every deviation, residual and count; not the coordinates, photo,
    // camera or control flags, nor a second point of the same id.
    OmPointList target, source;
    OmPoint* t = AddPoint(target, 4, 2, 1, 2, 3);
    t->SetControlFlags(7);
    t->camera = 5;
    OmPoint* t2 = AddPoint(target, 4, 0, 9, 9, 9);
    EXPECT_EQ(MergeCooCoo2(target, source), 0);
    OmPoint* s = source.Add(new OmPoint(test::Sample()));
    s->SetId(4);
    AddPoint(source, 55, 0);  // no counterpart: ignored
    EXPECT_EQ(MergeCooCoo2(target, source), 1);
    OmPoint expected(*s);
    expected.Set(1, 2, 3);
    expected.photo = 2, expected.camera = 5;
    expected.SetControlFlags(7);
    EXPECT_EQ(test::Written(*t), test::Written(expected));
    EXPECT_TRUE(t2->GetName().empty());
}

}  // namespace
