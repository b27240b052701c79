#include <om/textio/writer.h>

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>
#include <string>

namespace om {
namespace {

class Writer : public ::testing::Test {
  protected:
    void SetUp() override { OmWriterReset(); }
    void TearDown() override { OmWriterReset(); }
};

TEST_F(Writer, LevelNeverGoesBelowZero) {
    std::ostringstream out;
    out << OmEndBlock << OmTabMinus << OmEndBlockNL;
    EXPECT_EQ(out.str(), "}\n}");
    EXPECT_EQ(OmWriterLevel(), 0);
    out << OmTabPlus << OmTabPlus << OmTabMinus;
    EXPECT_EQ(OmWriterLevel(), 1);
    OmWriterReset();
    EXPECT_EQ(OmWriterLevel(), 0);
}

TEST_F(Writer, LineEndIndentsFourBlanksPerLevel) {
    std::ostringstream out;
    out << OmTabPlus << OmTabPlus << "x" << Omendl << "y";
    EXPECT_EQ(out.str(), "x\n        y");
}

TEST_F(Writer, NestedBlocksLayout) {
    std::ostringstream out;
    out << "OUTER" << Omendl << OmBeginBlockNL << "A" << w4 << 1 << Omendl << "INNER" << Omendl
        << OmBeginBlockNL << "B" << w4 << 2 << OmEndBlockNL << Omendl << "C" << w4 << 3
        << OmEndBlockNL << Omendl;
    EXPECT_EQ(out.str(),
              "OUTER\n"
              "{\n"
              "    A    1\n"
              "    INNER\n"
              "    {\n"
              "        B    2\n"
              "    }\n"
              "    C    3\n"
              "}\n");
    EXPECT_EQ(OmWriterLevel(), 0);
}

TEST_F(Writer, InlineBlocksAndComment) {
    std::ostringstream out;
    out << OmComment << "note" << Omendl << "ID" << w4 << OmBeginBlock << 5 << OmEndBlock;
    // w4 pads the brace too, as the block headers of the records expect.
    EXPECT_EQ(out.str(), "; note\nID    {5}");
    EXPECT_EQ(OmWriterLevel(), 0);
}

TEST_F(Writer, RightAlignedFieldWidths) {
    // The widths are those of the table, not the numbers in the names.
    struct Case {
        std::ostream& (*manip)(std::ostream&);
        int width;
    } const cases[] = {{w4, 4},   {w5, 5},   {w6, 8},   {w8, 10}, {w10, 12},
                       {w12, 16}, {w14, 18}, {w16, 21}, {w19, 24}};
    for (Case const& c : cases) {
        std::ostringstream out;
        out << c.manip << 12 << '|';
        std::string const expected = " " + std::string(c.width - 2, ' ') + "12|";
        EXPECT_EQ(out.str(), expected) << "width " << c.width;
    }
    std::ostringstream out;
    out << w4 << 12;
    EXPECT_EQ(out.str(), "   12");
}

TEST_F(Writer, LeftAlignedFieldWidths) {
    struct Case {
        std::ostream& (*manip)(std::ostream&);
        int width;
    } const cases[] = {{s2, 2},   {s4, 4},   {s8, 8},   {s10, 10}, {s12, 12},
                       {s14, 14}, {s16, 16}, {s20, 20}, {s30, 30}, {s34, 34}};
    for (Case const& c : cases) {
        std::ostringstream out;
        out << c.manip << "K" << '|';
        EXPECT_EQ(out.str(), "K" + std::string(c.width - 1, ' ') + "|") << "width " << c.width;
    }
    // A w-manipulator after an s-manipulator is right-aligned again.
    std::ostringstream out;
    out << s4 << "a" << w4 << 7;
    EXPECT_EQ(out.str(), "a       7");
}

TEST_F(Writer, PrecisionKeepsTheFloatField) {
    std::ostringstream out;
    out << std::fixed << p4 << 1.5 << ' ' << p6 << 2.0 << ' ' << std::scientific << p8 << 3.0 << ' '
        << p16 << 0.1;
    EXPECT_EQ(out.str(), "1.5000 2.000000 3.00000000e+00 1.0000000000000001e-01");
    std::ostringstream general;
    general << p4 << 3.14159265;
    EXPECT_EQ(general.str(), "3.142");
}

TEST_F(Writer, AlignmentManipulators) {
    std::ostringstream out;
    out << left << std::setw(4) << 1 << '|' << right << std::setw(4) << 2 << '|';
    EXPECT_EQ(out.str(), "1   |   2|");
}

}  // namespace
}  // namespace om
