// Point lists and coordinate files.
#pragma once

#include <om/core/link.h>
#include <om/core/list_header.h>
#include <om/core/string.h>
#include <om/points/point.h>
#include <om/points/point_format.h>

#include <cstdio>
#include <iosfwd>

namespace om {

class OmReaderObject;

// The notifying list of points with the column format (its mask) that Read, Write and WriteFile
// use. Ids need not be unique; every lookup by id returns the first point with that id.
//
// Coordinate files are plain text, one point per line in the columns of the mask. Reading
// appends to the list: lines that use no field or give id 0 (empty lines, header lines) are
// passed over. Lines are read whole whatever their length (up to kMaxLineLength; the rest of a
// longer line is dropped), and LF and CR-LF files read the same.
class OmPointList : public TOmListHeader<OmPoint>,
                    public TOmFormatTable<eOmPointRWMask>,
                    public LinkHdl {
  public:
    using Mask = TOmFormatTable<eOmPointRWMask>;
    using TOmListHeader<OmPoint>::Find;

    // The longest line a coordinate file may hold; longer lines keep their first part.
    static constexpr std::size_t kMaxLineLength = std::size_t{16} << 20;

    OmPointList() = default;
    explicit OmPointList(Mask const& mask);
    OmPointList(String const& file, Mask const& mask);
    OmPointList(OmPointList const& other);
    OmPointList& operator=(OmPointList const& other);
    ~OmPointList() override;

    Mask const& GetMask() const { return *this; }
    Mask& GetMask() { return *this; }
    // Copies the columns; returns the mask.
    Mask& SetMask(Mask const& mask);

    // Sets the mask to the format and appends the points of the file. Returns the list's count,
    // or 0 when the file cannot be opened. The wide name is opened as UTF-8.
    int ReadFile(char const* file, Mask const& format);
    int ReadFile(wchar_t const* file, Mask const& format);

    // Reads a point block of a project file with the mask, up to the block's "}"; returns 1.
    // Any other error is raised to the caller's reader.
    int Read(OmReaderObject* reader);

    // Every point with the mask, an Omendl between two points, nothing after the last.
    std::ostream& Write(std::ostream& out) const;

    // Creates or truncates the file and writes the list with the mask (classic locale).
    // 1 on success; 0 when the file cannot be opened, written or closed.
    int WriteFile(char const* file);
    int WriteFile(wchar_t const* file);
    int WriteFile(char const* file, Mask const& mask);
    int WriteFile(wchar_t const* file, Mask const& mask);

    // The first point with that id and, when photo is not 0, that photo number. Without start
    // the search runs from the first point; with start it runs forward from start to the end,
    // then backward from start to the first point.
    OmPoint* Find(unsigned int id, unsigned int photo, OmPoint* start = nullptr) const;
    // The first point whose name equals the text exactly.
    OmPoint* Find(String const& name) const;
    // For a list in ascending id order: the point with that id, or null as soon as a larger id
    // is met.
    OmPoint* FindInSortedList(unsigned int id) const;
    // The point nearest to p in space (the first of equal distances), its distance into
    // *distance when that is not null; null for an empty list.
    OmPoint* FindNearest(OmPoint const& p, double* distance) const;

    // True when some point has control flags.
    bool HasControlPoints() const;
    // Clears every point's control flags, then notifies a change of the whole list.
    void RemoveControlInformation();

  protected:
    int ReadFile(std::FILE* file, Mask const& format);
};

// Appends to out a copy of every point of a whose id occurs in b, in a's order; returns the
// number appended.
int FindCommonOmPointById(OmPointList const& a, OmPointList const& b, OmPointList* out);

// For every point of source whose id occurs in target, copies into the first target point of
// that id the name, flag word, dx, dy, dz, r1, r2, r3, vx, vy, vz, image count and colour (not
// the coordinates, photo, camera or control flags). Returns the number of target points updated,
// 0 for an empty source.
int MergeCooCoo2(OmPointList& target, OmPointList& source);

}  // namespace om
