// Ordering, ownership, look-ups and virtual dispatch of the owning lists.
#include <algorithm>
#include <climits>
#include <random>

#include <gtest/gtest.h>

#include "list_fixtures.h"

namespace om::test {
namespace {

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
// insertion order in Sort, SortedInsert and SortById alike.
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
        KeyList keyed, keyedInserted;
        for (int i = 0; i < n; ++i) {
            // The largest id takes part too: comparisons must not overflow at the extremes.
            unsigned v = id(rng);
            if (v == 0) v = UINT_MAX;
            plain.Add(new Node(v, i));
            keyed.Add(new KeyNode(static_cast<int>(v), i))->SetId(5000 - v);
            plainInserted.SortedInsert(new Node(v, i));
            keyedInserted.SortedInsert(new KeyNode(static_cast<int>(v), i));
        }
        const auto p = sorted(Tags(plain, byId), true);
        const auto k = sorted(Tags(keyed, byKey), false);
        const auto up = sorted(Tags(plain, byId), false);
        const auto keyedUp = sorted(Tags(keyed, byId), false);
        List plainById(plain);
        KeyList keyedById(keyed);
        EXPECT_EQ(plain.Sort(), n);
        EXPECT_EQ(keyed.Sort(), n);
        EXPECT_TRUE(plainById.SortById() && keyedById.SortById());
        EXPECT_EQ(Tags(plain, byId), p) << "n = " << n;
        EXPECT_EQ(Tags(keyed, byKey), k) << "n = " << n;
        EXPECT_EQ(Tags(plainInserted, byId), p) << "n = " << n;
        EXPECT_EQ(Tags(keyedInserted, byKey), k) << "n = " << n;
        EXPECT_EQ(Tags(plainById, byId), up) << "n = " << n;
        EXPECT_EQ(Tags(keyedById, byId), keyedUp) << "n = " << n;
        EXPECT_TRUE(LinksConsistent(plain) && LinksConsistent(keyed) &&
                    LinksConsistent(plainById) && LinksConsistent(keyedById));
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
    EXPECT_EQ(list.Sort(), 100);
    EXPECT_TRUE(list.Count() == 100 && LinksConsistent(list));
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
    EXPECT_EQ(list.GetFreeId(0), 7u);
    EXPECT_EQ(list.GetFreeId(4), 7u);
    EXPECT_EQ(list.Renumber(100, list.Get(1), 1), 2);
    EXPECT_EQ(Ids(list), (std::vector<unsigned>{4, 100, 101}));
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
    EXPECT_EQ(Ids(a), (std::vector<unsigned>{1, 2, 3, 1, 2, 3}));
    EXPECT_EQ(Node::live, 9);
    // Replacing an element by itself keeps it.
    Node* self = a.Find(2u);
    EXPECT_TRUE(a.Replace(self) == self && a.SortedReplace(self) == self);
    a.Destroy();

    // Not in this list: nothing is unlinked, handed back or moved.
    for (unsigned id : {1u, 2u}) a.Add(new Node(id));
    Node loose(5);
    Node copy(*a.First());  // a copy is in no list
    EXPECT_EQ(a.Subtract(&loose), nullptr);
    EXPECT_EQ(a.Subtract(&copy), nullptr);
    EXPECT_EQ(a.Subtract(b.Last()), nullptr);
    EXPECT_EQ(a.Move(b.First(), a), b.First()->Next());
    // Inserting before a foreign or null element appends.
    a.Insert(b.First(), new Node(4));
    a.Insert(nullptr, new Node(5));
    EXPECT_EQ(Ids(b), (std::vector<unsigned>{1, 2, 3}));
    // Assignment leaves the target's links alone.
    *a.First() = *a.Last();
    EXPECT_EQ(Ids(a), (std::vector<unsigned>{5, 2, 4, 5}));
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
    EXPECT_EQ(list.adds, 12);
    EXPECT_EQ(list.inserts, 3);
    EXPECT_EQ(list.subtracts, 15);
    delete list.Pop();
    delete list.Subtract(0);
    delete list.Subtract(3u);
    delete list.Subtract(String(""));
    list.Destroy();
    static_cast<List&>(list) = source;
    EXPECT_EQ(list.subtracts, 19 + 3);
    EXPECT_EQ(list.adds, 15);
}

}  // namespace
}  // namespace om::test
