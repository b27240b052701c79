// Owning array: growth, editing, searches and the non-recursive quicksort.
#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include <om/core/array.h>

namespace om {
namespace {

// A value that offers only the comparisons the array may use, counts them, and counts its
// live copies.
struct Probe {
    static inline long comparisons = 0;
    static inline int live = 0;

    int v = 0;
    Probe(int value = 0) : v(value) { ++live; }
    Probe(const Probe& o) : v(o.v) { ++live; }
    Probe& operator=(const Probe&) = default;
    ~Probe() { --live; }

    bool operator<=(const Probe& o) const {
        ++comparisons;
        return v <= o.v;
    }
    bool operator==(const Probe& o) const { return v == o.v; }
};

template <class T>
std::vector<T> Values(const TOmArray<T>& a) {
    std::vector<T> out;
    for (int i = 0; i < a.Size(); ++i) out.push_back(a[i]);
    return out;
}

// Capacity 0 (or less) has no room to double into: it must still grow. Copies are deep, whatever
// the capacities involved.
TEST(Array, InsertRemoveMatchAVectorFromAnyCapacityAndCopiesAreDeep) {
    std::mt19937 rng(11);
    Probe::live = 0;
    for (int capacity : {0, -5, 3}) {
        TOmArray<Probe> a(capacity), assigned(1000), zero(0);
        std::vector<Probe> ref;
        for (int step = 0; step < 2000; ++step) {
            if (rng() % 3 < 2 || ref.empty()) {
                const int at = static_cast<int>(rng() % (ref.size() + 1));
                a.Insert(Probe(step), at);
                ref.insert(ref.begin() + at, Probe(step));
            } else {
                const int at = static_cast<int>(rng() % ref.size());
                a.Remove(at);
                ref.erase(ref.begin() + at);
            }
        }
        // Out-of-range positions are ignored.
        a.Insert(Probe(-1), -1);
        a.Insert(Probe(-1), a.Size() + 1);
        a.Remove(-1);
        a.Remove(a.Size());
        TOmArray<Probe> copy(a), zeroCopy(zero);
        assigned = a;
        assigned = assigned;
        copy[0].v = -1;
        assigned.Remove(0);
        zeroCopy.Add(Probe(1));
        EXPECT_EQ(Values(a), ref) << capacity;
        EXPECT_EQ(Probe::live, 4 * static_cast<int>(ref.size())) << capacity;
    }
    EXPECT_EQ(Probe::live, 0);
}

TEST(Array, LinearAndBinarySearch) {
    TOmArray<int> a;
    for (int v : {5, 3, 8, 3, 1}) a.Add(v);
    EXPECT_EQ(a.Search(3, 2), 3);
    EXPECT_EQ(a.Search(3, 2, 3), -1);   // `to` is excluded
    EXPECT_EQ(a.Search(5, -4, 99), 0);  // clamped to the array
    std::mt19937 rng(3);
    for (int n : {0, 1, 2, 7, 100}) {
        std::vector<int> values;
        for (int i = 0; i < n; ++i) values.push_back(static_cast<int>(rng() % 50) * 2);
        std::sort(values.begin(), values.end());
        TOmArray<int> up, down;
        for (int v : values) up.Add(v), down.Insert(v, 0);
        for (int probe = -1; probe <= 100; ++probe) {
            const bool present = std::binary_search(values.begin(), values.end(), probe);
            const int iu = up.BinSearchUp(probe), id = down.BinSearchDown(probe);
            EXPECT_EQ(iu >= 0 && up[iu] == probe, present);
            EXPECT_EQ(id >= 0 && down[id] == probe, present);
            EXPECT_TRUE(present || (iu == -1 && id == -1));
        }
    }
}

// Element i of n in one of seven shapes: random, sorted, reverse, equal, few distinct values,
// organ pipe, sawtooth.
int Shape(int kind, int i, int n, std::mt19937& rng) {
    const int values[] = {static_cast<int>(rng() % 1000003) - 500000,
                          i,
                          n - i,
                          7,
                          static_cast<int>(rng() % 3),
                          std::min(i, n - i),
                          i % 9};
    return values[kind];
}

TEST(ArraySort, MatchesStdSortOnManySizesAndShapes) {
    std::mt19937 rng(20261206);
    std::vector<int> sizes;
    for (int n = 0; n <= 70; ++n) sizes.push_back(n);
    for (int n : {127, 128, 129, 255, 256, 257, 1000, 4096, 30011}) sizes.push_back(n);
    for (int kind = 0; kind < 7; ++kind) {
        for (int n : sizes) {
            TOmArray<Probe> a(n / 2);  // grows along the way
            std::vector<int> expected;
            for (int i = 0; i < n; ++i) expected.push_back(Shape(kind, i, n, rng));
            for (int v : expected) a.Add(Probe(v));
            std::sort(expected.begin(), expected.end());
            Probe::comparisons = 0;
            a.Sort();
            ASSERT_EQ(Values(a), std::vector<Probe>(expected.begin(), expected.end()))
                << kind << " n = " << n;
            // No quadratic behaviour, whatever the shape: bounded by a multiple of n log n.
            if (n >= 1000) {
                const double bound = 8.0 * n * std::log2(static_cast<double>(n));
                EXPECT_LT(static_cast<double>(Probe::comparisons), bound) << kind << " n = " << n;
            }
        }
    }
}

}  // namespace
}  // namespace om
