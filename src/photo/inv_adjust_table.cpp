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
}

// Finds the cell (i, j), both in 1..780, whose bounds enclose (x, y): cell (i, j) spans
// node(i-1, j).x .. node(i, j).x and node(i, j-1).y .. node(i, j).y. A bisection on both axes
// at once gets close; since the adjusted grid is slightly curved, a short walk finishes the job.
// Each bisection step reads nodes at the next midpoints, which lie far apart in the 10 MB table;
// requesting all four candidates ahead lets their memory loads overlap with this step.
void OmInvAdjustTable::Prefetch(int loI, int hiI, int loJ, int hiJ, int i, int j) const {
    const int nextI[2] = {ClampCell((loI + i - 1) / 2), ClampCell((i + 1 + hiI) / 2)};
    const int nextJ[2] = {ClampCell((loJ + j - 1) / 2), ClampCell((j + 1 + hiJ) / 2)};
    for (int a : nextI) {
        for (int b : nextJ) {
            __builtin_prefetch(&nodes_[Index(a - 1, b)]);
            __builtin_prefetch(&nodes_[Index(a, b - 1)]);
        }
    }
}

void OmInvAdjustTable::LocateCell(double x, double y, int* pi, int* pj) const {
    int loI = 1, hiI = kCells, loJ = 1, hiJ = kCells;
    int i = 1, j = 1;
    bool settledX = false, settledY = false;
    while (loI <= hiI && loJ <= hiJ && !(settledX && settledY)) {
        i = ClampCell((loI + hiI) / 2);
        j = ClampCell((loJ + hiJ) / 2);
        Prefetch(loI, hiI, loJ, hiJ, i, j);
        settledX = false;
        if (x < NodeX(i - 1, j))
            hiI = i - 1;
        else if (x > NodeX(i, j))
            loI = i + 1;
        else
            settledX = true;
        settledY = false;
        if (y < NodeY(i, j - 1))
            hiJ = j - 1;
        else if (y > NodeY(i, j))
            loJ = j + 1;
        else
            settledY = true;
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

bool OmInvAdjustTable::Lookup(double* x, double* y) const {
    if (nodes_.empty()) return false;
    const double px = *x;
    const double py = *y;
    // The comparison is written so that NaN input is rejected too.
    if (!(std::fabs(px) < halfWidth_) || !(std::fabs(py) < halfWidth_)) return false;
    int i = 1, j = 1;
    LocateCell(px, py, &i, &j);
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
