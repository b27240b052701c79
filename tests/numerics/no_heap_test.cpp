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
struct AllocationCounter {
    AllocationCounter() { t_allocations = 0, t_counting = true; }
    ~AllocationCounter() { t_counting = false; }
};

}  // namespace

// Every form is replaced: under the sanitizers the array forms do not fall back on the plain ones.
void* operator new(std::size_t size) {
    return CountedAlloc(size);
}
void* operator new[](std::size_t size) {
    return CountedAlloc(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace om {
namespace {

TEST(NoHeap, SmallVectorsMatricesAndSolversStayInline) {
    {
        AllocationCounter counter;  // the counter itself sees heap storage
        OmVector big(5);
        OmMatrix heap(4, 5);
        EXPECT_EQ(t_allocations, 2);
    }
    AllocationCounter counter;
    for (int rows = 1; rows <= 4; ++rows) {
        OmVector v(rows);
        OmVector moved(std::move(v));
        v = moved;
        for (int cols = 1; rows * cols <= 16; ++cols) {
            OmMatrix m(rows, cols);
            OmMatrix copy(m);
            OmMatrix moved(std::move(copy));
            m = moved.Transpose().Transpose();
        }
    }
    OmVector a(1.0, 2.0, 3.0), b(4.0, 5.0, 6.0, 7.0);
    OmVector c = (a % b) * 2.0 / 3.0 + a - b;
    c.Normalize();
    b.ChangeType(eOmVectorSpatial);
    OmMatrix r(3, 3), h(4, 4);
    r.MakeRotMatrix(0.1, 0.2, 0.3);
    h.RotZAxis(0.5);
    OmMatrix p = r * r.Transpose() + r;
    p *= 2.0;
    double x = 1.0, y = 2.0, z = 3.0, a1 = 0, a2 = 0, a3 = 0;
    r.PTrans2D(&x, &y);
    h.PTrans3D(&x, &y, &z);
    r.GetRotAngles(&a2, &a1, &a3);
    EXPECT_GT(a * b + c.Abs() + r.CalcAngle(p) + (r * a).Abs() + Det(h) + r.Sarrus(), 0.0);
    OmMatrix inv = h, rhs(4, 1), lu = h;
    int status = 1;
    inv.Invert(&status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(GaussLoeserRelMax(lu, rhs), 0);
    // One unknown by least squares: a 2x3 augmented matrix.
    OmMatrix n(2, 3);
    n.CalcNGLAN(OmVector(1.0, 2.0, 0.0));
    n.CalcNGLAN(OmVector(1.0, 2.5, 0.0));
    n[1][3] = 1.0;
    OmVector sol(1);
    EXPECT_GT(n.Cholesky(sol), 0.0);
    EXPECT_EQ(t_allocations, 0);
}

}  // namespace
}  // namespace om
