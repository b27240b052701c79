#include <om/points/point_id.h>
#include <om/points/point_list.h>
#include <om/points/sort_helper.h>
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
using test::Sixteen;
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
    EXPECT_EQ(list.GetMask().Size(), 4);

    // Reading the same file again appends.
    EXPECT_EQ(list.ReadFile("layouts.coo", Format({1, 10, 11, 12})), 10);
    EXPECT_EQ(list.ReadFile("no_such_file.coo", Format({1, 10, 11, 12})), 0);
}

TEST(CoordinateFile, AlphanumericIdsAndQuotedNames) {
    WriteText("names.coo",
              "A12 1 2 3\n"
              "12A 4 5 6\n"
              "B12 7 8 9\n"
              "\"Gable left\" 1.5 2.5 3.5\r\n"
              "000 1 1 1\n"  // the name 000 has id 0 and is passed over
              "77 0 0 0\n");
    OmPointList list;
    EXPECT_EQ(list.ReadFile("names.coo", Format({3, 10, 11, 12})), 5);
    OmPoint *a12 = list.Find(String("A12")), *a12b = list.Find(String("12A")),
            *b12 = list.Find(String("B12")), *gable = list.Find(String("Gable left"));
    ASSERT_TRUE(a12 && a12b && b12 && gable);
    EXPECT_EQ(a12->GetId(), a12b->GetId());  // same letter group, same number
    EXPECT_NE(a12->GetId(), b12->GetId());
    EXPECT_EQ(gable->z, 3.5);
    // Code 3 writes the name, or the id when there is none: the list writes back what it read.
    ASSERT_EQ(list.WriteFile("names_back.coo"), 1);
    OmPointList again;
    again.ReadFile("names_back.coo", Format({3, 10, 11, 12}));
    EXPECT_EQ(Ids(again), Ids(list));
    EXPECT_EQ(again.Find(a12->GetId(), 0)->GetName(), "A12");
    EXPECT_EQ(list.Find(77, 0)->GetName(), "");
}

TEST(CoordinateFile, OverLongLinesNeverAddBogusPoints) {
    // A 1 MB name runs past any line buffer; its tail is never taken for a second point.
    std::string const name(1 << 20, 'N');
    WriteText("long.coo", "1 \"" + name + "\" 2.5\n" + "2 \"short\" 3.5\n");
    OmPointList list;
    EXPECT_EQ(list.ReadFile("long.coo", Format({1, 2, 10})), 2);
    EXPECT_EQ(list.First()->GetName().length(), 1 << 20);
    EXPECT_TRUE(list.First()->x == 2.5 && list.Last()->x == 3.5);

    // A line with a numeric field at 2,000 characters.
    WriteText("pad.coo", "7 \"x" + std::string(1995, ' ') + "\" 42 5\n");
    OmPointList padded;
    EXPECT_EQ(padded.ReadFile("pad.coo", Format({1, 2, 10})), 1);
}

TEST(CoordinateFile, RandomBytesGiveACountNotACrash) {
    std::mt19937 rng(3);
    std::string junk(200000, '\0');
    for (char& c : junk) c = static_cast<char>(rng());
    WriteText("junk.coo", junk);
    OmPointList list;
    int const n = list.ReadFile("junk.coo", Format({3, 2, 5, 10, 11, 12, 13}));
    EXPECT_GE(n, 0);
    EXPECT_EQ(list.Count(), n);
}

TEST(CoordinateFile, WriteThenReadRoundTrips) {
    std::mt19937_64 rng(21);
    std::uniform_real_distribution<double> coord(-1e6, 1e6);
    OmPointList list(Format({1, 2, 5, 8, 10, 11, 12, 13, 14, 15}));
    for (unsigned id = 1; id <= 500; ++id) {
        OmPoint* p = AddPoint(list, id * 7, id % 5, coord(rng), coord(rng), coord(rng) * 1e-9);
        p->dx = coord(rng) * 1e-6;
        p->SetControlFlags(static_cast<short>(id % 8));
        p->SetName(id % 3 ? String("P ") + String(static_cast<int>(id)) : String());
    }
    ASSERT_EQ(list.WriteFile("round.coo"), 1);
    OmPointList back;
    ASSERT_EQ(back.ReadFile("round.coo", list.GetMask()), 500);
    OmPoint* q = back.First();
    for (OmPoint* p = list.First(); p != nullptr; p = p->Next(), q = q->Next()) {
        ASSERT_TRUE(q->GetId() == p->GetId() && q->GetName() == p->GetName() &&
                    q->GetControlFlags() == p->GetControlFlags() && q->photo == p->photo)
            << p->GetId();
        ASSERT_TRUE(q->x == Sixteen(p->x) && q->y == Sixteen(p->y) && q->z == Sixteen(p->z) &&
                    q->dx == Sixteen(p->dx))
            << p->GetId();
    }
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
    OmPointList empty;
    ASSERT_EQ(empty.WriteFile("empty.coo", Format({1, 10})), 1);
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

TEST(PointList, FindForms) {
    OmPointList list;
    OmPoint* a = AddPoint(list, 5, 1);
    OmPoint* b = AddPoint(list, 8, 3);
    OmPoint* c = AddPoint(list, 5, 3);
    OmPoint* d = AddPoint(list, 9, 0);
    EXPECT_TRUE(list.Find(5, 0) == a && list.Find(5, 3) == c && list.Find(5u) == a);
    EXPECT_EQ(list.Find(5, 2), nullptr);
    // With a start: forward to the end first, then backward from the start.
    EXPECT_TRUE(list.Find(5, 0, b) == c && list.Find(8, 0, c) == b);
    EXPECT_EQ(list.Find(5, 0, d), c);  // backward from d meets c before a
    EXPECT_EQ(list.Find(1, 0, b), nullptr);

    OmPointList sorted;
    for (unsigned id : {1u, 3u, 5u}) AddPoint(sorted, id, 0);
    EXPECT_TRUE(!sorted.FindInSortedList(4) && !sorted.FindInSortedList(9));
    EXPECT_EQ(sorted.FindInSortedList(5)->GetId(), 5u);
}

TEST(PointList, NearestAndControlInformation) {
    OmPointList list;
    EXPECT_EQ(list.FindNearest(OmPoint(), nullptr), nullptr);
    AddPoint(list, 1, 0, 0, 0, 0);
    OmPoint* b = AddPoint(list, 2, 0, 3, 4, 0);
    AddPoint(list, 3, 0, 3, 4, 0);  // same distance: the first wins
    double dist = -1;
    EXPECT_TRUE(list.FindNearest(OmPoint(0, 3, 4, 1, 0), &dist) == b && dist == 1.0);

    EXPECT_FALSE(list.HasControlPoints());
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

TEST(PointList, FlagFilteredWalking) {
    OmPointList list;
    OmPoint* a = AddPoint(list, 1, 0);
    OmPoint* b = AddPoint(list, 2, 0);
    OmPoint* c = AddPoint(list, 3, 0);
    a->SetFlag(2);
    c->SetFlag(6);
    EXPECT_TRUE(a->First(4) == c && b->First(2) == c && a->Next(2) == c);
    EXPECT_TRUE(c->Previous(2) == a && a->Previous(2) == nullptr);
}

TEST(PointList, CommonPointsAndMerge) {
    OmPointList a, b, out;
    for (unsigned id : {9u, 2u, 7u, 4u, 2u}) AddPoint(a, id, 0, id);
    for (unsigned id : {4u, 2u, 100u}) AddPoint(b, id, 0);
    EXPECT_EQ(FindCommonOmPointById(a, b, &out), 3);
    EXPECT_EQ(Ids(out), (std::vector<unsigned>{2, 4, 2}));  // in a's order, copies of a's points
    EXPECT_EQ(out.First()->x, 2.0);
    EXPECT_EQ(FindCommonOmPointById(a, b, nullptr), 3);
    EXPECT_EQ(FindCommonOmPointById(a, a, &a), 5);  // out may be an input
    EXPECT_EQ(a.Count(), 10);

    OmPointList target, source;
    OmPoint* t = AddPoint(target, 4, 2, 1, 2, 3);
    t->SetControlFlags(7);
    t->camera = 5;
    OmPoint* t2 = AddPoint(target, 4, 0, 9, 9, 9);  // a second point of id 4 stays untouched
    EXPECT_EQ(MergeCooCoo2(target, source), 0);     // empty source
    OmPoint* s = AddPoint(source, 4, 8, 10, 20, 30);
    s->SetName("merged");
    s->SetFlag(0x11);
    s->SetControlFlags(1);
    s->dx = 0.1, s->dy = 0.2, s->dz = 0.3, s->r1 = 1, s->r2 = 2, s->r3 = 3;
    s->vx = 4, s->vy = 5, s->vz = 6, s->imageCount = 7, s->color = 8, s->camera = 9;
    AddPoint(source, 55, 0);  // no counterpart: ignored
    EXPECT_EQ(MergeCooCoo2(target, source), 1);
    EXPECT_TRUE(t->GetName() == "merged" && t->GetFlag() == 0x11u && t->imageCount == 7 &&
                t->color == 8);
    EXPECT_TRUE(t->dx == 0.1 && t->dy == 0.2 && t->dz == 0.3);
    EXPECT_TRUE(t->r1 == 1.0 && t->r2 == 2.0 && t->r3 == 3.0);
    EXPECT_TRUE(t->vx == 4.0f && t->vy == 5.0f && t->vz == 6.0f);
    // Not merged: coordinates, photo, camera and control flags.
    EXPECT_TRUE(t->x == 1.0 && t->photo == 2u && t->camera == 5u && t->GetControlFlags() == 7);
    EXPECT_TRUE(t2->GetName().empty());
}

TEST(PointList, SortHelperIndexesFirstOfEachId) {
    OmPointList list;
    OmPoint* first = AddPoint(list, 6, 0);
    AddPoint(list, 6, 1);
    AddPoint(list, 2, 0);
    OmSortHelper<OmPoint> helper;
    EXPECT_FALSE(helper.Rebuild());
    helper.SetList(&list);
    EXPECT_EQ(helper.GetCount(), 3);
    EXPECT_TRUE(helper.Find(6) == first && helper.Find(3) == nullptr);
    EXPECT_EQ(helper.GetIndex().begin()->first, 2u);
}

TEST(PointList, CopiesKeepPointsAndMask) {
    OmPointList list(Format({1, 10}));
    AddPoint(list, 3, 0, 1.5);
    OmPointList copy(list), assigned;
    assigned = list;
    EXPECT_TRUE(copy.Count() == 1 && copy.GetMask().Size() == 2);
    EXPECT_TRUE(Ids(assigned) == Ids(list) && assigned.GetMask()[1] == OmPointRWX);
}

}  // namespace
