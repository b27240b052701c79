// Coordinate lines: writing a point's columns and reading them back from a text line.
#include <om/points/point.h>
#include <om/points/point_id.h>
#include <om/points/strstok.h>
#include <om/textio/writer.h>

#include "number_fields.h"

#include <cmath>
#include <cstring>
#include <ostream>

namespace om {

using points_detail::FieldToDouble;
using points_detail::FieldToInt;
using points_detail::IsDigitsOnly;

namespace {

using Manipulator = std::ostream& (*)(std::ostream&);

struct Header {
    eOmPointRWMask code;
    Manipulator field;
    char const* label;
};

// Header labels, each with the manipulator written before it.
constexpr Header kHeaders[] = {
    {OmPointRWId, w8, "#"},
    {OmPointRWName, w16, "Name"},
    {OmPointRWFlag, w8, "Flag"},
    {OmPointRWControl, w4, "Code"},
    {OmPointRWControlShort, w4, "Code"},
    {OmPointRWPP, w8, "PP"},
    {OmPointRWPhoto, w8, "Photo"},
    {OmPointRWCamera, w8, "Camera"},
    {OmPointRWX, w16, "   X"},
    {OmPointRWY, w16, "   Y"},
    {OmPointRWZ, w16, "   Z"},
    {OmPointRWDx, w19, "  dx"},
    {OmPointRWDy, w19, "  dy"},
    {OmPointRWDz, w19, "  dz"},
    {OmPointRWDs, w19, "  dS"},
    {OmPointRWRedu, w19, "Redu"},
    {OmPointRWRedu2, w19, "Redu2"},
    {OmPointRWRedu3, w19, "Redu3"},
    {OmPointRWColor, w8, " Color"},
    {OmPointRWImageCount, w8, " nImo"},
    {OmPointRWVx, w16, " vx"},
    {OmPointRWVy, w16, " vy"},
    {OmPointRWVz, w16, " vz"},
    {OmPointRWResidualX, w19, "Residual x"},
    {OmPointRWResidualY, w19, "Residual y"},
    {OmPointRWResidualZ, w19, "Residual z"},
    {OmPointRWSx, w19, "  Sx"},
    {OmPointRWSy, w19, "  Sy"},
    {OmPointRWSz, w19, "  Sz"},
};

Header const* FindHeader(eOmPointRWMask code) {
    for (Header const& h : kHeaders)
        if (h.code == code) return &h;
    return nullptr;
}

// Field delimiters and quote of coordinate lines.
constexpr char kDelimiters[] = " \t;,";
constexpr char kQuote = '"';

void WriteQuoted(std::ostream& out, String const& name) {
    String quoted;
    quoted += '"';
    quoted += name;
    quoted += '"';
    out << w16 << std::left << quoted << std::right;
}

// The PP column writes the name bare, which reads back as one field and one token only when it
// is a word or a number of digits. Any other name (empty, with blanks, separators, comment
// characters or braces, or "2x", which the tokenizer rejects) is quoted, so that the columns
// after it stay in place.
bool IsBareWord(String const& name) {
    char const* s = name.chars();
    if (*s == '\0') return false;
    // ASCII only: the process locale must not decide how a file is written.
    auto const letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    auto const digit = [](char c) { return c >= '0' && c <= '9'; };
    bool const word = letter(*s);
    for (; *s != '\0'; ++s) {
        if (!(digit(*s) || (word && (letter(*s) || *s == '_')))) return false;
    }
    return true;
}

void SetFlagWord(OmFlag& flag, int value) {
    flag.ClearFlag(~0);
    flag.SetFlag(value);
}

// The identifier rule of a text field: a number other than 0 is the id; any other text is the
// name, and its id comes from GetIdFromAlphaNumericString.
void ReadIdentifier(OmPoint& p, char const* field) {
    int const n = FieldToInt(field);
    if (IsDigitsOnly(field) && n != 0) {
        p.SetId(static_cast<unsigned int>(n));
        return;
    }
    p.SetName(String(field));
    p.SetId(GetIdFromAlphaNumericString(field));
}

// Applies the text-line read rule of one column.
void ReadField(OmPoint& p, eOmPointRWMask code, char const* f) {
    switch (code) {
        case OmPointRWId:
            p.SetId(static_cast<unsigned int>(FieldToInt(f)));
            break;
        case OmPointRWName:
            p.SetName(String(f));
            break;
        case OmPointRWIdOrName:
            ReadIdentifier(p, f);
            break;
        case OmPointRWFlag:
            SetFlagWord(p, FieldToInt(f));
            break;
        case OmPointRWControl:
            p.SetAsControlFlag(f);
            break;
        case OmPointRWControlShort:
            p.control = static_cast<short>(FieldToInt(f));
            break;
        case OmPointRWPhoto:
            p.photo = static_cast<unsigned int>(FieldToInt(f));
            break;
        case OmPointRWCamera:
            p.camera = static_cast<unsigned int>(FieldToInt(f));
            break;
        case OmPointRWX:
            p.x = FieldToDouble(f);
            break;
        case OmPointRWY:
            p.y = FieldToDouble(f);
            break;
        case OmPointRWZ:
            p.z = FieldToDouble(f);
            break;
        case OmPointRWDx:
        case OmPointRWSx:
            p.dx = FieldToDouble(f);
            break;
        case OmPointRWDy:
        case OmPointRWSy:
            p.dy = FieldToDouble(f);
            break;
        case OmPointRWDz:
        case OmPointRWSz:
            p.dz = FieldToDouble(f);
            break;
        case OmPointRWRedu:
        case OmPointRWResidualX:
            p.r1 = FieldToDouble(f);
            break;
        case OmPointRWRedu2:
        case OmPointRWResidualY:
            p.r2 = FieldToDouble(f);
            break;
        case OmPointRWRedu3:
        case OmPointRWResidualZ:
            p.r3 = FieldToDouble(f);
            break;
        case OmPointRWColor:
            p.color = FieldToInt(f);
            break;
        case OmPointRWImageCount:
            p.imageCount = static_cast<short>(FieldToInt(f));
            break;
        case OmPointRWVx:
            p.vx = static_cast<float>(FieldToDouble(f));
            break;
        case OmPointRWVy:
            p.vy = static_cast<float>(FieldToDouble(f));
            break;
        case OmPointRWVz:
            p.vz = static_cast<float>(FieldToDouble(f));
            break;
        default:
            break;  // written-only, skip and unknown codes use up the field
    }
}

// Writes one column by the table of column codes.
void WriteField(std::ostream& out, OmPoint const& p, eOmPointRWMask code) {
    switch (code) {
        case OmPointRWId:
            out << w8 << p.GetId();
            break;
        case OmPointRWName:
            WriteQuoted(out, p.GetName());
            break;
        case OmPointRWIdOrName:
            // Written so that the identifier rule reads it back: the name when there is one,
            // else the id.
            if (p.GetName().empty()) {
                out << w8 << p.GetId();
            } else {
                WriteQuoted(out, p.GetName());
            }
            break;
        case OmPointRWFlag:
            out << w16 << static_cast<int>(p.GetFlag());
            break;
        case OmPointRWControl:
            out << w4 << p.GetControlFlagsAs123();
            break;
        case OmPointRWControlShort:
            out << w4 << p.control;
            break;
        case OmPointRWPP:
            if (IsBareWord(p.GetName())) {
                out << w8 << p.GetName();
            } else {
                out << w8 << (String("\"") + p.GetName() + "\"");
            }
            break;
        case OmPointRWPhoto:
            out << w8 << p.photo;
            break;
        case OmPointRWCamera:
            out << w8 << p.camera;
            break;
        case OmPointRWX:
            out << w16 << p.x;
            break;
        case OmPointRWY:
            out << w16 << p.y;
            break;
        case OmPointRWZ:
            out << w16 << p.z;
            break;
        case OmPointRWDx:
        case OmPointRWSx:
            out << w19 << p.dx;
            break;
        case OmPointRWDy:
        case OmPointRWSy:
            out << w19 << p.dy;
            break;
        case OmPointRWDz:
        case OmPointRWSz:
            out << w19 << p.dz;
            break;
        case OmPointRWDs:
            out << w19 << std::sqrt(p.dx * p.dx + p.dy * p.dy + p.dz * p.dz);
            break;
        case OmPointRWRedu:
        case OmPointRWResidualX:
            out << w19 << p.r1;
            break;
        case OmPointRWRedu2:
        case OmPointRWResidualY:
            out << w19 << p.r2;
            break;
        case OmPointRWRedu3:
        case OmPointRWResidualZ:
            out << w19 << p.r3;
            break;
        case OmPointRWColor:
            out << w16 << p.color;
            break;
        case OmPointRWImageCount:
            out << w8 << p.imageCount;
            break;
        case OmPointRWVx:
            out << w16 << p.vx;
            break;
        case OmPointRWVy:
            out << w16 << p.vy;
            break;
        case OmPointRWVz:
            out << w16 << p.vz;
            break;
        case OmPointRWZero:
            out << w6 << 0;
            break;
        default:
            break;  // skip and unknown codes write nothing
    }
}

// Drops line-end characters at the end of the text, so that a name ending a line of an LF or a
// CR-LF file reads the same.
void StripLineEnd(char* line) {
    std::size_t n = std::strlen(line);
    while (n > 0 && (line[n - 1] == '\n' || line[n - 1] == '\r')) line[--n] = '\0';
}

}  // namespace

char const* OmPointRWHeader(eOmPointRWMask code) {
    Header const* h = FindHeader(code);
    return h ? h->label : nullptr;
}

std::ostream& operator<<(std::ostream& out, TOmFormatTable<eOmPointRWMask> const& table) {
    for (int i = 0; i < table.Size(); ++i) {
        if (Header const* h = FindHeader(table[i])) out << h->field << h->label;
    }
    return out;
}

int OmPoint::Read(char* line, TOmFormatTable<eOmPointRWMask> const& format) {
    if (line == nullptr) return 0;
    StripLineEnd(line);
    OmFieldScan scan;
    char* field = OmSplitFields(scan, line, kDelimiters, kQuote);
    int used = 0;
    for (int i = 0; i < format.Size() && format[i] != OmPointRWEnd && field != nullptr; ++i) {
        ReadField(*this, format[i], field);
        ++used;
        field = OmSplitFields(scan, nullptr, kDelimiters, kQuote);
    }
    return used;
}

std::ostream& OmPoint::Write(std::ostream& out,
                             TOmFormatTable<eOmPointRWMask> const& format) const {
    out << p16;
    for (int i = 0; i < format.Size() && format[i] != OmPointRWEnd; ++i)
        WriteField(out, *this, format[i]);
    return out;
}

}  // namespace om
