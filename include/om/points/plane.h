// Object planes of a project and plane files.
#pragma once

#include <iosfwd>

#include <om/core/flag.h>
#include <om/core/link.h>
#include <om/core/list_header.h>
#include <om/core/listnode.h>
#include <om/core/string.h>
#include <om/numerics/vector.h>

namespace om {

class OmObject;
class OmPoint;
class OmReaderObject;

// Bits of a plane's flag word.
enum eOmPlaneFlag : int {
    kOmPlaneFlagGuiSelect = 1,  // selected in the front end
    kOmPlaneFlagActive = 2,     // active (checked) in the front end
};

// The plane A x + B y + C z + D = 0 with an id, a name and a flag word. The normal (A, B, C)
// need not have unit length; a plane whose normal is (0, 0, 0) is not valid.
//
// Text form (project block and plane file): `{ id "name" A B C D }`.
class OmPlane : public OmListnode, public OmFlag {
  public:
    OmPlane();
    OmPlane(unsigned id, const String& name, double a, double b, double c, double d);
    // Reads id, name, A, B, C, D from the reader's token stream (see Read).
    explicit OmPlane(OmReaderObject* reader);
    OmPlane(const OmPlane& other);
    // Copies id, name, flag word, normal and D (never the list links).
    OmPlane& operator=(const OmPlane& other);
    ~OmPlane() override;

    double& A() { return normal_[1]; }
    double& B() { return normal_[2]; }
    double& C() { return normal_[3]; }
    double& D() { return d_; }
    double A() const { return normal_[1]; }
    double B() const { return normal_[2]; }
    double C() const { return normal_[3]; }
    double D() const { return d_; }
    // Copies as many normal components as `normal` has (at most 3), and D.
    void Get(OmVector* normal, double* d) const;
    void Get(double* a, double* b, double* c, double* d) const;
    OmVector GetNorm() const { return normal_; }

    bool IsValid() const { return A() != 0.0 || B() != 0.0 || C() != 0.0; }
    bool IsActive() const { return IsFlagSet(kOmPlaneFlagActive) != 0; }
    void SetActive(bool on);

    // Signed distance (A x + B y + C z + D) / |normal| (not finite for an invalid plane).
    double Dist(double x, double y, double z) const;
    double Dist(const OmPoint& p) const;
    // A x + B y + C z + D: the distance for a unit normal, without the division.
    double FastDist(double x, double y, double z) const {
        return A() * x + B() * y + C() * z + D();
    }
    double FastDist(const OmPoint& p) const;
    // out's coordinates become p's minus Dist(p) times the normal (the foot of the perpendicular
    // for a unit normal); out's other fields stay. False for an invalid plane or a null out.
    bool ProjectPoint(OmPoint* out, const OmPoint& p) const;
    // Negates A, B, C and D: the same plane with the opposite orientation.
    void MirrorNormal();

    // A point of the plane on a coordinate axis: on the axis of the largest normal component
    // (x on ties with y or z only when x is strictly largest, else y when y is strictly largest,
    // else z). When that component is 0 the axis of the largest magnitude is used instead, so no
    // division by zero occurs; an invalid plane gives (0, 0, 0).
    OmVector CalcPlaneVectorForSip() const;
    // Angle between the normals in [0, pi], after normalising both.
    double CalcAngle(const OmPlane& other) const;
    // Angle at most kOmPlaneAngleTolerance; opposite normals are not parallel.
    bool IsParallel(const OmPlane& other) const;
    // Angle at least pi/4 minus the tolerance (a deliberately wide notion of "normal").
    bool IsNormal(const OmPlane& other) const;
    // For parallel planes this plane's D minus the other's (a distance for unit normals); 0 else.
    double Dist(const OmPlane& other) const;
    // The intersection line: `direction` becomes the unit cross product of the two normals and
    // `point` its point in z = 0 (or, for a line parallel to z = 0, in x = 0 or y = 0). False
    // for parallel or opposite planes, which leave both outputs untouched.
    bool CalcIntersection(OmVector& point, OmVector& direction, const OmPlane& other) const;

    // Reads id and name, then A, B, C and D as numbers, advancing after each; returns 1. The id is
    // taken as unsigned 32-bit in full. A value that is not a number, or that is not finite (an
    // overflowing 1e999), raises the reader's status exception.
    int Read(OmReaderObject* reader);
    // id and name, then A, B, C, D with 16 digits; no line end.
    std::ostream& Write(std::ostream& out) const;

    // Flag-filtered walking: this plane or the next/previous one whose flag word has any bit of
    // `mask`; null when there is none.
    OmPlane* First(int mask);
    OmPlane* Next(int mask) const;
    OmPlane* Previous(int mask) const;
    OmPlane* Next() const { return static_cast<OmPlane*>(OmListnode::Next()); }
    OmPlane* Previous() const { return static_cast<OmPlane*>(OmListnode::Previous()); }

  private:
    OmVector normal_;
    double d_ = 0.0;
};

// Tolerance of IsParallel and IsNormal: 4e-7 as the plane records have always stored it.
inline constexpr double kOmPlaneAngleTolerance = 4.0000000001150227e-7;

// Predicates for OmTestFilter on the OmObject part of a plane: flag word AND 1, respectively
// AND 2.
unsigned IsPlaneFlagGuiSelect(const OmObject* object);
unsigned IsPlaneFlagGuiCheckActive(const OmObject* object);

// The planes of a project; reads plane files (a sequence of `{ id "name" A B C D }` groups).
class OmPlaneList : public TOmListHeader<OmPlane>, public LinkHdl {
  public:
    OmPlaneList() = default;
    OmPlaneList(const OmPlaneList& other) = default;
    // Reads the file (see ReadFile).
    explicit OmPlaneList(const String& fileName);
    OmPlaneList& operator=(const OmPlaneList& other) = default;
    ~OmPlaneList() override = default;

    // Appends the planes of the file (the list is not cleared first). Returns 1 when the whole
    // file was read; 0 when it could not be opened or a group was malformed or truncated. The
    // groups before a bad one stay appended; reading stops at the bad one.
    int ReadFile(const String& fileName);
    // Catch-all handler of a plane file: the current token must be `{`; reads one plane, which
    // must be followed by `}`, and appends it. Returns 1.
    int Read50Plane(OmReaderObject* reader);
    // Reads one plane from the token stream and appends it.
    OmPlane* AddPlane(OmReaderObject* reader);
    // Writes every plane as one `{ ... }` group per line, readable by ReadFile.
    bool WriteFile(const String& fileName) const;

    int CountActivePlanes() const;
    OmPlane* GetActivePlane() const;

  private:
    long Read50PlaneLink(void* reader);

    int badGroups_ = 0;  // groups of the file being read that failed inside their braces
};

}  // namespace om
