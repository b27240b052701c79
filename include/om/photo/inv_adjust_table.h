// Inverse of a camera's distortion correction as a lookup grid.
//
// A camera's Adjust (measured -> corrected image coordinates) has a closed form or a cheap
// iteration, but its inverse is needed for every projected point of every photo. The table
// samples Adjust once on a regular 781 x 781 grid of measured coordinates spanning
// [-R, R] x [-R, R]; the inverse of a corrected point is then found by locating the grid cell
// whose adjusted corners enclose it and interpolating the cell's fractional index on each axis.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include <om/numerics/matrix.h>

namespace om {

// Every camera value that changes Adjust or the extent of its table. Two cameras with equal keys
// share a table, so a camera whose distortion changed under an unchanged identifier and camera
// constant gets a table of its own instead of a stale one.
struct OmInvAdjustKey {
    unsigned id = 0;
    unsigned mode = 0;
    // c, xh, yh, a1, a2, r0, xhViva, yhViva, a3, c1, c2, b1, b2, rm
    std::array<double, 14> values{};

    // Compares the bit patterns, so a key holding NaN still finds its own table again.
    bool operator==(const OmInvAdjustKey& other) const;
};

class OmInvAdjustTable {
  public:
    static constexpr int kNodes = 781;  // nodes per axis, indices 0..780
    static constexpr int kCells = kNodes - 1;
    static constexpr int kCentre = kCells / 2;  // node index of the image origin

    // The measured -> corrected mapping that is sampled. It must be safe to call concurrently.
    using AdjustFunction = std::function<bool(double* x, double* y)>;

    // halfWidth R: the grid spans -R..R in measured coordinates. A table whose R is not a positive
    // finite number holds no nodes and finds nothing.
    OmInvAdjustTable(const OmInvAdjustKey& key, double halfWidth);

    // Samples adjust at every node. Rows (fixed x index) are shared out over all processors;
    // each row is written by exactly one thread. threads <= 0 means one per processor.
    void Fill(const AdjustFunction& adjust, int threads = 0);

    // Corrected -> measured: true and (x, y) replaced when the point lies inside the table
    // (strictly within -R..R on both axes); false with (x, y) unchanged otherwise.
    bool Lookup(double* x, double* y) const;
    // The same lookup with the bisection always started from the whole grid; Lookup resumes it
    // from a precomputed state and must give bit for bit the same result.
    bool LookupBySearch(double* x, double* y) const;

    const OmInvAdjustKey& Key() const { return key_; }
    double HalfWidth() const { return halfWidth_; }
    bool IsEmpty() const { return nodes_.empty(); }

    // Node (i, j) after the fill: the adjusted image of grid point (i, j).
    double NodeX(int i, int j) const { return nodes_[Index(i, j)]; }
    double NodeY(int i, int j) const { return nodes_[Index(i, j) + 1]; }

    // The 3x3 matrix M that maps fractional node indices (u, v, 1) to measured image
    // coordinates: M = diag(s, s, 1) * translation(-390, -390), s = 2 R / 780.
    const OmMatrix& IndexToImage() const { return m_; }

  private:
    static std::size_t Index(int i, int j) {
        return 2 * (static_cast<std::size_t>(i) * kNodes + static_cast<std::size_t>(j));
    }
    bool InsideX(double x, int i, int j) const { return x >= NodeX(i - 1, j) && x <= NodeX(i, j); }
    bool InsideY(double y, int i, int j) const { return y >= NodeY(i, j - 1) && y <= NodeY(i, j); }
    // Index ranges of a bisection in progress.
    struct BisectionState {
        std::uint16_t loI = 1, hiI = kCells, loJ = 1, hiJ = kCells;
    };
    // Start of the bisection for the points of one rectangle of corrected coordinates: the state
    // up to which all of them take the same branches, or (done) the cell they all end in.
    struct Hint {
        BisectionState state;
        std::uint16_t i = 1, j = 1;
        bool done = false;
    };
    // The hints form a kHints x kHints grid over [-R, R]^2 (cells of about three table cells),
    // so that a lookup skips the first, always equal, steps of its bisection.
    static constexpr int kHints = 256;

    bool Find(double* x, double* y, bool useHints) const;
    void LocateCell(double x, double y, const Hint* hint, int* i, int* j) const;
    void Bisect(double x, double y, BisectionState s, int* i, int* j) const;
    void Prefetch(const BisectionState& s, int i, int j) const;
    Hint HintFor(double x0, double x1, double y0, double y1) const;
    const Hint* HintAt(double x, double y) const;
    void FillHints(int threads);

    OmInvAdjustKey key_;
    double halfWidth_ = 0.0;
    OmMatrix m_{3, 3};
    std::vector<double> nodes_;  // (x, y) pairs, row i = nodes with x index i
    std::vector<Hint> hints_;    // empty until filled
};

}  // namespace om
