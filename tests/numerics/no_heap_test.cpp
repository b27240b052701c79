// Proves that small vectors and matrices live inside their objects. The global allocation
// functions of this test executable are replaced by counting ones; they count only while a
// thread-local flag is set, so every other test (and gtest itself) is unaffected.
#include <om/numerics/matrix.h>
#include <om/numerics/vector.h>

#include <cstdlib>
#include <new>
#include <utility>

#include <gtest/gtest.h>

namespace {

thread_local bool t_counting = false;
thread_local long t_allocations = 0;

void* CountedAlloc(std::size_t size) {
    if (t_counting) ++t_allocations;
    if (size == 0) size = 1;
    if (void* p = std::malloc(size)) return p;
    throw std::bad_alloc();
}

// Counts the allocations made while it lives.
class AllocationCounter {
  public:
    AllocationCounter() {
        t_allocations = 0;
        t_counting = true;
    }
    ~AllocationCounter() { t_counting = false; }
    long Count() const { return t_allocations; }
};

}  // namespace

void* operator new(std::size_t size) {
    return CountedAlloc(size);
}
void* operator new[](std::size_t size) {
    return CountedAlloc(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace om {
namespace {

TEST(NoHeap, CountingWorks) {
    AllocationCounter counter;
    OmVector big(5);
    OmMatrix heap(4, 5);
    EXPECT_EQ(counter.Count(), 2);
}

TEST(NoHeap, SmallVectorsStayInline) {
    AllocationCounter counter;
    for (int n = 0; n <= 4; ++n) {
        OmVector v(n);
        OmVector copy(v);
        OmVector moved(std::move(copy));
        v = moved;
    }
    OmVector a(1.0, 2.0, 3.0), b(4.0, 5.0, 6.0, 7.0);
    OmVector c = a + b;
    c = a - b;
    c += a;
    c = (a % b) * 2.0 / 3.0;
    c.Normalize();
    b.ChangeType(eOmVectorSpatial);
    b.ChangeType(eOmVectorSpatialHomogeneous);
    EXPECT_GT(a * b + c.Abs(), 0.0);
    EXPECT_EQ(counter.Count(), 0);
}

TEST(NoHeap, SmallMatricesStayInline) {
    AllocationCounter counter;
    for (int rows = 1; rows <= 4; ++rows) {
        for (int cols = 1; rows * cols <= 16; ++cols) {
            OmMatrix m(rows, cols);
            OmMatrix copy(m);
            OmMatrix moved(std::move(copy));
            m = moved.Transpose().Transpose();
        }
    }
    OmMatrix r(3, 3), h(4, 4);
    r.MakeRotMatrix(0.1, 0.2, 0.3);
    h.RotZAxis(0.5);
    OmMatrix p = r * r.Transpose();
    p = p + r;
    p *= 2.0;
    double x = 1.0, y = 2.0, z = 3.0;
    r.PTrans2D(&x, &y);
    h.PTrans3D(&x, &y, &z);
    OmVector v = r * OmVector(1.0, 0.0, 0.0);
    double a1 = 0, a2 = 0, a3 = 0;
    r.GetRotAngles(&a2, &a1, &a3);
    EXPECT_GT(r.CalcAngle(p) + v.Abs() + Det(h) + r.Sarrus(), 0.0);
    OmMatrix inv = h;
    int status = 1;
    inv.Invert(&status);
    EXPECT_EQ(status, 0);
    OmMatrix b(4, 1);
    OmMatrix a = h;
    EXPECT_EQ(GaussLoeserRelMax(a, b), 0);
    EXPECT_EQ(counter.Count(), 0);
}

TEST(NoHeap, SmallLeastSquaresStaysInline) {
    // One unknown: a 2x3 augmented matrix.
    AllocationCounter counter;
    OmMatrix m(2, 3);
    m.CalcNGLAN(OmVector(1.0, 2.0, 0.0));
    m.CalcNGLAN(OmVector(1.0, 2.5, 0.0));
    m[1][3] = 1.0;
    OmVector x(1);
    EXPECT_GT(m.Cholesky(x), 0.0);
    EXPECT_EQ(counter.Count(), 0);
}

}  // namespace
}  // namespace om
