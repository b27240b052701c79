// Exact event sequences of every list operation, suppressed ones included.
#include <utility>

#include <gtest/gtest.h>

#include "list_fixtures.h"

namespace om::test {
namespace {

using List = TOmListHeader<Node>;
using Events = std::vector<Event>;

class ListEvents : public ::testing::Test {
  protected:
    void SetUp() override { Node::live = 0; }
    void TearDown() override {
        a.Destroy();
        b.Destroy();
        EXPECT_EQ(Node::live, 0) << "leaked or over-deleted elements";
    }

    static void Fill(List& list, std::vector<unsigned> ids) {
        for (unsigned id : ids) list.Add(new Node(id));
    }
    // The events since the last call.
    Events Take() { return std::exchange(log, {}); }

    Events log;
    List a;
    List b;
    Recorder ra{&a, &log};
    Recorder rb{&b, &log};

    Event A(int kind, void* item = nullptr) { return {&a, kind, item}; }
    Event B(int kind, void* item = nullptr) { return {&b, kind, item}; }
};

TEST_F(ListEvents, SingleElementOperationsNameTheElement) {
    Node* p5 = a.Add(new Node(5));
    Node* p3 = a.Insert(p5, new Node(3));
    Node* p7 = a.SortedInsert(new Node(7));
    Node* p1 = a.InsertFirst(new Node(1));
    Node* p9 = a.Push(new Node(9));
    Node* copy = a.Add(Node(4));
    EXPECT_EQ(Take(), (Events{A(2, p5), A(2, p3), A(2, p7), A(2, p1), A(2, p9), A(2, copy)}));
    EXPECT_EQ(Ids(a), (std::vector<unsigned>{1, 7, 3, 5, 9, 4}));
    EXPECT_TRUE(LinksConsistent(a));

    a.Destroy();
    Fill(a, {1, 2, 3, 4, 5});
    a.Find(3u)->SetName("Three");
    Take();
    std::unique_ptr<Node> s[] = {std::unique_ptr<Node>(a.Subtract(1)),
                                 std::unique_ptr<Node>(a.Subtract(String("three"))),  // folded
                                 std::unique_ptr<Node>(a.Subtract(5u)),
                                 std::unique_ptr<Node>(a.SubtractFirst()),
                                 std::unique_ptr<Node>(a.Pop())};
    Events expected;
    for (auto& n : s) expected.push_back(A(3, n.get()));
    EXPECT_EQ(Take(), expected);
    EXPECT_EQ((std::vector<unsigned>{s[0]->GetId(), s[1]->GetId(), s[2]->GetId(), s[3]->GetId(),
                                     s[4]->GetId()}),
              (std::vector<unsigned>{2, 3, 5, 1, 4}));
    EXPECT_TRUE(a.IsEmpty() && a.Last() == nullptr);
    EXPECT_TRUE(s[0]->Next() == nullptr && s[0]->Previous() == nullptr);
}

TEST_F(ListEvents, NullElementsChangeNothingButSubtractStillReports) {
    EXPECT_EQ(a.Add(nullptr), nullptr);
    EXPECT_EQ(a.SortedInsert(nullptr), nullptr);
    EXPECT_EQ(a.Insert(nullptr, nullptr), nullptr);
    EXPECT_TRUE(Take().empty());
    // Null, an index past the end, an empty list, a name or id that does not occur.
    EXPECT_EQ(a.Subtract(static_cast<Node*>(nullptr)), nullptr);
    EXPECT_EQ(a.Subtract(0), nullptr);
    EXPECT_EQ(a.Pop(), nullptr);
    EXPECT_EQ(a.SubtractFirst(), nullptr);
    EXPECT_EQ(a.Subtract(String("none")), nullptr);
    EXPECT_EQ(a.Subtract(77u), nullptr);
    EXPECT_EQ(Take(), Events(6, A(3)));
}

TEST_F(ListEvents, ManyElementOperationsSendOneSummaryEvent) {
    EXPECT_EQ(a.Sort(), 0);
    EXPECT_EQ(Take(), Events{A(1)});  // an empty sort still reports
    Fill(b, {1, 2});
    Take();
    EXPECT_EQ(a.CopyTo(&b), 0);  // empty source: destination untouched, no event
    b = b;                       // self-assignment changes nothing
    EXPECT_TRUE(Take().empty());
    b = a;  // assigning an empty list empties the target with one event
    EXPECT_EQ(Take(), Events{B(1)});
    EXPECT_TRUE(b.IsEmpty());

    Fill(a, {4, 8, 1});
    Take();
    EXPECT_EQ(a.Sort(), 3);
    EXPECT_EQ(Take(), Events{A(1)});
    EXPECT_TRUE(a.SortById());
    EXPECT_EQ(Take(), Events{A(1)});
    EXPECT_EQ(a.CopyTo(&b), 3);
    EXPECT_EQ(Take(), Events{B(1)});
    b += a;
    EXPECT_EQ(Take(), Events{B(1)});
    b = a;
    EXPECT_EQ(Take(), Events{B(1)});
    b.Destroy();
    EXPECT_EQ(Take(), Events{B(1)});
    std::vector<Node*> handed = Nodes(a);
    a.SubtractAll();
    EXPECT_EQ(Take(), Events{A(1)});
    for (Node* n : handed) delete n;
    a.Destroy();
    EXPECT_EQ(Take(), Events{A(1)});
}

TEST_F(ListEvents, MoveToAndSwapSequences) {
    Fill(a, {1, 2});
    Fill(b, {3});
    Take();
    a.MoveTo(&b);
    EXPECT_EQ(Take(), (Events{B(1), A(1)}));
    EXPECT_EQ(Ids(b), (std::vector<unsigned>{3, 1, 2}));
    EXPECT_TRUE(a.IsEmpty() && LinksConsistent(b));
    a.MoveTo(&b);  // empty source
    b.MoveTo(nullptr);
    b.MoveTo(&b);
    EXPECT_TRUE(Take().empty());

    Fill(a, {9});
    Take();
    a.Swap(&b);
    EXPECT_EQ(Take(), (Events{A(1), A(1), B(1), B(1)}));
    EXPECT_EQ(Ids(a), (std::vector<unsigned>{3, 1, 2}));
    EXPECT_EQ(Ids(b), std::vector<unsigned>{9});
    EXPECT_TRUE(LinksConsistent(a) && LinksConsistent(b));

    List empty;
    Recorder re(&empty, &log);
    const Event E{&empty, 1, nullptr};
    a.Swap(&empty);  // other empty: this reports once when moved out, other once at the end
    EXPECT_EQ(Take(), (Events{A(1), E}));
    a.Swap(&empty);  // this empty: both report when other moves in, other once more
    EXPECT_EQ(Take(), (Events{A(1), E, E}));
    EXPECT_EQ(Ids(a), (std::vector<unsigned>{3, 1, 2}));
    a.Swap(&a);
    a.Swap(nullptr);
    EXPECT_TRUE(Take().empty());
}

TEST_F(ListEvents, MoveReplaceAndSortedReplace) {
    Fill(a, {1, 2, 3});
    Take();
    Node* two = a.Get(1);
    EXPECT_EQ(a.Move(two, b), a.Last());  // returns the element after the moved one
    EXPECT_EQ(Take(), (Events{A(3, two), B(2, two)}));

    Node* old = a.Find(3u);
    Node* fresh = a.Replace(new Node(3, 1));
    EXPECT_EQ(Take(), (Events{A(3), A(2, fresh)}));
    EXPECT_TRUE(a.Get(1) == fresh && fresh != old);
    Node* added = a.Replace(Node(8));  // no element with id 8: appended
    EXPECT_EQ(Take(), Events{A(2, added)});
    EXPECT_EQ(a.Last(), added);

    old = a.Find(1u);
    Node* sorted = a.SortedReplace(new Node(1, 7));
    EXPECT_EQ(Take(), (Events{A(2, sorted), A(3, old)}));
    EXPECT_EQ(a.First(), sorted);
    Node* inserted = a.SortedReplace(Node(5));  // none with id 5: inserted in order
    EXPECT_EQ(Take(), Events{A(2, inserted)});
    EXPECT_EQ(Ids(a), (std::vector<unsigned>{5, 1, 3, 8}));
    EXPECT_EQ(Node::live, 5);
}

TEST_F(ListEvents, ChangedSuppressionAndQueries) {
    Fill(a, {1});
    Recorder other(&a);
    Take();
    a.NotifyChanged(a.First(), &other);  // skips the excluded observer
    EXPECT_EQ(Take(), Events{A(1, a.First())});
    EXPECT_TRUE(other.events().empty());
    a.NotifyChanged(nullptr, nullptr);
    EXPECT_EQ(other.events(), Events{A(1)});
    Take();

    // The suppression counter nests and never goes negative.
    a.SetNotify(true);
    a.SetNotify(false);
    a.SetNotify(false);
    a.Add(new Node(2));
    a.SetNotify(true);
    a.Add(new Node(3));
    a.Sort();
    a.NotifyChanged(nullptr, nullptr);
    EXPECT_TRUE(Take().empty());
    a.SetNotify(true);
    EXPECT_TRUE(a.IsNotifyEnabled());
    a.Add(new Node(4));
    EXPECT_EQ(Take().size(), 1u);
    a.SetNotify(false);
    a.SetNotify(false);
    a.ForceNotify();
    EXPECT_TRUE(a.IsNotifyEnabled());
    a.SetNotify(false);
    a.NotifyDestroyed();  // kind 4 ignores the counter
    EXPECT_EQ(Take(), Events{A(4)});
    a.ForceNotify();

    a.Find(9u);
    a.Find(String(""), true);
    a.GetFreeId(0);
    EXPECT_EQ(a.Renumber(10, nullptr, 5), 4);
    EXPECT_TRUE(Take().empty()) << "queries and renumbering send nothing";
}

// Walks the list on every event, as a view refreshing itself would.
class Walker : public OmObserver {
  public:
    explicit Walker(TOmListHeader<Node>* list) : OmObserver(list), list_(list) {}
    std::vector<int> counts;

  protected:
    void Notify(OmNotifyEvent* e) override {
        counts.push_back(e->kind == kOmNotifyDestroyed ? -1 : list_->Count());
    }

  private:
    TOmListHeader<Node>* list_;
};

TEST(ListDestruction, SendsChangedThenDestroyedAndReleasesObservers) {
    Node::live = 0;
    Events log;
    auto list = std::make_unique<TOmListHeader<Node>>();
    OmStandardNotifier* sender = list.get();
    Recorder r(list.get(), &log);
    Walker w(list.get());  // may inspect the list until the end
    list->Add(new Node(1));
    list->Add(new Node(2));
    list->Sort();
    log.clear();
    list.reset();
    EXPECT_EQ(log, (Events{{sender, 1, nullptr}, {sender, 4, nullptr}}));
    EXPECT_EQ(w.counts, (std::vector<int>{1, 2, 2, 0, -1}));
    EXPECT_EQ(r.GetNotifyParent(), nullptr);
    EXPECT_EQ(Node::live, 0);

    // With notifications off only the destruction itself is reported.
    log.clear();
    list = std::make_unique<TOmListHeader<Node>>();
    sender = list.get();
    EXPECT_TRUE(r.SetNotifyParent(list.get()));
    list->Add(new Node(1));
    list->SetNotify(false);
    list.reset();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].kind, 2);  // the Add before notifications went off
    EXPECT_EQ(log[1], (Event{sender, 4, nullptr}));
}

}  // namespace
}  // namespace om::test
