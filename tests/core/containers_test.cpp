// Owning containers: the array (growth, editing, searches, the non-recursive quicksort), the
// lists (ordering, ownership, look-ups, virtual dispatch) and the filters that select elements
// (results, short-circuiting, operand ownership through copies).
#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <om/core/array.h>
#include <om/core/filter.h>

#include "list_fixtures.h"

namespace om::test {
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
    // `to` is excluded; the range is clamped to the array.
    EXPECT_EQ(std::tuple(a.Search(3, 2), a.Search(3, 2, 3), a.Search(5, -4, 99)),
              std::tuple(3, -1, 0));
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
    const int r = static_cast<int>(rng() % 1000003);
    const int values[] = {r - 500000, i, n - i, 7, r % 3, std::min(i, n - i), i % 9};
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

using List = TOmListHeader<Node>;
using KeyList = TOmListHeader<KeyNode>;

class Lists : public ::testing::Test {
  protected:
    void SetUp() override { Node::live = 0; }
    void TearDown() override { EXPECT_EQ(Node::live, 0) << "leaked or over-deleted elements"; }
};

// (key, tag) pairs in list order; the tag tells equal keys apart.
template <class T, class Key>
std::vector<std::pair<long, int>> Tags(const TOmBaseListHeader<T>& list, Key key) {
    std::vector<std::pair<long, int>> t;
    for (T* e : list) t.push_back({key(e), e->tag});
    return t;
}

// The default order is descending by id, an element's own Compare ascending by key, SortById
// ascending by id whatever the element's ordering. Ids need not be unique: equal keys keep their
// insertion order in Sort, SortedInsert and SortById alike (the last through the same code
// whatever the element type, the others through its Compare).
TEST_F(Lists, EveryWayOfSortingIsStable) {
    std::mt19937 rng(20261206);
    auto byId = [](Node* e) { return static_cast<long>(e->GetId()); };
    auto byKey = [](KeyNode* e) { return static_cast<long>(e->key); };
    auto sorted = [](auto tags, bool descending) {
        std::stable_sort(tags.begin(), tags.end(), [descending](auto x, auto y) {
            return descending ? x.first > y.first : x.first < y.first;
        });
        return tags;
    };
    for (int n : {0, 1, 2, 3, 10, 257, 1000}) {
        std::uniform_int_distribution<unsigned> id(0, static_cast<unsigned>(n / 3 + 1));
        List plain, plainInserted;
        KeyList keyed;
        for (int i = 0; i < n; ++i) {
            // The largest id takes part too: comparisons must not overflow at the extremes.
            unsigned v = id(rng);
            if (v == 0) v = UINT_MAX;
            plain.Add(new Node(v, i));
            keyed.Add(new KeyNode(static_cast<int>(v), i))->SetId(5000 - v);
            plainInserted.SortedInsert(new Node(v, i));
        }
        const auto p = sorted(Tags(plain, byId), true);
        const auto k = sorted(Tags(keyed, byKey), false);
        const auto byIdUp = sorted(Tags(keyed, byId), false);
        KeyList keyedById(keyed);
        EXPECT_EQ(std::pair(plain.Sort(), keyed.Sort()), std::pair(n, n));
        EXPECT_TRUE(keyedById.SortById());
        EXPECT_EQ(Tags(plain, byId), p) << "n = " << n;
        EXPECT_EQ(Tags(keyed, byKey), k) << "n = " << n;
        EXPECT_EQ(Tags(plainInserted, byId), p) << "n = " << n;
        EXPECT_EQ(Tags(keyedById, byId), byIdUp) << "n = " << n;
        EXPECT_TRUE(LinksConsistent(plain) && LinksConsistent(keyed) && LinksConsistent(keyedById));
    }
}

// Every element compares as "comes after": the sort must still end and keep all elements.
class Contrary : public Node {
  public:
    using Node::Node;
    using OmListnode::Compare;
    virtual int Compare(OmListnode*) const { return 1; }
};

TEST_F(Lists, SortSurvivesAnInconsistentComparison) {
    TOmListHeader<Contrary> list;
    for (unsigned i = 0; i < 100; ++i) list.Add(new Contrary(i));
    EXPECT_TRUE(list.Sort() == 100 && list.Count() == 100 && LinksConsistent(list));
}

TEST_F(Lists, LookUpsAndFreeIds) {
    List list;
    EXPECT_EQ(list.GetFreeId(0), 1u);
    list.Add(new Node(4, "Alpha"));
    list.Add(new Node(5, "alpha"));
    list.Add(new Node(6, "Beta"));
    // Find by an equal element returns the first equal one, not the first different one.
    EXPECT_EQ(list.Find(Node(5)), list.Get(1));
    EXPECT_EQ(list.Find(Node(99)), nullptr);
    EXPECT_EQ(list.Find(String("alpha"), true)->GetId(), 5u);
    EXPECT_EQ(list.Find(String("ALPHA"), false)->GetId(), 4u);
    EXPECT_EQ(list.Find(String("Alph"), false), nullptr);
    EXPECT_EQ(std::pair(list.GetFreeId(0), list.GetFreeId(4)), std::pair(7u, 7u));
    EXPECT_EQ(list.Renumber(100, list.Get(1), 1), 2);
    EXPECT_EQ(Ids(list), "4 100 101 ");
    // The search continues past the largest id at 0.
    list.Destroy();
    list.Add(new Node(UINT_MAX));
    list.Add(new Node(0));
    EXPECT_EQ(list.GetFreeId(UINT_MAX), 1u);
}

TEST_F(Lists, OwnershipAndForeignNodes) {
    List a;
    for (unsigned id : {1u, 2u, 3u}) a.Add(new Node(id));
    List b(a);
    a.CopyTo(&a);  // copying onto itself appends one copy of each
    EXPECT_EQ(Ids(a), "1 2 3 1 2 3 ");
    EXPECT_EQ(Node::live, 9);
    // Replacing an element by itself keeps it.
    Node* self = a.Find(2u);
    EXPECT_TRUE(a.Replace(self) == self && a.SortedReplace(self) == self);
    a.Destroy();

    // Not in this list: nothing is unlinked, handed back or moved.
    for (unsigned id : {1u, 2u}) a.Add(new Node(id));
    Node loose(5);
    Node copy(*a.First());  // a copy is in no list
    EXPECT_TRUE(a.Subtract(&loose) == nullptr && a.Subtract(&copy) == nullptr &&
                a.Subtract(b.Last()) == nullptr);
    EXPECT_EQ(a.Move(b.First(), a), b.First()->Next());
    // Inserting before a foreign or null element appends.
    a.Insert(b.First(), new Node(4));
    a.Insert(nullptr, new Node(5));
    EXPECT_EQ(Ids(b), "1 2 3 ");
    // Assignment leaves the target's links alone.
    *a.First() = *a.Last();
    EXPECT_EQ(Ids(a), "5 2 4 5 ");
    EXPECT_TRUE(LinksConsistent(a) && LinksConsistent(b));
}

// A derived list whose overrides must take part in the base operations.
class CountingList : public List {
  public:
    using List::Add;
    using List::Subtract;
    Node* Subtract(Node* p) override { return ++subtracts, List::Subtract(p); }
    Node* Add(Node* p) override { return ++adds, List::Add(p); }
    Node* Insert(Node* before, Node* p) override { return ++inserts, List::Insert(before, p); }
    int subtracts = 0, adds = 0, inserts = 0;
};

TEST_F(Lists, DerivedOverridesTakePartInBaseOperations) {
    CountingList list;
    List source;
    for (unsigned id : {1u, 2u, 3u}) source.Add(new Node(id));
    source.CopyTo(&list);
    list.SortedInsert(new Node(0));  // goes last: appended through Add
    list.SortedInsert(new Node(9));  // goes first: through Insert
    list.InsertFirst(new Node(8));
    list.Push(new Node(7));
    list.Sort();
    list.SortById();
    list.Replace(new Node(2));
    EXPECT_EQ(std::tuple(list.adds, list.inserts, list.subtracts), std::tuple(12, 3, 15));
    delete list.Pop();
    delete list.Subtract(0);
    delete list.Subtract(3u);
    delete list.Subtract(String(""));
    list.Destroy();
    static_cast<List&>(list) = source;
    EXPECT_EQ(std::pair(list.adds, list.subtracts), std::pair(15, 19 + 3));
}

int asked = 0;
unsigned HasEvenId(const OmObject* o) {
    return o->GetId() % 2 == 0 ? 1u : 0u;
}

// Counts live filters, so that double deletes and leaks show, and how often it was asked.
class Counted : public OmFilter {
  public:
    static inline int live = 0;
    explicit Counted(unsigned result) : result_(result) { ++live; }
    Counted(const Counted& o) : OmFilter(o), result_(o.result_) { ++live; }
    ~Counted() override { --live; }
    unsigned Test(const OmObject*) const override { return ++asked, result_; }
    OmFilter* Clone() const override { return new Counted(*this); }

  private:
    unsigned result_;
};

// Any non-zero result passes and results are normalised to 1; the right operand is asked only
// when the left one does not decide.
TEST(Filter, TruthTablesShortCircuitAndNullOperands) {
    OmObject o(3);
    for (unsigned x : {0u, 1u, 42u}) {
        const unsigned bx = x != 0 ? 1u : 0u;
        for (unsigned y : {0u, 1u}) {
            asked = 0;
            EXPECT_EQ(OmOrFilter(new Counted(x), new Counted(y)).Test(&o), bx | y);
            EXPECT_EQ(OmBinaryFilter(new Counted(x), new Counted(y)).Test(&o), bx | y);
            EXPECT_EQ(asked, bx != 0 ? 2 : 4);
            asked = 0;
            EXPECT_EQ(OmAndFilter(new Counted(x), new Counted(y)).Test(&o), bx & y);
            EXPECT_EQ(asked, bx != 0 ? 2 : 1);
        }
        EXPECT_EQ(OmNotFilter(new Counted(x)).Test(&o), 1 - bx);
    }
    EXPECT_EQ(std::tuple(OmTestFilter(nullptr).Test(&o), OmNotFilter(nullptr).Test(&o),
                         OmOrFilter(nullptr, new OmTrueFilter).Test(&o),
                         OmAndFilter(new OmTrueFilter, nullptr).Test(&o)),
              std::tuple(0u, 1u, 1u, 0u));
    EXPECT_EQ(Counted::live, 0);
}

// A filter of the host's that overrides only Test: composites holding it can still be copied;
// the copies share it, and the last one deletes it.
class HostFilter : public OmFilter {
  public:
    static inline int live = 0;
    HostFilter() { ++live; }
    ~HostFilter() override { --live; }
    unsigned Test(const OmObject* o) const override { return o->GetId() > 2 ? 1u : 0u; }
};

// Copies, clones and assignment must own their operands: shared ones would be deleted twice.
TEST(Filter, CopiesOwnTheirOperands) {
    OmObject even(2);
    Counted::live = 0;
    {
        auto original = std::make_unique<OmAndFilter>(
            new OmNotFilter(new Counted(0)),
            new OmOrFilter(new Counted(0), new OmTestFilter(&HasEvenId)));
        OmAndFilter copy(*original);
        std::unique_ptr<OmFilter> clone(copy.Clone());
        EXPECT_EQ(Counted::live, 6);
        original.reset();
        EXPECT_EQ(std::pair(Counted::live, clone->Test(&even)), std::pair(4, 1u));
        OmAndFilter assigned(new Counted(1), nullptr);
        assigned = copy;
        assigned = assigned;
        EXPECT_EQ(std::pair(Counted::live, assigned.Test(&even)), std::pair(6, 1u));

        auto host = std::make_unique<OmOrFilter>(new HostFilter, new OmFalseFilter);
        OmOrFilter hostCopy(*host);
        OmNotFilter negated(new HostFilter), hostAssigned(nullptr);
        hostAssigned = negated;
        host.reset();
        EXPECT_EQ(std::tuple(HostFilter::live, hostCopy.Test(&even), hostAssigned.Test(&even)),
                  std::tuple(2, 0u, 1u));
    }
    EXPECT_EQ(std::pair(Counted::live, HostFilter::live), std::pair(0, 0));
}

}  // namespace
}  // namespace om::test
