#include <om/photo/inv_adjust_table.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include <omp.h>

namespace om {

bool OmInvAdjustKey::operator==(const OmInvAdjustKey& other) const {
    if (id != other.id || mode != other.mode) return false;
    for (std::size_t k = 0; k < values.size(); ++k) {
        if (std::bit_cast<std::uint64_t>(values[k]) !=
            std::bit_cast<std::uint64_t>(other.values[k]))
            return false;
    }
    return true;
}

namespace {

int ClampCell(int k) {
    return std::clamp(k, 1, OmInvAdjustTable::kCells);
}

}  // namespace

OmInvAdjustTable::OmInvAdjustTable(const OmInvAdjustKey& key, double halfWidth) : key_(key) {
    if (!(halfWidth > 0.0) || !std::isfinite(halfWidth)) return;
    halfWidth_ = halfWidth;
    const double s = 2.0 * halfWidth / kCells;
    const double m[9] = {s,   0.0, -kCentre * s,  //
                         0.0, s,   -kCentre * s,  //
                         0.0, 0.0, 1.0};
    m_.Set(m, 3, 3);
    nodes_.assign(2 * static_cast<std::size_t>(kNodes) * kNodes, 0.0);
}

void OmInvAdjustTable::Fill(const AdjustFunction& adjust, int threads) {
    if (nodes_.empty()) return;
    if (threads <= 0) threads = omp_get_num_procs();
        // Static schedule over rows: every row i is written by one thread only, and no two threads
        // touch the same node.
#pragma omp parallel for schedule(static) num_threads(threads)
    for (int i = 0; i < kNodes; ++i) {
        for (int j = 0; j < kNodes; ++j) {
            double x = i;
            double y = j;
            m_.PTrans2D(&x, &y);  // affine: w is 1
            adjust(&x, &y);
            nodes_[Index(i, j)] = x;
            nodes_[Index(i, j) + 1] = y;
        }
    }
    FillHints(threads);
}

// Each bisection step reads nodes at the next midpoints, which lie far apart in the 10 MB table;
// requesting all four candidates ahead lets their memory loads overlap with this step.
void OmInvAdjustTable::Prefetch(const BisectionState& s, int i, int j) const {
    const int nextI[2] = {ClampCell((s.loI + i - 1) / 2), ClampCell((i + 1 + s.hiI) / 2)};
    const int nextJ[2] = {ClampCell((s.loJ + j - 1) / 2), ClampCell((j + 1 + s.hiJ) / 2)};
    for (int a : nextI) {
        for (int b : nextJ) {
            __builtin_prefetch(&nodes_[Index(a - 1, b)]);
            __builtin_prefetch(&nodes_[Index(a, b - 1)]);
        }
    }
}

// Bisection on both axes at once, from the given state: each step halves the index range of an
// axis whose cell bounds the point lies outside; an axis inside its bounds is settled (and becomes
// unsettled again when the other axis moves the cell). Ends when both axes are settled or a range
// is empty; (i, j) is the cell of the last step.
void OmInvAdjustTable::Bisect(double x, double y, BisectionState s, int* pi, int* pj) const {
    int i = 1, j = 1;
    while (s.loI <= s.hiI && s.loJ <= s.hiJ) {
        i = ClampCell((s.loI + s.hiI) / 2);
        j = ClampCell((s.loJ + s.hiJ) / 2);
        Prefetch(s, i, j);
        bool settledX = false, settledY = false;
        if (x < NodeX(i - 1, j))
            s.hiI = i - 1;
        else if (x > NodeX(i, j))
            s.loI = i + 1;
        else
            settledX = true;
        if (y < NodeY(i, j - 1))
            s.hiJ = j - 1;
        else if (y > NodeY(i, j))
            s.loJ = j + 1;
        else
            settledY = true;
        if (settledX && settledY) break;
    }
    *pi = i;
    *pj = j;
}

namespace {

// How one bisection comparison turns out for every value in [lo, hi]: the step tests
// v < lower first, then v > upper, else the axis is settled.
enum class Side { kBelow, kAbove, kSettled, kMixed };

Side Classify(double lo, double hi, double lower, double upper) {
    if (hi < lower) return Side::kBelow;
    if (lo >= lower && lo > upper) return Side::kAbove;
    if (lo >= lower && hi <= upper) return Side::kSettled;
    return Side::kMixed;
}

}  // namespace

// Runs the bisection for a whole rectangle of corrected coordinates as long as every point of it
// takes the same branches, and records where they part (or the final cell). A lookup inside the
// rectangle resumes from there and so follows exactly the path of a bisection from the start.
OmInvAdjustTable::Hint OmInvAdjustTable::HintFor(double x0, double x1, double y0, double y1) const {
    Hint h;
    BisectionState& s = h.state;
    while (s.loI <= s.hiI && s.loJ <= s.hiJ) {
        const int i = ClampCell((s.loI + s.hiI) / 2);
        const int j = ClampCell((s.loJ + s.hiJ) / 2);
        const Side sx = Classify(x0, x1, NodeX(i - 1, j), NodeX(i, j));
        const Side sy = Classify(y0, y1, NodeY(i, j - 1), NodeY(i, j));
        if (sx == Side::kMixed || sy == Side::kMixed) return h;  // resume here
        if (sx == Side::kBelow) s.hiI = static_cast<std::uint16_t>(i - 1);
        if (sx == Side::kAbove) s.loI = static_cast<std::uint16_t>(i + 1);
        if (sy == Side::kBelow) s.hiJ = static_cast<std::uint16_t>(j - 1);
        if (sy == Side::kAbove) s.loJ = static_cast<std::uint16_t>(j + 1);
        h.i = static_cast<std::uint16_t>(i);
        h.j = static_cast<std::uint16_t>(j);
        if (sx == Side::kSettled && sy == Side::kSettled) break;
    }
    h.done = true;
    return h;
}

void OmInvAdjustTable::FillHints(int threads) {
    hints_.assign(static_cast<std::size_t>(kHints) * kHints, Hint{});
    const double w = 2.0 * halfWidth_ / kHints;
    // Widened a little, so that rounding in the lookup's index computation cannot place a point
    // outside the rectangle its hint was made for.
    const double pad = w * 1e-6;
#pragma omp parallel for schedule(static) num_threads(threads)
    for (int a = 0; a < kHints; ++a) {
        const double x0 = -halfWidth_ + a * w - pad, x1 = -halfWidth_ + (a + 1) * w + pad;
        for (int b = 0; b < kHints; ++b) {
            const double y0 = -halfWidth_ + b * w - pad, y1 = -halfWidth_ + (b + 1) * w + pad;
            hints_[static_cast<std::size_t>(a) * kHints + b] = HintFor(x0, x1, y0, y1);
        }
    }
}

// Finds the cell (i, j), both in 1..780, whose bounds enclose (x, y): cell (i, j) spans
// node(i-1, j).x .. node(i, j).x and node(i, j-1).y .. node(i, j).y. The bisection gets close;
// since the adjusted grid is slightly curved, a walk of at most 60 steps finishes the job.
void OmInvAdjustTable::LocateCell(double x, double y, const Hint* hint, int* pi, int* pj) const {
    int i = 1, j = 1;
    if (hint && hint->done) {
        i = hint->i;
        j = hint->j;
    } else {
        Bisect(x, y, hint ? hint->state : BisectionState{}, &i, &j);
    }
    i = ClampCell(i);
    j = ClampCell(j);
    constexpr int kMaxWalk = 60;
    for (int step = 0; step < kMaxWalk && !(InsideX(x, i, j) && InsideY(y, i, j)); ++step) {
        if (x < NodeX(i - 1, j))
            i = ClampCell(i - 1);
        else if (x > NodeX(i, j))
            i = ClampCell(i + 1);
        if (y < NodeY(i, j - 1))
            j = ClampCell(j - 1);
        else if (y > NodeY(i, j))
            j = ClampCell(j + 1);
    }
    *pi = i;
    *pj = j;
}

const OmInvAdjustTable::Hint* OmInvAdjustTable::HintAt(double x, double y) const {
    if (hints_.empty()) return nullptr;
    const double scale = kHints / (2.0 * halfWidth_);
    const int a = std::clamp(static_cast<int>((x + halfWidth_) * scale), 0, kHints - 1);
    const int b = std::clamp(static_cast<int>((y + halfWidth_) * scale), 0, kHints - 1);
    return &hints_[static_cast<std::size_t>(a) * kHints + b];
}

bool OmInvAdjustTable::Lookup(double* x, double* y) const {
    return Find(x, y, true);
}

bool OmInvAdjustTable::LookupBySearch(double* x, double* y) const {
    return Find(x, y, false);
}

bool OmInvAdjustTable::Find(double* x, double* y, bool useHints) const {
    if (nodes_.empty()) return false;
    const double px = *x;
    const double py = *y;
    // The comparison is written so that NaN input is rejected too.
    if (!(std::fabs(px) < halfWidth_) || !(std::fabs(py) < halfWidth_)) return false;
    int i = 1, j = 1;
    LocateCell(px, py, useHints ? HintAt(px, py) : nullptr, &i, &j);
    // Each axis is interpolated on its own: u from the row direction, v from the column one.
    const double x0 = NodeX(i - 1, j), x1 = NodeX(i, j);
    const double y0 = NodeY(i, j - 1), y1 = NodeY(i, j);
    double u = (i - 1) + (px - x0) / (x1 - x0);
    double v = (j - 1) + (py - y0) / (y1 - y0);
    // A folded grid (a distortion so strong that Adjust is not monotonic) can give coincident
    // nodes; report not found rather than an infinite or NaN position.
    if (!std::isfinite(u) || !std::isfinite(v)) return false;
    m_.PTrans2D(&u, &v);
    *x = u;
    *y = v;
    return true;
}

}  // namespace om
