// Bounding box aligned to an arbitrary spatial system.
#pragma once

#include <om/numerics/affin_map3d.h>
#include <om/numerics/bounding_box3d.h>
#include <om/numerics/point3d.h>

namespace om {

// An axis-aligned box in the system of a map (world to box); points are mapped in before they
// extend or are tested, and corners are mapped back out.
class OmAlignedBoundingBox3d {
  public:
    OmAlignedBoundingBox3d() = default;
    explicit OmAlignedBoundingBox3d(const OmAffinMap3d& worldToBox) { SetMap(worldToBox); }

    // Stores the map and its inverse and empties the box. A singular map keeps the identity as
    // its inverse and returns false.
    bool SetMap(const OmAffinMap3d& worldToBox);
    void Update(const OmPoint3d& p) { box_.Update(map_ * p); }
    bool IsInBox(const OmPoint3d& p) const { return box_.IsInBox(map_ * p); }
    // Corner i in world coordinates: 0..3 at zmin, 4..7 at zmax, each in the order (xmin, ymin),
    // (xmax, ymin), (xmax, ymax), (xmin, ymax); any other i gives the image of the box origin.
    OmPoint3d GetPoint(int i) const;

    double GetWidth() const { return box_.GetWidth(); }
    double GetXSize() const { return box_.GetXSize(); }
    double GetHeight() const { return box_.GetHeight(); }
    double GetYSize() const { return box_.GetYSize(); }
    double GetDepth() const { return box_.GetDepth(); }
    double GetZSize() const { return box_.GetZSize(); }
    const OmBoundingBox3d& Box() const { return box_; }
    const OmAffinMap3d& Map() const { return map_; }
    const OmAffinMap3d& InverseMap() const { return inverse_; }

  private:
    OmBoundingBox3d box_;
    OmAffinMap3d map_;
    OmAffinMap3d inverse_;
};

}  // namespace om
