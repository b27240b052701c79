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
            const unsigned v = id(rng);
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
    EXPECT_EQ(list.Count(), 100);
    EXPECT_TRUE(LinksConsistent(list));
}

TEST_F(Lists, LookUpsAndFreeIds) {
    List list;
    EXPECT_EQ(list.Get(0), nullptr);
    EXPECT_EQ(list.GetFreeId(0), 1u);
    list.Add(new Node(4, "Alpha"));
    list.Add(new Node(5, "alpha"));
    list.Add(new Node(6, "Beta"));
    EXPECT_EQ(list.Get(3), nullptr);
    EXPECT_EQ(list.Get(-1), nullptr);
    EXPECT_TRUE(list.CountMoreThan(2) && !list.CountMoreThan(3));
    Node outsider(5);
    EXPECT_EQ(list.Index(&outsider), -1);
    EXPECT_FALSE(list.Exist(&outsider) || list.IsPtrInList(&outsider));
    // Find by an equal element returns the first equal one, not the first different one.
    EXPECT_EQ(list.Find(outsider), list.Get(1));
    EXPECT_EQ(list.Find(Node(99)), nullptr);
    EXPECT_EQ(list.Find(String("alpha"), true)->GetId(), 5u);
    EXPECT_EQ(list.Find(String("ALPHA"), false)->GetId(), 4u);
    EXPECT_EQ(list.Find(String("ALPHA"), true), nullptr);
    EXPECT_EQ(list.Find(String("Alph"), false), nullptr);

    EXPECT_EQ(list.GetFreeId(0), 7u);
    list.Get(1)->SetId(3);
    EXPECT_EQ(list.GetFreeId(3), 5u);
    EXPECT_EQ(list.GetFreeId(1), 1u);
    EXPECT_EQ(list.Renumber(10, nullptr, 5), 3);
    EXPECT_EQ(Ids(list), (std::vector<unsigned>{10, 15, 20}));
    EXPECT_EQ(list.Renumber(100, list.Get(1), 1), 2);
    EXPECT_EQ(Ids(list), (std::vector<unsigned>{10, 100, 101}));
    // The search continues past the largest id at 0.
    list.Destroy();
    list.Add(new Node(UINT_MAX));
    list.Add(new Node(0));
    EXPECT_EQ(list.GetFreeId(UINT_MAX), 1u);
}

TEST_F(Lists, OwnershipThroughCopiesAssignmentAndReplacement) {
    List a;
    for (unsigned id : {1u, 2u, 3u}) a.Add(new Node(id));
    List b(a);  // deep copy
    EXPECT_EQ(Ids(b), Ids(a));
    EXPECT_NE(b.First(), a.First());
    b = a;
    EXPECT_EQ(Node::live, 6);
    b += a;
    EXPECT_EQ(Node::live, 9);
    a.CopyTo(&a);  // copying onto itself appends one copy of each
    EXPECT_EQ(Ids(a), (std::vector<unsigned>{1, 2, 3, 1, 2, 3}));
    a.Replace(new Node(2, 5));  // deletes the first element with id 2
    a.SortedReplace(new Node(3, 5));
    a.Replace(Node(40));
    a.SortedReplace(Node(41));
    EXPECT_EQ(Node::live, 14);
    // Replacing an element by itself keeps it.
    Node* self = a.Find(40u);
    EXPECT_EQ(a.Replace(self), self);
    EXPECT_EQ(a.SortedReplace(self), self);
    EXPECT_EQ(a.Replace(static_cast<Node*>(nullptr)), nullptr);
    EXPECT_EQ(Ids(a), (std::vector<unsigned>{41, 1, 2, 3, 1, 2, 3, 40}));
    a.Destroy();
    EXPECT_EQ(Node::live, 6);
    a.Swap(&b);
    b.MoveTo(&a);
    EXPECT_EQ(a.Count(), 6);
    EXPECT_TRUE(b.IsEmpty());
}

TEST_F(Lists, ForeignNodesAreLeftAlone) {
    List a, b;
    for (unsigned id : {1u, 2u, 3u}) a.Add(new Node(id));
    for (unsigned id : {7u, 8u}) b.Add(new Node(id));
    Recorder r(&a);
    Node loose(5);
    // Not in this list: nothing is unlinked, nothing is handed back, nothing is reported.
    EXPECT_EQ(a.Subtract(&loose), nullptr);
    EXPECT_EQ(a.Subtract(b.First()), nullptr);
    EXPECT_EQ(a.Subtract(b.Last()), nullptr);
    EXPECT_TRUE(r.events().empty());
    EXPECT_EQ(Ids(b), (std::vector<unsigned>{7, 8}));
    EXPECT_EQ(a.Move(b.First(), a), b.Last());  // a foreign element is not moved
    EXPECT_EQ(a.Move(nullptr, b), nullptr);
    // Inserting before a foreign or null element appends.
    a.Insert(b.First(), new Node(4));
    a.Insert(nullptr, new Node(5));
    EXPECT_EQ(Ids(a), (std::vector<unsigned>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(LinksConsistent(a) && LinksConsistent(b));
    // A copy of an element is in no list; assignment leaves the target's links alone.
    Node copy(*a.First());
    EXPECT_EQ(copy.Next(), nullptr);
    EXPECT_EQ(a.Subtract(&copy), nullptr);
    *a.First() = *a.Last();
    EXPECT_EQ(Ids(a), (std::vector<unsigned>{5, 2, 3, 4, 5}));
    EXPECT_TRUE(LinksConsistent(a));
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
    EXPECT_EQ(list.adds, 3);
    list.SortedInsert(new Node(0));  // goes last: appended through Add
    list.SortedInsert(new Node(9));  // goes first: through Insert
    list.InsertFirst(new Node(8));
    list.Push(new Node(7));
    EXPECT_EQ(list.adds, 5);
    EXPECT_EQ(list.inserts, 2);
    list.Sort();
    EXPECT_EQ(list.subtracts, 7);
    list.SortById();
    EXPECT_EQ(list.subtracts, 14);
    EXPECT_EQ(list.adds, 12);
    list.Replace(new Node(2));
    EXPECT_EQ(list.inserts, 3);
    EXPECT_EQ(list.subtracts, 15);
    delete list.Pop();
    delete list.Subtract(0);
    delete list.Subtract(3u);
    delete list.Subtract(String(""));
    EXPECT_EQ(list.subtracts, 19);
    list.Destroy();
    EXPECT_EQ(list.subtracts, 19 + 3);
    static_cast<List&>(list) = source;
    EXPECT_EQ(list.adds, 15);
}

}  // namespace
}  // namespace om::test
