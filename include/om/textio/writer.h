// Stream manipulators that lay out the library's text files.
//
// Blocks are written as a keyword, a brace-delimited body and a closing brace at the keyword's
// level; every level is indented by four blanks. The indentation level is one value for the whole
// process (shared by all streams), so a writer that starts a new file calls OmWriterReset() first
// and only one file is written at a time.
//
// The field manipulators fix widths and precisions of the columns. The numbers in the names of
// the w-family are not their widths: w6 sets width 8 and w19 width 24, for instance.
#pragma once

#include <iosfwd>

namespace om {

// Sets the indentation level to 0.
void OmWriterReset();
// The indentation level now in force.
int OmWriterLevel();

std::ostream& OmTabPlus(std::ostream& out);       // level + 1; writes nothing
std::ostream& OmTabMinus(std::ostream& out);      // level - 1, not below 0; writes nothing
std::ostream& OmBeginBlock(std::ostream& out);    // level + 1, then "{"
std::ostream& OmEndBlock(std::ostream& out);      // level - 1 (not below 0), then "}"
std::ostream& Omendl(std::ostream& out);          // line end and flush, then the indentation
std::ostream& OmBeginBlockNL(std::ostream& out);  // "{", level + 1, Omendl
std::ostream& OmEndBlockNL(std::ostream& out);    // level - 1 (not below 0), Omendl, "}"
std::ostream& OmComment(std::ostream& out);       // "; "

// One blank, then the width of the next field, right-aligned.
std::ostream& w4(std::ostream& out);   // width 4
std::ostream& w5(std::ostream& out);   // width 5
std::ostream& w6(std::ostream& out);   // width 8
std::ostream& w8(std::ostream& out);   // width 10
std::ostream& w10(std::ostream& out);  // width 12
std::ostream& w12(std::ostream& out);  // width 16
std::ostream& w14(std::ostream& out);  // width 18
std::ostream& w16(std::ostream& out);  // width 21
std::ostream& w19(std::ostream& out);  // width 24

// The width of the next field, left-aligned; nothing is written.
std::ostream& s2(std::ostream& out);
std::ostream& s4(std::ostream& out);
std::ostream& s8(std::ostream& out);
std::ostream& s10(std::ostream& out);
std::ostream& s12(std::ostream& out);
std::ostream& s14(std::ostream& out);
std::ostream& s16(std::ostream& out);
std::ostream& s20(std::ostream& out);
std::ostream& s30(std::ostream& out);
std::ostream& s34(std::ostream& out);

// Precision of floating-point output; the float field (fixed or scientific) stays as it is.
std::ostream& p4(std::ostream& out);
std::ostream& p6(std::ostream& out);
std::ostream& p8(std::ostream& out);
std::ostream& p16(std::ostream& out);

// Alignment of the following fields.
std::ostream& left(std::ostream& out);
std::ostream& right(std::ostream& out);

}  // namespace om
