// The point record: measured image points, object points, control points and the results of
// transformations and adjustments all are OmPoints, kept in OmPointLists.
#pragma once

#include <om/core/flag.h>
#include <om/core/listnode.h>
#include <om/core/string.h>
#include <om/points/point_format.h>

#include <cstdint>
#include <iosfwd>

namespace om {

class OmReaderObject;
class OmVector;

// Bit values of the control flags.
enum : short {
    OmControlX = 1,
    OmControlY = 2,
    OmControlZ = 4,
};

// A point: id (the point number) and name from the node, a flag word, the photo and camera it
// belongs to, control flags, coordinates, deviations, residuals, a direction vector, an image
// count and a colour. The fields are public, as the point is the library's plain currency; the
// accessors are for callers that prefer them.
//
// One coordinate line holds one point; its columns are chosen by a TOmFormatTable (see Read and
// Write for the rule of every column code).
class OmPoint : public OmListnode, public OmFlag {
  public:
    OmPoint();
    OmPoint(unsigned int id, double x, double y, double z, short control);
    OmPoint(OmPoint const& other);
    // Reads one point from the reader's token stream (see Read).
    OmPoint(OmReaderObject* reader, TOmFormatTable<eOmPointRWMask> const& format);
    ~OmPoint() override;

    // Copies every field except the list links.
    OmPoint& operator=(OmPoint const& other);
    // Sets every field to 0 except id, name and flag word.
    void init();

    // Own key minus the other's key, the key being photo + id: a sorted list is in ascending
    // order of photo number plus point number.
    using OmListnode::Compare;
    virtual int Compare(OmListnode* other) const;

    // Exact equality of x, y and z; nothing else is compared.
    bool operator==(OmPoint const& other) const;

    // Copies of this point with x, y, z and dx, dy, dz summed, subtracted, or averaged (%).
    OmPoint operator+(OmPoint const& other) const;
    OmPoint operator-(OmPoint const& other) const;
    OmPoint operator%(OmPoint const& other) const;
    // Copies with x, y, z scaled.
    OmPoint operator*(double f) const;
    OmPoint operator/(double f) const;

    double Distance(OmPoint const& other) const;
    double DistanceSq(OmPoint const& other) const;
    // 0.0 for a null point.
    double Distance(OmPoint const* other) const;
    double DistanceSq(OmPoint const* other) const;

    // The coordinates as a 3-vector.
    OmVector GetAsVector() const;

    // Control flags.
    short IsXControlPoint() const { return control & OmControlX; }
    short IsYControlPoint() const { return control & OmControlY; }
    short IsZControlPoint() const { return control & OmControlZ; }
    short GetControlFlags() const { return control; }
    void SetControlFlags(short flags) { control = flags; }
    // The codes of the control flags: XYZ form ("X Z") and 123 form (" 13").
    char const* GetControlFlagsAsXYZ() const { return GetControlCodeAsXYZ(control); }
    char const* GetControlFlagsAs123() const { return GetControlCodeAs123(control); }
    // The codes for any value; only its low three bits count.
    static char const* GetControlCodeAsXYZ(int flags);
    static char const* GetControlCodeAs123(int flags);
    // Replaces the flags by the ones its decimal digits name (1 X, 2 Y, 3 Z, others nothing);
    // returns the new flags. A negative value is read by its digits too.
    short SetAsControlFlag(int digits);
    // The same for the characters of a text: '1', 'X', 'x' set X; '2', 'Y', 'y' Y; '3', 'Z', 'z'
    // Z. Null text clears the flags.
    short SetAsControlFlag(char const* text);

    // Walking the points whose flag word has any bit of mask: this point or the next such one;
    // the next; the previous. Null when there is none.
    OmPoint* First(int mask);
    OmPoint* Next(int mask) const;
    OmPoint* Previous(int mask) const;
    OmPoint* Next() const { return static_cast<OmPoint*>(OmListnode::Next()); }
    OmPoint* Previous() const { return static_cast<OmPoint*>(OmListnode::Previous()); }

    // Reads one point from the token stream of the reader's parser, column by column, each
    // column taking its token and advancing by one (a set skip-next-parse flag is cleared
    // instead of parsing). A token of the wrong kind raises the parser's status exception.
    // Returns 1.
    int Read(OmReaderObject* reader, TOmFormatTable<eOmPointRWMask> const& format);
    // Reads one point from a writable text line (fields split at blank, tab, ';' and ',', '"'
    // quoting a field; line-end characters at the end of the line are dropped first). Returns
    // the number of fields used, 0 when the line holds none. Missing trailing fields leave their
    // members unchanged; non-numeric text in a numeric column yields 0.
    int Read(char* line, TOmFormatTable<eOmPointRWMask> const& format);
    // Writes the point's columns with precision 16, without a line end.
    std::ostream& Write(std::ostream& out, TOmFormatTable<eOmPointRWMask> const& format) const;

    // Writes "[prefix: ]id-name XYZ x y z  dx dy dz " to the debug output.
    void DbgPrintf(char const* prefix = nullptr) const;

    // Accessors of the plain fields.
    unsigned int GetPhoto() const { return photo; }
    void SetPhoto(unsigned int id) { photo = id; }
    unsigned int GetCamera() const { return camera; }
    void SetCamera(unsigned int id) { camera = id; }
    double GetX() const { return x; }
    double GetY() const { return y; }
    double GetZ() const { return z; }
    void SetX(double v) { x = v; }
    void SetY(double v) { y = v; }
    void SetZ(double v) { z = v; }
    void Set(double xv, double yv, double zv) { x = xv, y = yv, z = zv; }
    short GetImageCount() const { return imageCount; }
    void SetImageCount(short n) { imageCount = n; }
    int GetColor() const { return color; }
    void SetColor(int c) { color = c; }

    unsigned int photo = 0;        // number of the photo the point belongs to, 0 when none
    unsigned int camera = 0;       // camera number
    short control = 0;             // control flags (OmControlX | OmControlY | OmControlZ)
    std::uint64_t reserved64 = 0;  // kept and copied; nothing reads it
    double x = 0, y = 0, z = 0;
    double dx = 0, dy = 0, dz = 0;  // deviations, also called standard deviations Sx, Sy, Sz
    double r1 = 0, r2 = 0, r3 = 0;  // residuals or reductions
    float vx = 0, vy = 0, vz = 0;   // a direction vector
    std::uint16_t reserved16 = 0;   // kept and copied; nothing reads it
    short imageCount = 0;           // number of images the point was measured in
    int color = 0;

  private:
    void CopyFields(OmPoint const& other);
};

// A point read and written with the fixed format of x and y (codes 10, 11).
class OmPosition : public OmPoint {
  public:
    OmPosition() = default;
    OmPosition(double x, double y);

    int Read(OmReaderObject* reader);
    std::ostream& Write(std::ostream& out) const;

    // The format of x and y.
    static TOmFormatTable<eOmPointRWMask> const& Format();
};

}  // namespace om
