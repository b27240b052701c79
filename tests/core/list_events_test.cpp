// Exact event sequences of every list operation, suppressed ones included.
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "list_fixtures.h"

namespace om::test {
namespace {

using List = TOmListHeader<Node>;

std::string IdText(const List& a, const List& b) {
    std::string s;
    for (const List* l : {&a, &b}) {
        for (unsigned id : Ids(*l)) s += std::to_string(id) + " ";
        s += l == &a ? "|" : "";
    }
    return s;
}

// Runs op on fresh lists a and b holding the given ids and checks the events it sends and the
// ids it leaves.
void Check(const char* what, std::vector<unsigned> ids_a, std::vector<unsigned> ids_b,
           const char* events, const char* ids, const std::function<void(List&, List&)>& op) {
    Node::live = 0;
    {
        std::string log;
        List a, b;
        Text<> ta(&a, 'a', &log), tb(&b, 'b', &log);
        for (unsigned id : ids_a) a.Add(new Node(id));
        for (unsigned id : ids_b) b.Add(new Node(id));
        log.clear();
        op(a, b);
        EXPECT_EQ(log, events) << what;
        EXPECT_EQ(IdText(a, b), ids) << what;
        EXPECT_TRUE(LinksConsistent(a) && LinksConsistent(b)) << what;
    }
    EXPECT_EQ(Node::live, 0) << what;
}

TEST(ListEvents, EveryOperationSendsItsExactSequence) {
    Check("additions", {8, 3}, {}, "a2:5 a2:9 a2:1 a2:2 a2:4 a2:6", "1 9 8 5 3 2 4 6 |",
          [](List& a, List&) {
              a.SortedInsert(new Node(5));
              a.Insert(a.First(), new Node(9));
              a.InsertFirst(new Node(1));
              a.Push(new Node(2));
              a.Add(Node(4));
              a.Add(new Node(6));
          });
    // By index, folded name, id, first, last; the element handed back is unlinked.
    Check("subtractions", {1, 2, 3, 4, 5}, {}, "a3:2 a3:3 a3:5 a3:1 a3:4", "|", [](List& a, List&) {
        a.Find(3u)->SetName("Three");
        std::unique_ptr<Node> n(a.Subtract(1));
        EXPECT_TRUE(n->Next() == nullptr && n->Previous() == nullptr);
        delete a.Subtract(String("three"));
        delete a.Subtract(5u);
        delete a.SubtractFirst();
        delete a.Pop();
    });
    Check("null elements", {}, {}, "", "|", [](List& a, List&) {
        EXPECT_EQ(a.Add(nullptr), nullptr);
        a.SortedInsert(nullptr);
        a.Insert(nullptr, nullptr);
    });
    // A subtraction that finds nothing still reports.
    Check("subtracting nothing", {}, {}, "a3 a3 a3 a3 a3 a3", "|", [](List& a, List&) {
        EXPECT_EQ(a.Subtract(static_cast<Node*>(nullptr)), nullptr);
        a.Subtract(0);
        a.Pop();
        a.SubtractFirst();
        a.Subtract(String("none"));
        a.Subtract(77u);
    });
    Check("Sort of nothing", {}, {}, "a1", "|", [](List& a, List&) { EXPECT_EQ(a.Sort(), 0); });
    Check("Sort", {4, 8, 1}, {}, "a1", "8 4 1 |", [](List& a, List&) { EXPECT_EQ(a.Sort(), 3); });
    Check("SortById", {4, 8, 1}, {}, "a1", "1 4 8 |", [](List& a, List&) { a.SortById(); });
    Check("CopyTo from nothing, self-assignment", {}, {1, 2}, "", "|1 2 ", [](List& a, List& b) {
        EXPECT_EQ(a.CopyTo(&b), 0);
        b = b;
    });
    Check("assigning nothing", {}, {1, 2}, "b1", "|", [](List& a, List& b) { b = a; });
    Check("CopyTo", {4, 1}, {}, "b1", "4 1 |4 1 ", [](List& a, List& b) { a.CopyTo(&b); });
    Check("+=", {4}, {1}, "b1", "4 |1 4 ", [](List& a, List& b) { b += a; });
    Check("=", {4}, {1}, "b1", "4 |4 ", [](List& a, List& b) { b = a; });
    Check("Destroy", {4}, {1}, "b1", "4 |", [](List&, List& b) { b.Destroy(); });
    Check("SubtractAll", {4, 1}, {}, "a1", "|", [](List& a, List&) {
        std::vector<Node*> handed(a.begin(), a.end());
        a.SubtractAll();
        for (Node* n : handed) delete n;
    });
    Check("MoveTo", {1, 2}, {3}, "b1 a1", "|3 1 2 ", [](List& a, List& b) { a.MoveTo(&b); });
    Check("MoveTo of nothing, to null, to itself", {}, {3}, "", "|3 ", [](List& a, List& b) {
        a.MoveTo(&b);
        b.MoveTo(nullptr);
        b.MoveTo(&b);
    });
    Check("Swap", {9}, {3, 1}, "a1 a1 b1 b1", "3 1 |9 ", [](List& a, List& b) { a.Swap(&b); });
    // This reports once when moved out, the other once at the end.
    Check("Swap with an empty list", {3}, {}, "a1 b1", "|3 ", [](List& a, List& b) { a.Swap(&b); });
    // Both report when the other moves in, the other once more.
    Check("Swap of an empty list", {}, {3}, "a1 b1 b1", "3 |",
          [](List& a, List& b) { a.Swap(&b); });
    Check("Swap with itself or null", {1}, {}, "", "1 |", [](List& a, List&) {
        a.Swap(&a);
        a.Swap(nullptr);
    });
    // Move hands back the element after the moved one.
    Check("Move", {1, 2, 3}, {}, "a3:2 b2:2", "1 3 |2 ",
          [](List& a, List& b) { EXPECT_EQ(a.Move(a.Get(1), b), a.Last()); });
    Check("Replace", {1, 3, 2}, {}, "a3 a2:3", "1 3 2 |",
          [](List& a, List&) { a.Replace(new Node(3, 1)); });
    Check("Replace of a new id", {1}, {}, "a2:8", "1 8 |",
          [](List& a, List&) { a.Replace(Node(8)); });
    // The new element takes the old one's place, not its sorted one.
    Check("SortedReplace", {1, 3}, {}, "a2:1 a3:1", "1 3 |",
          [](List& a, List&) { a.SortedReplace(new Node(1, 7)); });
    Check("SortedReplace of a new id", {3, 1}, {}, "a2:2", "3 2 1 |",
          [](List& a, List&) { a.SortedReplace(Node(2)); });
    Check("NotifyChanged", {1}, {}, "a1:1 a1", "1 |", [](List& a, List&) {
        a.NotifyChanged(a.First(), nullptr);
        a.NotifyChanged(nullptr, nullptr);
    });
    // The suppression counter nests and never goes negative; kind 4 ignores it. Queries and
    // renumbering send nothing.
    Check("suppression", {}, {}, "a4 a2:4 a1", "15 10 4 |", [](List& a, List&) {
        a.SetNotify(true);
        a.SetNotify(false);
        a.SetNotify(false);
        a.Add(new Node(2));
        a.SetNotify(true);
        a.Add(new Node(3));
        a.Sort();
        a.NotifyDestroyed();
        a.SetNotify(true);
        a.Find(9u);
        a.GetFreeId(0);
        a.Renumber(10, nullptr, 5);
        a.Add(new Node(4));
        a.SetNotify(false);
        a.SetNotify(false);
        a.ForceNotify();
        a.Sort();
    });
}

// Walks the list on every event, as a view refreshing itself would.
class Walker : public OmObserver {
  public:
    explicit Walker(List* list) : OmObserver(list), list_(list) {}
    bool SetNotifyParent(List* list) { return list_ = list, OmObserver::SetNotifyParent(list); }
    std::vector<int> counts;

  protected:
    void Notify(OmNotifyEvent* e) override {
        counts.push_back(e->kind == kOmNotifyDestroyed ? -1 : list_->Count());
    }

  private:
    List* list_;
};

TEST(ListEvents, DestructionSendsChangedThenDestroyedAndReleasesObservers) {
    Node::live = 0;
    auto list = std::make_unique<List>();
    Walker w(list.get());  // may inspect the list until the end
    list->Add(new Node(1));
    list->Add(new Node(2));
    list->Sort();
    list.reset();
    EXPECT_EQ(w.counts, (std::vector<int>{1, 2, 2, 0, -1}));
    EXPECT_EQ(w.GetNotifyParent(), nullptr);
    EXPECT_EQ(Node::live, 0);
    // With notifications off only the destruction itself is reported.
    list = std::make_unique<List>();
    EXPECT_TRUE(w.SetNotifyParent(list.get()));
    list->Add(new Node(1));
    list->SetNotify(false);
    list.reset();
    EXPECT_EQ(w.counts, (std::vector<int>{1, 2, 2, 0, -1, 1, -1}));
}

}  // namespace
}  // namespace om::test
