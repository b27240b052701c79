#include <om/textio/writer.h>

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>
#include <string>

namespace om {
namespace {

// The whole layout in one text: the widths are those of the table, not the numbers in the names
// (w: a blank and a right-aligned field, s: a left-aligned field), and w4 pads an inline brace too.
TEST(Writer, LayoutOfBlocksFieldsAndPrecision) {
    OmWriterReset();
    std::ostringstream out;
    out << OmEndBlock << OmTabMinus << OmEndBlockNL;  // the level never goes below zero
    out << OmComment << "note" << Omendl << "OUTER" << Omendl << OmBeginBlockNL << "A" << w4 << 1
        << Omendl << "INNER" << Omendl << OmBeginBlockNL << "B" << w4 << 2 << OmEndBlockNL << Omendl
        << "ID" << w4 << OmBeginBlock << 5 << OmEndBlock << OmEndBlockNL << Omendl;
    EXPECT_EQ(OmWriterLevel(), 0);
    for (auto manip : {w4, w5, w6, w8, w10, w12, w14, w16, w19}) out << manip << 'K';
    out << '|';
    for (auto manip : {s2, s4, s8, s10, s12, s14, s16, s20, s30, s34}) out << manip << 'K';
    out << '|' << left << std::setw(4) << 1 << '|' << right << std::setw(4) << 2 << '|';
    out << std::fixed << p4 << 1.5 << ' ' << p6 << 2.0 << ' ' << std::scientific << p8 << 3.0 << ' '
        << p16 << 0.1 << std::defaultfloat << ' ' << p4 << 3.14159265;
    std::string fields;
    for (int width : {4, 5, 8, 10, 12, 16, 18, 21, 24}) fields += std::string(width, ' ') + 'K';
    fields += '|';
    for (int width : {2, 4, 8, 10, 12, 14, 16, 20, 30, 34})
        fields += 'K' + std::string(width - 1, ' ');
    EXPECT_EQ(out.str(),
              "}\n}; note\nOUTER\n{\n    A    1\n    INNER\n    {\n        B    2\n"
              "    }\n    ID    {5}\n}\n" +
                  fields +
                  "|1   |   2|1.5000 2.000000 3.00000000e+00 1.0000000000000001e-01 3.142");
    OmWriterReset();
}

}  // namespace
}  // namespace om
