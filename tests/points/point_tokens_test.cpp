#include <om/core/link.h>
#include <om/points/id_table.h>
#include <om/points/point.h>
#include <om/points/point_id.h>
#include <om/points/point_list.h>
#include <om/textio/parser.h>
#include <om/textio/reader.h>
#include <om/textio/writer.h>

#include "points/token_cursor.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "point_test_util.h"

namespace {

using namespace om;
using test::Format;
using test::Mask;
using test::Sixteen;

using points_detail::ReadIdPairTable;
using points_detail::ReadIdTable2D;
using points_detail::ReadPointBlock;
using points_detail::ReadPointColumns;

// A token stream over a text, positioned on its first token, as a keyword handler sees it.
struct Tokens {
    explicit Tokens(std::string const& text) : in(text), tokenizer(in) { tokenizer.Next(); }

    // Runs one token reader and returns the status it raised.
    template <class Reader, class Target, class... Rest>
    eOmParserStatus Run(Reader read, Target& target, Rest const&... rest) {
        points_detail::TokenCursor cursor{tokenizer, [this] { tokenizer.Next(); }};
        try {
            read(target, cursor, rest...);
        } catch (OmParserStatus const& s) {
            return s.GetStatus();
        }
        return ParserStatusOK;
    }
    eOmTokentype Current() const { return tokenizer.GetToken().GetType(); }

    std::istringstream in;
    OmStreamTokenizer tokenizer;
};

TEST(PointTokens, WrittenColumnsReadBackFromTheTokenStream) {
    OmPoint const p = test::Sample();
    Mask const all = Format({1,  2,  4,  5,  7,  8,  9,  10, 11, 12, 13, 14,  15,  16,  17,
                             18, 19, 20, 24, 25, 26, 27, 28, 29, 30, 31, 105, 106, 107, 22});
    std::ostringstream out;
    p.Write(out, all);
    Tokens t(out.str() + " }");
    OmPoint q;
    EXPECT_EQ(t.Run(ReadPointColumns, q, all), ParserStatusOK);
    EXPECT_EQ(t.Current(), OmTokenBlockEnd);  // every written token was taken, no more
    EXPECT_TRUE(q.GetId() == p.GetId() && q.GetName() == p.GetName() &&
                q.GetFlag() == p.GetFlag() && q.GetControlFlags() == 5);
    EXPECT_TRUE(q.photo == 12u && q.camera == 3u && q.imageCount == 4 && q.color == p.color);
    EXPECT_TRUE(q.x == p.x && q.y == p.y && q.z == p.z && q.dz == Sixteen(p.dz));
    EXPECT_TRUE(q.r3 == p.r3 && q.vz == p.vz);  // 29..31 share the storage of 17..19
}

TEST(PointTokens, IdentifierRuleAndErrors) {
    Tokens t("A12 1.5 2 \"B 7\" 3 4 007 5 6 }");
    Mask const m = Format({3, 10, 11});
    OmPoint a, b, c, p;
    for (OmPoint* x : {&a, &b, &c}) EXPECT_EQ(t.Run(ReadPointColumns, *x, m), ParserStatusOK);
    EXPECT_TRUE(a.GetName() == "A12" && a.y == 2.0);
    EXPECT_EQ(a.GetId(), GetIdFromAlphaNumericString("A12"));
    EXPECT_EQ(b.GetName(), "B 7");
    EXPECT_TRUE(c.GetId() == 7u && c.GetName().empty());

    // A keyword where a number belongs: status 5; the end of the input: status 1.
    EXPECT_EQ(Tokens("5 abc").Run(ReadPointColumns, p, Format({1, 10})),
              ParserErrorNotSpecifiedToken);
    EXPECT_EQ(Tokens("5").Run(ReadPointColumns, p, Format({1, 1})), ParserStatusEOF);
    // Braces are no identifier and are never skipped.
    Tokens brace("}");
    EXPECT_EQ(brace.Run(ReadPointColumns, p, Format({3})), ParserErrorNotSpecifiedToken);
    EXPECT_EQ(brace.Run(ReadPointColumns, p, Format({32})), ParserErrorNotSpecifiedToken);
    EXPECT_EQ(brace.Current(), OmTokenBlockEnd);

    // A wrong token inside a block is raised to the caller; points before it stay.
    OmPointList partial(Format({1, 10, 11}));
    EXPECT_EQ(Tokens("1 2.5 3.5 2 x 4 }").Run(ReadPointBlock, partial),
              ParserErrorNotSpecifiedToken);
    EXPECT_EQ(partial.Count(), 1);
    // A mask that takes no token cannot read points: an empty block is fine, anything else an
    // error, never an endless loop.
    OmPointList none(Format({22}));
    EXPECT_EQ(Tokens("}").Run(ReadPointBlock, none), ParserStatusOK);
    EXPECT_EQ(none.Count(), 0);
    EXPECT_EQ(Tokens("1 2 }").Run(ReadPointBlock, none), ParserErrorNotSpecifiedToken);
}

TEST(IdTables, PairsAndHostileTableCounts) {
    OmIdPair p(7, 3);
    EXPECT_TRUE(p.OtherId(7) == 3u && p.OtherId(9) == 7u);
    EXPECT_TRUE(p.Sort());
    EXPECT_FALSE(p.Sort());
    EXPECT_EQ(p, OmIdPair(3, 7));
    EXPECT_TRUE(OmIdPair(1, 9) < OmIdPair(2, 0) && OmIdPair(1, 9) <= OmIdPair(1, 9));
    EXPECT_TRUE(p.HasId(7) && !p.HasId(5));

    OmIdPairTable pairs;
    for (unsigned v = 0; v < 12; ++v) pairs.Add(OmIdPair(v + 10, v));
    pairs.SortIdPairs();
    EXPECT_EQ(pairs[0], OmIdPair(0, 10));
    std::ostringstream pout;
    pairs.Write(pout);
    OmIdPairTable pback;
    EXPECT_EQ(Tokens(pout.str() + "}").Run(ReadIdPairTable, pback), ParserStatusOK);
    EXPECT_TRUE(pback == pairs);

    OmIdTable2D table(5, 3);
    EXPECT_TRUE(table.SetId(3, 2, 23) && table.GetId(4, 2) == 0u);
    EXPECT_FALSE(table.SetId(5, 0, 1) || table.SetId(-1, 0, 1));
    EXPECT_EQ(table.GetId(7, 7), 0u);
    // Counts that overflow, are negative or huge are refused, and the old table stays; so it
    // does when the values end early.
    for (char const* text : {"65536 65536 1 2 3 }", "-1 5 }", "2 -3 }", "100000 100000 }",
                             "2147483647 2 }", "2 2 1 2 3 }", "3 1 1 2"}) {
        EXPECT_NE(Tokens(text).Run(ReadIdTable2D, table), ParserStatusOK) << text;
        EXPECT_TRUE(table.GetNx() == 5 && table.GetId(3, 2) == 23u) << text;
    }
    EXPECT_EQ(Tokens("0 0 }").Run(ReadIdTable2D, table), ParserStatusOK);  // an empty table
    EXPECT_EQ(table.GetNx(), 0);

    OmIdTable2D big(1000, 1000);  // the parallel zero fill
    EXPECT_TRUE(big.GetTable().Count() == 1000000u && big.GetId(999, 999) == 0u);
}

// A project file with a point block, an id table and a 2D id table, read through the keyword
// reader the way the records of a project read their blocks.
struct Project : LinkHdl {
    OmPointList points{Format({1, 2, 5, 10, 11, 12})};
    OmIdTable ids;
    OmIdTable2D grid;
    int after = 0;

    long OnPoints(void* o) { return points.Read(static_cast<OmReaderObject*>(o)); }
    long OnIds(void* o) { return ids.Read(static_cast<OmReaderObject*>(o)); }
    long OnGrid(void* o) { return grid.Read(static_cast<OmReaderObject*>(o)); }

    int Read(char const* file) {
        OmReader reader(file);
        OmReaderObject p("POINTS", Link(this, &Project::OnPoints)),
            i("IDS", Link(this, &Project::OnIds)), g("GRID", Link(this, &Project::OnGrid)),
            a("AFTER", &after);
        for (OmReaderObject* o : {&p, &i, &g, &a}) reader.RegisterObject(*o);
        reader.DoProcess(false);
        return reader.GetReadErrorCount();
    }
};

TEST(ProjectBlocks, WrittenBlocksReadBackThroughTheReader) {
    OmPointList points(Format({1, 2, 5, 10, 11, 12}));
    for (unsigned id = 1; id <= 50; ++id) {
        auto* p = new OmPoint(id, id * 0.5, -1.0 * id, 1e-3 * id, static_cast<short>(id % 8));
        p->SetName(String("P ") + String(static_cast<int>(id)));
        points.Add(p);
    }
    OmIdTable ids;
    for (unsigned v = 0; v < 23; ++v) ids.Add(v * 190000003u);  // beyond 2^31 too
    OmIdTable2D grid(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) grid.SetId(x, y, static_cast<unsigned>(y * 10 + x));
    {
        std::ofstream out("project.txt");
        OmWriterReset();
        out << "POINTS " << OmBeginBlockNL;
        points.Write(out);
        out << OmEndBlockNL << Omendl << "IDS " << OmBeginBlockNL;
        ids.Write(out);
        out << OmEndBlockNL << Omendl << "GRID " << OmBeginBlockNL;
        grid.Write(out);
        out << OmEndBlockNL << Omendl << "AFTER 5" << Omendl;
    }
    std::ostringstream id_text;
    ids.Write(id_text);
    EXPECT_EQ(id_text.str().substr(0, 11), "0          ");  // left-aligned in 10, then a blank

    Project project;
    EXPECT_EQ(project.Read("project.txt"), 0);
    ASSERT_EQ(project.points.Count(), 50);
    OmPoint* q = project.points.First();
    for (OmPoint* p = points.First(); p != nullptr; p = p->Next(), q = q->Next()) {
        EXPECT_TRUE(q->GetId() == p->GetId() && q->GetName() == p->GetName() &&
                    q->GetControlFlags() == p->GetControlFlags() && q->z == Sixteen(p->z))
            << p->GetId();
    }
    EXPECT_TRUE(project.ids == ids);
    EXPECT_TRUE(project.grid.GetNx() == 5 && project.grid.GetNy() == 3);
    EXPECT_TRUE(project.grid.GetId(3, 2) == 23u && OmIdTable2D(project.grid).GetId(4, 1) == 14u);
    EXPECT_EQ(project.after, 5);  // the reader went on after the blocks

    // A hostile count is recorded as an error, and the old table stays; without a parser-error
    // handler the reader stops there.
    test::WriteText("hostile.txt", "GRID { 65536 65536 1 2 3 }\nAFTER 9\n");
    Project hostile;
    hostile.grid = OmIdTable2D(2, 2);
    EXPECT_GE(hostile.Read("hostile.txt"), 1);
    EXPECT_EQ(hostile.grid.GetNx(), 2);
    EXPECT_EQ(hostile.after, 0);
}

}  // namespace
