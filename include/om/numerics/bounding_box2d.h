// Axis-parallel planar bounding box in floating point.
#pragma once

namespace om {

// An empty box holds the sentinels min = largest finite double, max = its negative, so that the
// first Update sets all four bounds.
class OmBoundingBox2d {
  public:
    OmBoundingBox2d() { Init(); }
    // Sorts each pair into min and max.
    OmBoundingBox2d(double x1, double y1, double x2, double y2);

    void Init();
    // False while any bound still holds its empty-box sentinel.
    bool IsValid() const;
    void Update(double x, double y);
    // Adds the amounts to xmin, xmax, ymin, ymax. An empty box stays empty: adding to its
    // sentinels would turn it into a "valid" box with min > max.
    void Adjust(double dxmin, double dxmax, double dymin, double dymax);

    double Xmin() const { return xmin_; }
    double Ymin() const { return ymin_; }
    double Xmax() const { return xmax_; }
    double Ymax() const { return ymax_; }
    double GetWidth() const { return xmax_ - xmin_; }
    double GetXSize() const { return GetWidth(); }
    double GetHeight() const { return ymax_ - ymin_; }
    double GetYSize() const { return GetHeight(); }

    // Point test; with `inclusive` the border counts as inside.
    bool Overlap(double x, double y, bool inclusive) const;
    // True when the boxes overlap on both axes; with `inclusive` touching borders count.
    bool Overlap(const OmBoundingBox2d& other, bool inclusive) const;

    // Debug hook: formats the title only; emits nothing.
    void DbgPrintf(const char* title) const;

  private:
    double xmin_, ymin_, xmax_, ymax_;
};

// The one-axis interval rule shared by the planar and spatial boxes: with lo the interval whose
// minimum is the smaller (the first on a tie) and hi the other, they overlap when lo's maximum
// reaches hi's minimum (inclusive) or passes it (not inclusive).
bool OmIntervalsOverlap(double min1, double max1, double min2, double max2, bool inclusive);

}  // namespace om
