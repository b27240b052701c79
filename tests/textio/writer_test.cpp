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
}

TEST_F(Writer, BlocksIndentFourBlanksPerLevel) {
    std::ostringstream out;
    out << OmComment << "note" << Omendl << "OUTER" << Omendl << OmBeginBlockNL << "A" << w4 << 1
        << Omendl << "INNER" << Omendl << OmBeginBlockNL << "B" << w4 << 2 << OmEndBlockNL << Omendl
        << "ID" << w4 << OmBeginBlock << 5 << OmEndBlock << OmEndBlockNL << Omendl;
    // w4 pads the inline brace too, as the block headers of the records expect.
    EXPECT_EQ(out.str(),
              "; note\n"
              "OUTER\n"
              "{\n"
              "    A    1\n"
              "    INNER\n"
              "    {\n"
              "        B    2\n"
              "    }\n"
              "    ID    {5}\n"
              "}\n");
    EXPECT_EQ(OmWriterLevel(), 0);
}

TEST_F(Writer, FieldWidths) {
    // The widths are those of the table, not the numbers in the names: w is a blank and a
    // right-aligned field, s a left-aligned field.
    struct Case {
        std::ostream& (*manip)(std::ostream&);
        int width;
        bool left;
    } const cases[] = {{w4, 4, false},   {w5, 5, false},   {w6, 8, false},   {w8, 10, false},
                       {w10, 12, false}, {w12, 16, false}, {w14, 18, false}, {w16, 21, false},
                       {w19, 24, false}, {s2, 2, true},    {s4, 4, true},    {s8, 8, true},
                       {s10, 10, true},  {s12, 12, true},  {s14, 14, true},  {s16, 16, true},
                       {s20, 20, true},  {s30, 30, true},  {s34, 34, true}};
    for (Case const& c : cases) {
        std::ostringstream out;
        out << c.manip << "K" << '|';
        std::string const pad(c.width - 1, ' ');
        EXPECT_EQ(out.str(), (c.left ? "K" + pad : " " + pad + "K") + "|") << "width " << c.width;
    }
    std::ostringstream out;
    out << s4 << "a" << w4 << 7 << '|' << left << std::setw(4) << 1 << '|' << right << std::setw(4)
        << 2 << '|';
    EXPECT_EQ(out.str(), "a       7|1   |   2|");
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

}  // namespace
}  // namespace om
