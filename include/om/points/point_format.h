// The column format of coordinate lines: column codes, unit pairs and the format table.
#pragma once

#include <om/geodesy/units.h>

#include <cstdint>
#include <iosfwd>
#include <vector>

namespace om {

// Column codes of a coordinate line. The written forms and read rules of every code are
// documented with OmPoint::Read and OmPoint::Write. Codes not listed (21 to 23, 33 to 104) are
// skipped: they use up one field of a text line and nothing else.
enum eOmPointRWMask : std::int32_t {
    OmPointRWEnd = 0,           // end of a zero-terminated format
    OmPointRWId = 1,            // id
    OmPointRWName = 2,          // name, written in double quotes
    OmPointRWIdOrName = 3,      // identifier rule: a number is the id, other text the name
    OmPointRWFlag = 4,          // flag word
    OmPointRWControl = 5,       // control flags in the 123 form
    OmPointRWControlShort = 6,  // control flags as a number
    OmPointRWPP = 7,            // name without quotes (written only)
    OmPointRWPhoto = 8,
    OmPointRWCamera = 9,
    OmPointRWX = 10,
    OmPointRWY = 11,
    OmPointRWZ = 12,
    OmPointRWDx = 13,
    OmPointRWDy = 14,
    OmPointRWDz = 15,
    OmPointRWDs = 16,  // length of (dx, dy, dz), written only
    OmPointRWRedu = 17,
    OmPointRWRedu2 = 18,
    OmPointRWRedu3 = 19,
    OmPointRWColor = 20,
    OmPointRWImageCount = 24,
    OmPointRWVx = 25,
    OmPointRWVy = 26,
    OmPointRWVz = 27,
    OmPointRWZero = 28,  // a constant 0 column
    OmPointRWResidualX = 29,
    OmPointRWResidualY = 30,
    OmPointRWResidualZ = 31,
    OmPointRWSkip = 32,  // skips one field or token when reading; not written
    OmPointRWSx = 105,
    OmPointRWSy = 106,
    OmPointRWSz = 107,
};

// The unit of a column's values in the file and the unit in which they are displayed.
struct OmUnitPair {
    eOmUnit file = static_cast<eOmUnit>(0);
    eOmUnit display = static_cast<eOmUnit>(0);
};

// An ordered list of column codes, each with a unit pair at the same index.
//
// Copies (construction, assignment, SetTable) take the columns only; their units start empty,
// so GetUnit yields 0 and GetDisplayValue the value unchanged until units are added again.
template <class E>
class TOmFormatTable {
  public:
    TOmFormatTable() = default;
    TOmFormatTable(TOmFormatTable const& other) : columns_(other.columns_) {}
    // From a zero-terminated array of codes (null: empty).
    TOmFormatTable(E const* codes) { SetTable(codes); }
    virtual ~TOmFormatTable() = default;

    TOmFormatTable& operator=(TOmFormatTable const& other) {
        SetTable(other);
        return *this;
    }
    TOmFormatTable& operator=(E const* codes) {
        SetTable(codes);
        return *this;
    }

    void SetTable(TOmFormatTable const& other) {
        if (this == &other) return;
        columns_ = other.columns_;
        units_.clear();
    }
    // Clears the table and appends every code up to the terminating 0, each with a pair of two
    // zero units.
    void SetTable(E const* codes) {
        DelTable();
        for (; codes != nullptr && *codes != E{}; ++codes) {
            columns_.push_back(*codes);
            units_.push_back(OmUnitPair{});
        }
    }
    // Removes all columns and their units.
    void DelTable() {
        columns_.clear();
        units_.clear();
    }

    // The code of the column at index i; 0 outside the table.
    E operator[](int i) const { return InRange(i, columns_.size()) ? columns_[Idx(i)] : E{}; }
    int Size() const { return static_cast<int>(columns_.size()); }
    // The index of the code's column, or -1. (The first column yields 0, which is false.)
    int HasEntry(E code) const {
        for (std::size_t i = 0; i < columns_.size(); ++i)
            if (columns_[i] == code) return static_cast<int>(i);
        return -1;
    }

    void AddUnitEntry(eOmUnit file, eOmUnit display) { units_.push_back({file, display}); }
    // Sets the display unit of the pair at index i; ignored out of range.
    void SetUnit(int i, eOmUnit display) {
        if (InRange(i, units_.size())) units_[Idx(i)].display = display;
    }
    // Sets both units of the code's pair; returns its index, or -1 when the code has no column.
    int SetUnit(E code, eOmUnit file, eOmUnit display) {
        int const i = HasEntry(code);
        if (i < 0) return -1;
        if (units_.size() <= Idx(i)) units_.resize(Idx(i) + 1);
        units_[Idx(i)] = {file, display};
        return i;
    }
    // The display unit; 0 when absent.
    eOmUnit GetUnit(int i) const {
        return InRange(i, units_.size()) ? units_[Idx(i)].display : eOmUnit{};
    }
    eOmUnit GetUnit(E code) const { return GetUnit(HasEntry(code)); }
    // The value converted from the column's file unit to its display unit; unchanged when the
    // column or its units are absent.
    double GetDisplayValue(int i, double value) const {
        if (!InRange(i, units_.size())) return value;
        ConvertUnit(&value, units_[Idx(i)].file, units_[Idx(i)].display);
        return value;
    }
    double GetDisplayValue(E code, double value) const {
        return GetDisplayValue(HasEntry(code), value);
    }

    std::vector<E> const& Columns() const { return columns_; }

  private:
    static bool InRange(int i, std::size_t n) { return i >= 0 && static_cast<std::size_t>(i) < n; }
    static std::size_t Idx(int i) { return static_cast<std::size_t>(i); }

    std::vector<E> columns_;
    std::vector<OmUnitPair> units_;
};

// Writes the header labels of the columns in order, each preceded by its field manipulator;
// codes without a label write nothing. No line end.
std::ostream& operator<<(std::ostream& out, TOmFormatTable<eOmPointRWMask> const& table);

// The header label of a code, or null when it has none.
char const* OmPointRWHeader(eOmPointRWMask code);

}  // namespace om
