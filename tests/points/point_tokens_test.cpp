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
    // A mask that takes no token cannot read points: never an endless loop.
    OmPointList none(Format({22}));
    EXPECT_EQ(Tokens("}").Run(ReadPointBlock, none), ParserStatusOK);
    EXPECT_EQ(Tokens("1 2 }").Run(ReadPointBlock, none), ParserErrorNotSpecifiedToken);
    EXPECT_EQ(none.Count(), 0);
}

TEST(IdTables, HostileTableCountsKeepTheOldTable) {
    OmIdTable2D table(5, 3);
    EXPECT_TRUE(table.SetId(3, 2, 23) && !table.SetId(5, 0, 1) && !table.SetId(-1, 0, 1));
    // Counts that overflow, are negative or huge are refused; so are values that end early.
    for (char const* text : {"65536 65536 1 2 3 }", "-1 5 }", "2 -3 }", "100000 100000 }",
                             "2147483647 2 }", "2 2 1 2 3 }", "3 1 1 2"}) {
        EXPECT_NE(Tokens(text).Run(ReadIdTable2D, table), ParserStatusOK) << text;
        EXPECT_TRUE(table.GetNx() == 5 && table.GetId(3, 2) == 23u) << text;
    }
    EXPECT_EQ(Tokens("0 0 }").Run(ReadIdTable2D, table), ParserStatusOK);
    EXPECT_EQ(table.GetNx(), 0);
    OmIdTable2D big(1000, 1000);  // the parallel zero fill
    EXPECT_TRUE(big.GetTable().Count() == 1000000u && big.GetId(999, 999) == 0u);
}

// The blocks of a project file, read through the keyword reader as the project records do.
struct Project : LinkHdl {
    OmPointList points{test::AllColumns()};
    OmIdTable ids;
    OmIdPairTable pairs;
    OmIdTable2D grid;
    int after = 0;

    long OnPoints(void* o) { return points.Read(static_cast<OmReaderObject*>(o)); }
    long OnIds(void* o) { return ids.Read(static_cast<OmReaderObject*>(o)); }
    long OnPairs(void* o) { return pairs.Read(static_cast<OmReaderObject*>(o)); }
    long OnGrid(void* o) { return grid.Read(static_cast<OmReaderObject*>(o)); }

    void Write(char const* file) {
        std::ofstream out(file);
        OmWriterReset();
        out << "POINTS " << OmBeginBlockNL;
        points.Write(out);
        out << OmEndBlockNL << Omendl << "IDS " << OmBeginBlockNL;
        ids.Write(out);
        out << OmEndBlockNL << Omendl << "PAIRS " << OmBeginBlockNL;
        pairs.Write(out);
        out << OmEndBlockNL << Omendl << "GRID " << OmBeginBlockNL;
        grid.Write(out);
        out << OmEndBlockNL << Omendl << "AFTER 5" << Omendl;
    }
    int Read(char const* file) {
        OmReader reader(file);
        OmReaderObject p("POINTS", Link(this, &Project::OnPoints)),
            i("IDS", Link(this, &Project::OnIds)), q("PAIRS", Link(this, &Project::OnPairs)),
            g("GRID", Link(this, &Project::OnGrid)), a("AFTER", &after);
        for (OmReaderObject* o : {&p, &i, &q, &g, &a}) reader.RegisterObject(*o);
        reader.DoProcess(false);
        return reader.GetReadErrorCount();
    }
};

TEST(ProjectBlocks, WrittenBlocksReadBackThroughTheReader) {
    Project out;
    for (unsigned id = 1; id <= 50; ++id) {
        OmPoint* p = out.points.Add(new OmPoint(test::Sample()));
        p->SetId(id);
        p->Set(id * 0.5, -1.0 * id, 1e-3 * id);
        p->SetControlFlags(static_cast<short>(id % 8));
        p->SetName(String("P ") + String(static_cast<int>(id)));
    }
    for (unsigned v = 0; v < 23; ++v) out.ids.Add(v * 190000003u);  // beyond 2^31 too
    for (unsigned v = 0; v < 12; ++v) out.pairs.Add(OmIdPair(v + 10, v));
    out.pairs.SortIdPairs();
    EXPECT_EQ(out.pairs[0], OmIdPair(0, 10));
    out.grid = OmIdTable2D(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) out.grid.SetId(x, y, static_cast<unsigned>(y * 10 + x));
    out.Write("project.txt");
    std::ostringstream id_text;
    out.ids.Write(id_text);
    EXPECT_EQ(id_text.str().substr(0, 11), "0          ");  // left-aligned in 10, then a blank

    Project in;
    EXPECT_EQ(in.Read("project.txt"), 0);
    ASSERT_EQ(in.points.Count(), 50);
    OmPoint* q = in.points.First();
    for (OmPoint* p = out.points.First(); p != nullptr; p = p->Next(), q = q->Next())
        EXPECT_EQ(test::Written(*q), test::Written(*p));
    EXPECT_TRUE(in.ids == out.ids && in.pairs == out.pairs);
    EXPECT_TRUE(in.grid.GetNx() == 5 && in.grid.GetNy() == 3);
    EXPECT_TRUE(in.grid.GetId(3, 2) == 23u && in.grid.GetId(4, 1) == 14u);
    EXPECT_EQ(in.after, 5);  // the reader went on after the blocks
}

}  // namespace
