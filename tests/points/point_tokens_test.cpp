#include <om/points/id_table.h>
#include <om/points/point.h>
#include <om/points/point_id.h>
#include <om/points/point_list.h>
#include <om/textio/parser.h>
#include <om/textio/writer.h>

#include "points/token_cursor.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
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

double Sixteen(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.16g", v);
    return std::strtod(buf, nullptr);
}

// A token stream over a text, positioned on its first token, as a keyword handler sees it.
struct Tokens {
    explicit Tokens(std::string const& text) : in(text), tokenizer(in) { tokenizer.Next(); }
    points_detail::TokenCursor Cursor() {
        return {tokenizer, [this] { tokenizer.Next(); }};
    }
    eOmTokentype Current() const { return tokenizer.GetToken().GetType(); }

    std::istringstream in;
    OmStreamTokenizer tokenizer;
};

eOmParserStatus StatusOf(std::function<void()> const& f) {
    try {
        f();
    } catch (OmParserStatus const& s) {
        return s.GetStatus();
    }
    return ParserStatusOK;
}

TEST(PointTokens, WrittenColumnsReadBackFromTheTokenStream) {
    OmPoint p(4000000000u, 1.0 / 3.0, -2.5e-8, 123456.789, 6);
    p.SetName("Gable \"left\" x");  // a quote in a name ends the token; see below
    p.SetName("Gable left");
    p.SetFlag(0x123);
    p.photo = 12;
    p.camera = 4;
    p.dx = 0.001, p.dy = 0.002, p.dz = 0.003;
    p.r1 = 5, p.r2 = 6, p.r3 = 7;
    p.vx = 0.25f, p.vy = 0.5f, p.vz = 0.75f;
    p.imageCount = 9;
    p.color = -16711936;
    Mask const all = Format({1,  2,  4,  5,  8,  9,  10, 11, 12, 13, 14,  15,  16,  17, 18,
                             19, 20, 24, 25, 26, 27, 28, 29, 30, 31, 105, 106, 107, 22});
    std::ostringstream out;
    p.Write(out, all);
    Tokens t(out.str() + " }");
    auto cursor = t.Cursor();
    OmPoint q;
    points_detail::ReadPointColumns(q, cursor, all);
    EXPECT_EQ(t.Current(), OmTokenBlockEnd);  // every written token was taken, no more
    EXPECT_EQ(q.GetId(), p.GetId());
    EXPECT_EQ(q.GetName(), p.GetName());
    EXPECT_EQ(q.GetFlag(), p.GetFlag());
    EXPECT_EQ(q.GetControlFlags(), 6);
    EXPECT_EQ(q.photo, 12u);
    EXPECT_EQ(q.camera, 4u);
    EXPECT_EQ(q.x, Sixteen(p.x));
    EXPECT_EQ(q.y, p.y);
    EXPECT_EQ(q.z, p.z);
    EXPECT_EQ(q.dz, p.dz);
    EXPECT_EQ(q.r3, p.r3);  // 29..31 share the storage of 17..19
    EXPECT_EQ(q.color, p.color);
    EXPECT_EQ(q.imageCount, 9);
    EXPECT_EQ(q.vz, 0.75f);
}

TEST(PointTokens, IdentifierRuleAndKindErrors) {
    {
        Tokens t("A12 1.5 2 \"B 7\" 3 4 007 5 6 }");
        auto cursor = t.Cursor();
        Mask const m = Format({3, 10, 11});
        OmPoint a, b, c;
        points_detail::ReadPointColumns(a, cursor, m);
        points_detail::ReadPointColumns(b, cursor, m);
        points_detail::ReadPointColumns(c, cursor, m);
        EXPECT_EQ(a.GetName(), "A12");
        EXPECT_EQ(a.GetId(), GetIdFromAlphaNumericString("A12"));
        EXPECT_EQ(a.y, 2.0);
        EXPECT_EQ(b.GetName(), "B 7");
        EXPECT_EQ(c.GetId(), 7u);
        EXPECT_TRUE(c.GetName().empty());
    }
    {
        // A keyword where a number belongs: status 5; the end of the input: status 1.
        Tokens t("5 abc");
        auto cursor = t.Cursor();
        OmPoint p;
        EXPECT_EQ(StatusOf([&] {
                      points_detail::ReadPointColumns(p, cursor, Format({1, 10}));
                  }),
                  ParserErrorNotSpecifiedToken);
        Tokens e("5");
        auto end = e.Cursor();
        EXPECT_EQ(StatusOf([&] {
                      points_detail::ReadPointColumns(p, end, Format({1, 1}));
                  }),
                  ParserStatusEOF);
    }
    {
        // Braces are no identifier and are never skipped.
        Tokens t("}");
        auto cursor = t.Cursor();
        OmPoint p;
        EXPECT_EQ(StatusOf([&] { points_detail::ReadPointColumns(p, cursor, Format({3})); }),
                  ParserErrorNotSpecifiedToken);
        EXPECT_EQ(StatusOf([&] { points_detail::ReadPointColumns(p, cursor, Format({32})); }),
                  ParserErrorNotSpecifiedToken);
        EXPECT_EQ(t.Current(), OmTokenBlockEnd);
    }
}

TEST(PointTokens, PointBlocksEndAtTheirBrace) {
    OmPointList written(Format({1, 2, 5, 10, 11, 12}));
    for (unsigned id = 1; id <= 50; ++id) {
        auto* p = new OmPoint(id, id * 0.5, -1.0 * id, 1e-3 * id, static_cast<short>(id % 8));
        p->SetName(String("P") + String(static_cast<int>(id)));
        written.Add(p);
    }
    std::ostringstream out;
    written.Write(out);
    Tokens t(out.str() + "\n} NEXT");
    auto cursor = t.Cursor();
    OmPointList read(written.GetMask());
    points_detail::ReadPointBlock(read, cursor);
    EXPECT_EQ(t.Current(), OmTokenBlockEnd);
    ASSERT_EQ(read.Count(), 50);
    OmPoint* q = read.First();
    for (OmPoint* p = written.First(); p != nullptr; p = p->Next(), q = q->Next()) {
        EXPECT_EQ(q->GetId(), p->GetId());
        EXPECT_EQ(q->GetName(), p->GetName());
        EXPECT_EQ(q->GetControlFlags(), p->GetControlFlags());
        EXPECT_EQ(q->z, Sixteen(p->z));
    }

    // A wrong token inside the block is raised to the caller; points before it stay.
    Tokens bad("1 2.5 3.5 2 x 4 }");
    auto bc = bad.Cursor();
    OmPointList partial(Format({1, 10, 11}));
    EXPECT_EQ(StatusOf([&] { points_detail::ReadPointBlock(partial, bc); }),
              ParserErrorNotSpecifiedToken);
    EXPECT_EQ(partial.Count(), 1);

    // A mask that takes no token cannot read points: an empty block is fine, anything else an
    // error, never an endless loop.
    Tokens empty("}");
    auto ec = empty.Cursor();
    OmPointList none(Format({22}));
    points_detail::ReadPointBlock(none, ec);
    EXPECT_EQ(none.Count(), 0);
    Tokens full("1 2 }");
    auto fc = full.Cursor();
    EXPECT_EQ(StatusOf([&] { points_detail::ReadPointBlock(none, fc); }),
              ParserErrorNotSpecifiedToken);
}

TEST(IdTables, PairsAndListsRoundTrip) {
    EXPECT_EQ(OmIdPair(7, 3).OtherId(7), 3u);
    EXPECT_EQ(OmIdPair(7, 3).OtherId(9), 7u);
    OmIdPair p(7, 3);
    EXPECT_TRUE(p.Sort());
    EXPECT_FALSE(p.Sort());
    EXPECT_EQ(p, OmIdPair(3, 7));
    EXPECT_TRUE(OmIdPair(1, 9) < OmIdPair(2, 0));
    EXPECT_TRUE(OmIdPair(1, 9) <= OmIdPair(1, 9));
    EXPECT_TRUE(p.HasId(7) && !p.HasId(5));
    p.Clear();
    EXPECT_EQ(p, OmIdPair());

    OmIdTable ids;
    for (unsigned v = 0; v < 23; ++v) ids.Add(v * 190000003u);  // beyond 2^31 too
    std::ostringstream out;
    OmWriterReset();
    ids.Write(out);
    std::string const text = out.str();
    EXPECT_EQ(text.substr(0, 11), "0          ");  // left-aligned in 10, then a blank
    Tokens t(text + "}");
    auto cursor = t.Cursor();
    OmIdTable back;
    points_detail::ReadIdTable(back, cursor);
    EXPECT_TRUE(back == ids);

    OmIdPairTable pairs;
    for (unsigned v = 0; v < 12; ++v) pairs.Add(OmIdPair(v + 10, v));
    pairs.SortIdPairs();
    EXPECT_EQ(pairs[0], OmIdPair(0, 10));
    std::ostringstream pout;
    pairs.Write(pout);
    Tokens pt(pout.str() + "}");
    auto pc = pt.Cursor();
    OmIdPairTable pback;
    points_detail::ReadIdPairTable(pback, pc);
    EXPECT_TRUE(pback == pairs);
}

TEST(IdTables, Table2DRoundTripAndHostileCounts) {
    OmIdTable2D table(5, 3);
    EXPECT_EQ(table.GetId(4, 2), 0u);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_TRUE(table.SetId(x, y, static_cast<unsigned>(y * 10 + x)));
    EXPECT_FALSE(table.SetId(5, 0, 1));
    EXPECT_FALSE(table.SetId(-1, 0, 1));
    EXPECT_EQ(table.GetId(7, 7), 0u);
    std::ostringstream out;
    table.Write(out);
    Tokens t(out.str() + " }");
    auto cursor = t.Cursor();
    OmIdTable2D back;
    points_detail::ReadIdTable2D(back, cursor);
    EXPECT_EQ(back.GetNx(), 5);
    EXPECT_EQ(back.GetNy(), 3);
    EXPECT_EQ(back.GetId(3, 2), 23u);
    EXPECT_EQ(t.Current(), OmTokenBlockEnd);

    // Counts that overflow, are negative or huge are refused, and the old table stays; so it
    // does when the values end early.
    for (char const* text : {"65536 65536 1 2 3 }", "-1 5 }", "2 -3 }", "100000 100000 }",
                             "2147483647 2 }", "2 2 1 2 3 }", "3 1 1 2"}) {
        Tokens h(text);
        auto hc = h.Cursor();
        EXPECT_NE(StatusOf([&] { points_detail::ReadIdTable2D(back, hc); }), ParserStatusOK)
            << text;
        EXPECT_EQ(back.GetNx(), 5) << text;
        EXPECT_EQ(back.GetId(3, 2), 23u) << text;
    }
    // An empty table is a valid table.
    Tokens z("0 0 }");
    auto zc = z.Cursor();
    points_detail::ReadIdTable2D(back, zc);
    EXPECT_EQ(back.GetNx(), 0);

    OmIdTable2D big(1000, 1000);  // the parallel zero fill
    EXPECT_EQ(big.GetTable().Count(), 1000000u);
    EXPECT_EQ(big.GetId(999, 999), 0u);
    OmIdTable2D copy(table);
    EXPECT_EQ(copy.GetId(4, 1), 14u);
}

}  // namespace
