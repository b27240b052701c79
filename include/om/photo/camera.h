// Interior orientation of a photo: camera constant, principal point and lens distortion.
//
// Image coordinates are millimetres in the photo's image system. Adjust turns measured image
// coordinates into corrected ones, reduced to the principal point; InvAdjust goes back through a
// process-wide lookup table (see inv_adjust_table.h). Four distortion models are known:
//
//   mode 0 "Omri"    radial a1, a2 about (xh, yh), reduced to (xh, yh)
//   mode 1 "Viva"    radial a1, a2 about (xh, yh), reduced to (xhViva, yhViva)
//   mode 2 "CAP"     radial a1, a2, a3, tangential c1, c2, affine b1, b2; solved by iteration
//   mode 3 "Pinhole" no correction
//
// Radial coefficients are relative: a point at reduced position p is displaced by p * dr(|p|),
// dr(r) = a1 (r^2 - r0^2) + a2 (r^4 - r0^4) [+ a3 (r^6 - r0^6)], which vanishes at the balancing
// radius r0. Units: a1 in mm^-2, a2 in mm^-4, a3 in mm^-6.
#pragma once

#include <iosfwd>

#include <om/core/flag.h>
#include <om/core/listnode.h>
#include <om/core/string.h>
#include <om/photo/inv_adjust_table.h>

namespace om {

class OmReaderObject;
class OmPoint;
class OmPointList;

// Figures of the Adjust -> InvAdjust self-test (DbgTestInvAdjust), in millimetres.
struct OmInvAdjustTestResult {
    double maxDiffX = 0.0;  // over all points, as printed ("Max Diff")
    double maxDiffY = 0.0;
    double maxFoundDiffX = 0.0;  // over the points InvAdjust found in its table
    double maxFoundDiffY = 0.0;
    int points = 0;    // grid points visited
    int notFound = 0;  // points whose InvAdjust reported failure (their difference still counts)
};

class OmCamera : public OmListnode, public OmFlag {
  public:
    static constexpr unsigned kModeOmri = 0;
    static constexpr unsigned kModeViva = 1;
    static constexpr unsigned kModeCap = 2;
    static constexpr unsigned kModePinhole = 3;

    // Mode 0; every field not given, rm included, is 0.
    OmCamera(unsigned id = 0, double c = 0.0, double xh = 0.0, double yh = 0.0, double a1 = 0.0,
             double a2 = 0.0, double r0 = 0.0, const char* name = nullptr);
    // Starts cleared (mode 0, rm 0), then reads a keyword block (full) or a simple line.
    OmCamera(OmReaderObject* reader, bool full);
    // Copies identifier, name and every parameter; the InvAdjust cache starts empty.
    OmCamera(const OmCamera& other);
    OmCamera& operator=(const OmCamera& other);
    OmCamera& Set(const OmCamera& other) { return *this = other; }
    ~OmCamera() override = default;

    // Identifier not 0 and camera constant not 0.
    bool IsValid() const { return GetId() != 0 && c_ != 0.0; }

    // --- distortion functions (x, y reduced image coordinates in mm) ---
    double Calc_r(const double& x, const double& y) const;
    // a1 (r^2 - r0^2) + a2 (r^4 - r0^4); exactly 0 at r == 0.
    double CalcdrA1A2(const double& r) const;
    double CalcdrA1A2(const double& x, const double& y) const;
    // As CalcdrA1A2 plus a3 (r^6 - r0^6); exactly 0 at r == 0.
    double CalcdrA1A2A3(const double& r) const;
    double CalcdrA1A2A3(const double& x, const double& y) const;
    // a1 (r^2 - r0^2) + a2 (r^4 - r0^4) without the special case at the origin.
    double Calcd(double x, double y) const;
    // Decentring distortion: dx = c1 (2x^2 + r^2) + 2 c2 x y, dy = c2 (2y^2 + r^2) + 2 c1 x y.
    void CalcTanDistort(double& dx, double& dy, const double& x, const double& y,
                        const double& r) const;
    // Affine term b1 x + b2 y (applied along the radial direction by the CAP model).
    double CalcdrAffin(const double& x, const double& y) const;
    // Distortion value for plotting: relative radial value in modes 0 and 1, the signed length
    // of the correction in mode 2, 0 otherwise.
    double Calc_drForGraph(const double& x, const double& y) const;
    // |(xhViva, yhViva)| + |(xh, yh)|.
    double GetXhYhRadius() const;

    // --- correction ---
    // Measured -> corrected, reduced to the principal point. False (unchanged) for identifier 0,
    // the pinhole mode and unknown modes.
    bool Adjust(double* x, double* y) const;
    // Corrected -> measured through the inverse table. False (unchanged) for identifier 0 and for
    // points outside the table; the pinhole mode returns true unchanged.
    bool InvAdjust(double* x, double* y);
    bool Adjust(OmPoint* p) const;
    bool InvAdjust(OmPoint* p);
    // Every point in list order; false only for a null list.
    bool Adjust(OmPointList* list) const;
    bool InvAdjust(OmPointList* list);
    // Frees every inverse table of every camera.
    static void DeleteInvAdjustTables();

    // --- settings ---
    // Viva model: the given c becomes the camera constant and the previous one cViva; the given
    // principal point also becomes the Viva reduction point; rm 8 mm.
    void SetTs15(double c, double xh, double yh);
    void SetPinholeCamera() { mode_ = kModePinhole; }
    bool IsTs15() const { return mode_ == kModeViva; }
    bool IsOldOmri() const { return mode_ == kModeOmri; }
    bool IsPinholeCamera() const { return mode_ == kModePinhole; }

    // --- debug ---
    void DbgPrintf(const char* title) const;
    // Runs Adjust then InvAdjust over a 0.5 mm grid of [-range, range)^2 (range = rm unless rm is
    // 0), prints every point and the largest differences, and returns the figures.
    OmInvAdjustTestResult DbgTestInvAdjust(double range);

    // --- files ---
    int Read(OmReaderObject* reader);
    int ReadFullData(OmReaderObject* reader);
    // The simple line read back by Read: id, c, xh, yh, a1, a2, r0, "name".
    std::ostream& Write(std::ostream& out) const;
    // The keyword values read back by ReadFullData; each keyword on its own line when
    // multiline is true, else all on one line.
    std::ostream& WriteFullData(std::ostream& out, bool multiline) const;
    // The keywords that describe a Viva camera, on one line.
    std::ostream& WriteTS15Data(std::ostream& out) const;
    // The bundle-program line: id, |c|, xh, yh, a1, a2, r0 (mode 2 writes 0 for the last five).
    std::ostream& WriteKavroFormat(std::ostream& out) const;

    // --- fields ---
    double GetC() const { return c_; }
    void SetC(double v) { c_ = v; }
    double GetXh() const { return xh_; }
    void SetXh(double v) { xh_ = v; }
    double GetYh() const { return yh_; }
    void SetYh(double v) { yh_ = v; }
    double GetA1() const { return a1_; }
    void SetA1(double v) { a1_ = v; }
    double GetA2() const { return a2_; }
    void SetA2(double v) { a2_ = v; }
    double GetR0() const { return r0_; }
    void SetR0(double v) { r0_ = v; }
    double GetCViva() const { return cViva_; }
    void SetCViva(double v) { cViva_ = v; }
    double GetXhViva() const { return xhViva_; }
    void SetXhViva(double v) { xhViva_ = v; }
    double GetYhViva() const { return yhViva_; }
    void SetYhViva(double v) { yhViva_ = v; }
    double GetA3() const { return a3_; }
    void SetA3(double v) { a3_ = v; }
    double GetC1() const { return c1_; }
    void SetC1(double v) { c1_ = v; }
    double GetC2() const { return c2_; }
    void SetC2(double v) { c2_ = v; }
    double GetB1() const { return b1_; }
    void SetB1(double v) { b1_ = v; }
    double GetB2() const { return b2_; }
    void SetB2(double v) { b2_ = v; }
    double GetRm() const { return rm_; }
    void SetRm(double v) { rm_ = v; }
    unsigned GetMode() const { return mode_; }
    void SetMode(unsigned v) { mode_ = v; }

    // The last successful table lookup: its input and result. False when there was none since
    // construction, assignment or reading.
    bool GetLastInvAdjust(double* inX, double* inY, double* outX, double* outY) const;

  protected:
    // Radial correction vector (modes 0, 1): (dx, dy) = -(x, y) * CalcdrA1A2(x, y).
    void CalcDistortA1A2(double& dx, double& dy, const double& x, const double& y) const;
    // CAP correction vector at (x, y); returns its squared length.
    double CalcDistortA1A2A3B1B2C1C2(double& dx, double& dy, const double& x,
                                     const double& y) const;

  private:
    void ClearParameters();
    void ClearCache();
    void CopyParameters(const OmCamera& other);
    bool AdjustCap(double* x, double* y) const;
    bool InvAdjustByIteration(double* x, double* y) const;
    double TableHalfWidth() const;
    OmInvAdjustKey InvAdjustKey() const;

    double c_ = 0.0;
    double xh_ = 0.0;
    double yh_ = 0.0;
    double a1_ = 0.0;
    double a2_ = 0.0;
    double r0_ = 0.0;
    double cViva_ = 0.0;
    double xhViva_ = 0.0;
    double yhViva_ = 0.0;
    double a3_ = 0.0;
    double c1_ = 0.0;
    double c2_ = 0.0;
    double b1_ = 0.0;
    double b2_ = 0.0;
    double rm_ = 0.0;
    unsigned mode_ = kModeOmri;
    bool hasLast_ = false;
    double lastIn_[2] = {0.0, 0.0};
    double lastOut_[2] = {0.0, 0.0};
    OmInvAdjustKey lastKey_;  // the parameters that produced lastOut
};

}  // namespace om
