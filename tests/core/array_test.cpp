// Owning array: growth, editing, searches and the non-recursive quicksort.
#include <algorithm>
#include <cmath>
#include <random>
#include <string>
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

// An array that exposes its capacity through the protected interface.
template <class T>
class Inspect : public TOmArray<T> {
  public:
    using TOmArray<T>::TOmArray;
    using TOmArray<T>::Reallocate;
};

TEST(Array, ZeroOrNegativeCapacityStillGrows) {
    for (int capacity : {0, -5, 1}) {
        TOmArray<int> a(capacity);
        EXPECT_TRUE(a.IsEmpty());
        for (int i = 0; i < 100; ++i) a.Add(i);
        a.Insert(-1, 0);
        ASSERT_EQ(a.Size(), 101);
        EXPECT_EQ(a[0], -1);
        EXPECT_EQ(a[100], 99);
    }
    TOmArray<int> empty(0);
    empty.Insert(7, 0);
    EXPECT_EQ(Values(empty), std::vector<int>{7});
    Inspect<int> shrunk(4);
    shrunk.Add(1);
    shrunk.Add(2);
    shrunk.Reallocate(0);  // never below the element count
    shrunk.Add(3);
    EXPECT_EQ(Values<int>(shrunk), (std::vector<int>{1, 2, 3}));
}

TEST(Array, InsertRemoveAndClearMatchAVector) {
    std::mt19937 rng(11);
    TOmArray<std::string> a(3);
    std::vector<std::string> ref;
    for (int step = 0; step < 2000; ++step) {
        const int op = static_cast<int>(rng() % 3);
        if (op < 2 || ref.empty()) {
            const int at = static_cast<int>(rng() % (ref.size() + 1));
            const std::string s = std::to_string(step);
            a.Insert(s, at);
            ref.insert(ref.begin() + at, s);
        } else {
            const int at = static_cast<int>(rng() % ref.size());
            a.Remove(at);
            ref.erase(ref.begin() + at);
        }
        ASSERT_EQ(a.Size(), static_cast<int>(ref.size()));
    }
    EXPECT_EQ(Values(a), ref);
    // Out-of-range positions are ignored.
    a.Insert("x", -1);
    a.Insert("x", a.Size() + 1);
    a.Remove(-1);
    a.Remove(a.Size());
    EXPECT_EQ(Values(a), ref);
    a.Clear();
    EXPECT_TRUE(a.IsEmpty());
    a.Add("again");
    EXPECT_EQ(a[0], "again");
}

TEST(Array, CopiesAreDeepAndOwnership) {
    Probe::live = 0;
    {
        TOmArray<Probe> a(2);
        for (int i = 0; i < 5; ++i) a.Add(Probe(i));
        TOmArray<Probe> b(a);
        TOmArray<Probe> c(1000);
        c.Add(Probe(42));
        c = a;  // different capacity
        c = c;
        TOmArray<Probe> zero(0);
        TOmArray<Probe> zeroCopy(zero);
        zeroCopy.Add(Probe(1));
        zero = zeroCopy;
        EXPECT_EQ(Probe::live, 17);
        EXPECT_TRUE(b == a && c == a && zero.Size() == 1);
        b[0].v = 99;
        c.Remove(4);
        EXPECT_EQ(a[0].v, 0);
        EXPECT_TRUE(b != a && c != a);
    }
    EXPECT_EQ(Probe::live, 0);
}

TEST(Array, LinearAndBinarySearch) {
    TOmArray<int> a;
    for (int v : {5, 3, 8, 3, 1}) a.Add(v);
    EXPECT_EQ(a.Search(3, 0), 1);
    EXPECT_EQ(a.Search(3, 2), 3);
    EXPECT_EQ(a.Search(3, 2, 3), -1);  // `to` is excluded
    EXPECT_EQ(a.Search(9, 0), -1);
    EXPECT_EQ(a.Search(5, -4, 99), 0);

    std::mt19937 rng(3);
    for (int n : {0, 1, 2, 7, 100}) {
        std::vector<int> values;
        for (int i = 0; i < n; ++i) values.push_back(static_cast<int>(rng() % 50) * 2);
        std::sort(values.begin(), values.end());
        TOmArray<int> up;
        TOmArray<int> down;
        for (int v : values) up.Add(v);
        for (auto it = values.rbegin(); it != values.rend(); ++it) down.Add(*it);
        for (int probe = -1; probe <= 100; ++probe) {
            const bool present = std::binary_search(values.begin(), values.end(), probe);
            const int iu = up.BinSearchUp(probe);
            const int id = down.BinSearchDown(probe);
            if (present) {
                ASSERT_GE(iu, 0);
                ASSERT_GE(id, 0);
                EXPECT_EQ(up[iu], probe);
                EXPECT_EQ(down[id], probe);
            } else {
                EXPECT_EQ(iu, -1);
                EXPECT_EQ(id, -1);
            }
        }
    }
}

std::vector<int> Pattern(const std::string& kind, int n, std::mt19937& rng) {
    std::vector<int> v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        if (kind == "random") v[i] = static_cast<int>(rng() % 1000003) - 500000;
        if (kind == "sorted") v[i] = i;
        if (kind == "reverse") v[i] = n - i;
        if (kind == "equal") v[i] = 7;
        if (kind == "few") v[i] = static_cast<int>(rng() % 3);
        if (kind == "organ") v[i] = std::min(i, n - i);
        if (kind == "sawtooth") v[i] = i % 9;
    }
    return v;
}

TEST(ArraySort, MatchesStdSortOnManySizesAndShapes) {
    std::mt19937 rng(20261206);
    std::vector<int> sizes;
    for (int n = 0; n <= 70; ++n) sizes.push_back(n);
    for (int n : {127, 128, 129, 255, 256, 257, 1000, 4096, 30011}) sizes.push_back(n);
    for (const char* kind : {"random", "sorted", "reverse", "equal", "few", "organ", "sawtooth"}) {
        for (int n : sizes) {
            const std::vector<int> input = Pattern(kind, n, rng);
            TOmArray<Probe> a(n / 2);  // grows along the way
            for (int v : input) a.Add(Probe(v));
            std::vector<int> expected = input;
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
