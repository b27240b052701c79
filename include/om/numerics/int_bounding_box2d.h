// Axis-parallel planar bounding box in integers (pixel regions).
#pragma once

namespace om {

// Integer twin of OmBoundingBox2d. Empty: min = 2147483647, max = -2147483648. Sizes and
// adjustments are computed in 64 bits and saturated to the int range, so an empty box or a
// huge one never overflows.
class OmIntBoundingBox2d {
  public:
    OmIntBoundingBox2d() { Reset(); }
    // Sorts each pair into min and max.
    OmIntBoundingBox2d(int x1, int y1, int x2, int y2);

    void Reset();
    // False while any bound still holds its empty-box sentinel.
    bool IsValid() const;
    void Update(int x, int y);
    // Adds the amounts to xmin, xmax, ymin, ymax; an empty box stays empty.
    void Adjust(int dxmin, int dxmax, int dymin, int dymax);

    int Xmin() const { return xmin_; }
    int Ymin() const { return ymin_; }
    int Xmax() const { return xmax_; }
    int Ymax() const { return ymax_; }
    // max - min, without +1.
    int GetWidth() const;
    int GetXSize() const { return GetWidth(); }
    int GetHeight() const;
    int GetYSize() const { return GetHeight(); }

    bool Overlap(int x, int y, bool inclusive) const;
    // Compared in double precision.
    bool Overlap(const OmIntBoundingBox2d& other, bool inclusive) const;

    // Debug hook: formats the title only; emits nothing.
    void DbgPrintf(const char* title) const;

  private:
    int xmin_, ymin_, xmax_, ymax_;
};

}  // namespace om
