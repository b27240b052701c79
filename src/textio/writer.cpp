#include <om/textio/writer.h>

#include <ostream>

namespace om {

namespace {

int g_level = 0;  // process-wide, see the header

constexpr char kIndentUnit[] = "    ";

void LevelDown() {
    if (g_level > 0) --g_level;
}

std::ostream& Field(std::ostream& out, int width, std::ios::fmtflags adjust, bool blank) {
    if (blank) out.put(' ');
    out.setf(adjust, std::ios::adjustfield);
    out.width(width);
    return out;
}

std::ostream& RightField(std::ostream& out, int width) {
    return Field(out, width, std::ios::right, true);
}

std::ostream& LeftField(std::ostream& out, int width) {
    return Field(out, width, std::ios::left, false);
}

std::ostream& Precision(std::ostream& out, int digits) {
    out.precision(digits);
    return out;
}

}  // namespace

void OmWriterReset() {
    g_level = 0;
}

int OmWriterLevel() {
    return g_level;
}

std::ostream& OmTabPlus(std::ostream& out) {
    ++g_level;
    return out;
}

std::ostream& OmTabMinus(std::ostream& out) {
    LevelDown();
    return out;
}

std::ostream& OmBeginBlock(std::ostream& out) {
    ++g_level;
    return out << '{';
}

std::ostream& OmEndBlock(std::ostream& out) {
    LevelDown();
    return out << '}';
}

std::ostream& Omendl(std::ostream& out) {
    out << std::endl;
    for (int i = 0; i < g_level; ++i) out << kIndentUnit;
    return out;
}

std::ostream& OmBeginBlockNL(std::ostream& out) {
    out << '{';
    ++g_level;
    return Omendl(out);
}

std::ostream& OmEndBlockNL(std::ostream& out) {
    LevelDown();
    Omendl(out);
    return out << '}';
}

std::ostream& OmComment(std::ostream& out) {
    return out << "; ";
}

std::ostream& w4(std::ostream& out) {
    return RightField(out, 4);
}
std::ostream& w5(std::ostream& out) {
    return RightField(out, 5);
}
std::ostream& w6(std::ostream& out) {
    return RightField(out, 8);
}
std::ostream& w8(std::ostream& out) {
    return RightField(out, 10);
}
std::ostream& w10(std::ostream& out) {
    return RightField(out, 12);
}
std::ostream& w12(std::ostream& out) {
    return RightField(out, 16);
}
std::ostream& w14(std::ostream& out) {
    return RightField(out, 18);
}
std::ostream& w16(std::ostream& out) {
    return RightField(out, 21);
}
std::ostream& w19(std::ostream& out) {
    return RightField(out, 24);
}

std::ostream& s2(std::ostream& out) {
    return LeftField(out, 2);
}
std::ostream& s4(std::ostream& out) {
    return LeftField(out, 4);
}
std::ostream& s8(std::ostream& out) {
    return LeftField(out, 8);
}
std::ostream& s10(std::ostream& out) {
    return LeftField(out, 10);
}
std::ostream& s12(std::ostream& out) {
    return LeftField(out, 12);
}
std::ostream& s14(std::ostream& out) {
    return LeftField(out, 14);
}
std::ostream& s16(std::ostream& out) {
    return LeftField(out, 16);
}
std::ostream& s20(std::ostream& out) {
    return LeftField(out, 20);
}
std::ostream& s30(std::ostream& out) {
    return LeftField(out, 30);
}
std::ostream& s34(std::ostream& out) {
    return LeftField(out, 34);
}

std::ostream& p4(std::ostream& out) {
    return Precision(out, 4);
}
std::ostream& p6(std::ostream& out) {
    return Precision(out, 6);
}
std::ostream& p8(std::ostream& out) {
    return Precision(out, 8);
}
std::ostream& p16(std::ostream& out) {
    return Precision(out, 16);
}

std::ostream& left(std::ostream& out) {
    out.setf(std::ios::left, std::ios::adjustfield);
    return out;
}

std::ostream& right(std::ostream& out) {
    out.setf(std::ios::right, std::ios::adjustfield);
    return out;
}

}  // namespace om
