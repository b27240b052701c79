// Exact event sequences of every list operation, suppressed ones included.
#include <gtest/gtest.h>

#include "list_fixtures.h"

namespace om::test {
namespace {

using List = TOmListHeader<Node>;

class ListEvents : public ::testing::Test {
  protected:
    void SetUp() override { Node::live = 0; }
    void TearDown() override {
        a.Destroy();
        b.Destroy();
        EXPECT_EQ(Node::live, 0) << "leaked or over-deleted elements";
    }

    // Appends elements with the given ids.
    static void Fill(List& list, std::vector<unsigned> ids) {
        for (unsigned id : ids) list.Add(new Node(id));
    }

    std::vector<Event> log;
    List a;
    List b;
    Recorder ra{&a, &log};
    Recorder rb{&b, &log};

    Event A(int kind, void* item = nullptr) { return {&a, kind, item}; }
    Event B(int kind, void* item = nullptr) { return {&b, kind, item}; }
    void* Item(Node* p) { return static_cast<void*>(p); }
};

TEST_F(ListEvents, AddInsertAndSortedInsertSendOneAddedEventEach) {
    Node* p5 = a.Add(new Node(5));
    Node* p3 = a.Insert(p5, new Node(3));
    Node* p7 = a.SortedInsert(new Node(7));
    Node* p1 = a.InsertFirst(new Node(1));
    Node* p9 = a.Push(new Node(9));
    Node* copy = a.Add(Node(4));
    EXPECT_EQ(log, (std::vector<Event>{A(2, Item(p5)), A(2, Item(p3)), A(2, Item(p7)),
                                       A(2, Item(p1)), A(2, Item(p9)), A(2, Item(copy))}));
    EXPECT_EQ(Ids(a), (std::vector<unsigned>{1, 7, 3, 5, 9, 4}));
    EXPECT_TRUE(LinksConsistent(a));
}

TEST_F(ListEvents, NullElementsChangeNothingExceptSubtract) {
    EXPECT_EQ(a.Add(nullptr), nullptr);
    EXPECT_EQ(a.SortedInsert(nullptr), nullptr);
    EXPECT_EQ(a.Insert(nullptr, nullptr), nullptr);
    EXPECT_TRUE(log.empty());
    // Subtracting null (also via an index past the end or an empty list) still notifies.
    EXPECT_EQ(a.Subtract(static_cast<Node*>(nullptr)), nullptr);
    EXPECT_EQ(a.Subtract(0), nullptr);
    EXPECT_EQ(a.Pop(), nullptr);
    EXPECT_EQ(a.SubtractFirst(), nullptr);
    EXPECT_EQ(log, (std::vector<Event>(4, A(3))));
}

TEST_F(ListEvents, SubtractVariantsNameTheElement) {
    Fill(a, {1, 2, 3, 4, 5});
    a.Find(3u)->SetName("Three");
    log.clear();
    Node* n2 = a.Get(1);
    std::unique_ptr<Node> s1(a.Subtract(1));
    std::unique_ptr<Node> s2(a.Subtract(String("three")));  // not exact: case folded
    std::unique_ptr<Node> s3(a.Subtract(5u));
    std::unique_ptr<Node> s4(a.SubtractFirst());
    std::unique_ptr<Node> s5(a.Pop());
    EXPECT_EQ(s1.get(), n2);
    EXPECT_EQ(s2->GetId(), 3u);
    EXPECT_EQ(s3->GetId(), 5u);
    EXPECT_EQ(s4->GetId(), 1u);
    EXPECT_EQ(s5->GetId(), 4u);
    EXPECT_EQ(log,
              (std::vector<Event>{A(3, Item(s1.get())), A(3, Item(s2.get())), A(3, Item(s3.get())),
                                  A(3, Item(s4.get())), A(3, Item(s5.get()))}));
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.Last(), nullptr);
    EXPECT_EQ(s1->Next(), nullptr);
    EXPECT_EQ(s1->Previous(), nullptr);
    // Names and ids that do not occur subtract null, which is still reported.
    log.clear();
    EXPECT_EQ(a.Subtract(String("none")), nullptr);
    EXPECT_EQ(a.Subtract(77u), nullptr);
    EXPECT_EQ(log, (std::vector<Event>{A(3), A(3)}));
}

TEST_F(ListEvents, ManyElementOperationsSendOneSummaryEvent) {
    Fill(a, {4, 8, 1});
    log.clear();
    EXPECT_EQ(a.Sort(), 3);
    EXPECT_EQ(log, std::vector<Event>{A(1)});
    log.clear();
    EXPECT_TRUE(a.SortById());
    EXPECT_EQ(log, std::vector<Event>{A(1)});
    log.clear();
    EXPECT_EQ(a.CopyTo(&b), 3);
    EXPECT_EQ(log, std::vector<Event>{B(1)});
    log.clear();
    b += a;
    EXPECT_EQ(log, std::vector<Event>{B(1)});
    EXPECT_EQ(b.Count(), 6);
    log.clear();
    b = a;
    EXPECT_EQ(log, std::vector<Event>{B(1)});
    EXPECT_EQ(Ids(b), Ids(a));
    log.clear();
    b.Destroy();
    EXPECT_EQ(log, std::vector<Event>{B(1)});
    log.clear();
    std::vector<Node*> handed = Nodes(a);
    a.SubtractAll();
    EXPECT_EQ(log, std::vector<Event>{A(1)});
    EXPECT_TRUE(a.IsEmpty());
    for (Node* n : handed) delete n;
}

TEST_F(ListEvents, EmptyCasesOfSummaryOperations) {
    EXPECT_EQ(a.Sort(), 0);
    EXPECT_EQ(log, std::vector<Event>{A(1)});  // an empty sort still reports
    log.clear();
    Fill(b, {1, 2});
    log.clear();
    EXPECT_EQ(a.CopyTo(&b), 0);  // empty source: destination untouched, no event
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(b.Count(), 2);
    b = b;  // self-assignment changes nothing
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(b.Count(), 2);
    b = a;  // assigning an empty list empties the target with one event
    EXPECT_EQ(log, std::vector<Event>{B(1)});
    EXPECT_TRUE(b.IsEmpty());
    log.clear();
    a.Destroy();
    EXPECT_EQ(log, std::vector<Event>{A(1)});
}

TEST_F(ListEvents, MoveToAndSwapSequences) {
    Fill(a, {1, 2});
    Fill(b, {3});
    log.clear();
    a.MoveTo(&b);
    EXPECT_EQ(log, (std::vector<Event>{B(1), A(1)}));
    EXPECT_EQ(Ids(b), (std::vector<unsigned>{3, 1, 2}));
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_TRUE(LinksConsistent(b));
    log.clear();
    a.MoveTo(&b);  // empty source
    b.MoveTo(nullptr);
    b.MoveTo(&b);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(b.Count(), 3);

    Fill(a, {9});
    log.clear();
    a.Swap(&b);
    EXPECT_EQ(log, (std::vector<Event>{A(1), A(1), B(1), B(1)}));
    EXPECT_EQ(Ids(a), (std::vector<unsigned>{3, 1, 2}));
    EXPECT_EQ(Ids(b), std::vector<unsigned>{9});
    EXPECT_TRUE(LinksConsistent(a));
    EXPECT_TRUE(LinksConsistent(b));

    List empty;
    Recorder re(&empty, &log);
    log.clear();
    a.Swap(&empty);  // other empty: this reports once when moved out, other once at the end
    EXPECT_EQ(log, (std::vector<Event>{A(1), Event{&empty, 1, nullptr}}));
    log.clear();
    a.Swap(&empty);  // this empty: both report when other moves in, other once more
    EXPECT_EQ(log,
              (std::vector<Event>{A(1), Event{&empty, 1, nullptr}, Event{&empty, 1, nullptr}}));
    EXPECT_EQ(Ids(a), (std::vector<unsigned>{3, 1, 2}));
    log.clear();
    a.Swap(&a);
    a.Swap(nullptr);
    EXPECT_TRUE(log.empty());
}

TEST_F(ListEvents, MoveReplaceAndSortedReplace) {
    Fill(a, {1, 2, 3});
    log.clear();
    Node* two = a.Get(1);
    Node* next = a.Move(two, b);
    EXPECT_EQ(next, a.Get(1));
    EXPECT_EQ(next->GetId(), 3u);
    EXPECT_EQ(log, (std::vector<Event>{A(3, Item(two)), B(2, Item(two))}));

    log.clear();
    Node* old = a.Find(3u);
    Node* fresh = a.Replace(new Node(3, 1));
    EXPECT_EQ(log, (std::vector<Event>{A(3), A(2, Item(fresh))}));
    EXPECT_EQ(a.Get(1), fresh);
    EXPECT_NE(fresh, old);
    log.clear();
    Node* added = a.Replace(Node(8));  // no element with id 8: appended
    EXPECT_EQ(log, std::vector<Event>{A(2, Item(added))});
    EXPECT_EQ(a.Last(), added);

    log.clear();
    old = a.Find(1u);
    Node* sorted = a.SortedReplace(new Node(1, 7));
    EXPECT_EQ(log, (std::vector<Event>{A(2, Item(sorted)), A(3, Item(old))}));
    EXPECT_EQ(a.First(), sorted);
    log.clear();
    Node* inserted = a.SortedReplace(Node(5));  // none with id 5: inserted in order
    EXPECT_EQ(log, std::vector<Event>{A(2, Item(inserted))});
    EXPECT_EQ(Ids(a), (std::vector<unsigned>{5, 1, 3, 8}));
    EXPECT_EQ(Node::live, 5);
}

TEST_F(ListEvents, ChangedSkipsTheExcludedObserver) {
    Fill(a, {1});
    Recorder other(&a);
    log.clear();
    a.NotifyChanged(a.First(), &other);
    EXPECT_EQ(log, std::vector<Event>{A(1, Item(a.First()))});
    EXPECT_TRUE(other.events().empty());
    a.NotifyChanged(nullptr, nullptr);
    EXPECT_EQ(other.events(), std::vector<Event>{A(1)});
}

TEST_F(ListEvents, SuppressionCounterNestsAndNeverGoesNegative) {
    a.SetNotify(true);  // at 0 stays 0
    EXPECT_TRUE(a.IsNotifyEnabled());
    a.SetNotify(false);
    a.SetNotify(false);
    a.Add(new Node(1));
    a.SetNotify(true);
    a.Add(new Node(2));
    a.Sort();
    a.NotifyChanged(nullptr, nullptr);
    EXPECT_TRUE(log.empty());
    a.SetNotify(true);
    EXPECT_TRUE(a.IsNotifyEnabled());
    a.Add(new Node(3));
    EXPECT_EQ(log.size(), 1u);
    a.SetNotify(false);
    a.SetNotify(false);
    a.ForceNotify();
    EXPECT_TRUE(a.IsNotifyEnabled());
    // Kind 4 ignores the counter.
    log.clear();
    a.SetNotify(false);
    a.NotifyDestroyed();
    EXPECT_EQ(log, std::vector<Event>{A(4)});
    a.ForceNotify();
}

TEST_F(ListEvents, QueriesSendNothing) {
    Fill(a, {2, 9});
    log.clear();
    a.Count();
    a.CountMoreThan(1);
    a.Get(1);
    a.Find(9u);
    a.Find(String(""), true);
    a.GetFreeId(0);
    a.Exist(a.First());
    a.Index(a.Last());
    EXPECT_EQ(a.Renumber(10, nullptr, 5), 2);
    EXPECT_TRUE(log.empty());
}

TEST(ListDestruction, SendsChangedThenDestroyedAndReleasesObservers) {
    Node::live = 0;
    std::vector<Event> log;
    auto list = std::make_unique<TOmListHeader<Node>>();
    OmStandardNotifier* sender = list.get();
    Recorder r(list.get(), &log);
    list->Add(new Node(1));
    log.clear();
    list.reset();
    EXPECT_EQ(log, (std::vector<Event>{{sender, 1, nullptr}, {sender, 4, nullptr}}));
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

TEST(ListDestruction, ObserversMayInspectTheListUntilTheEnd) {
    Node::live = 0;
    auto list = std::make_unique<TOmListHeader<Node>>();
    Walker w(list.get());
    list->Add(new Node(1));
    list->Add(new Node(2));
    list->Sort();
    list.reset();
    EXPECT_EQ(w.counts, (std::vector<int>{1, 2, 2, 0, -1}));
    EXPECT_EQ(Node::live, 0);
}

}  // namespace
}  // namespace om::test
