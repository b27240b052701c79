// Notifications: registration and order, the exact event sequence of every list operation,
// attribute hooks around those events, copies and both destruction orders.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <om/core/attribute.h>
#include <om/core/link.h>

#include "list_fixtures.h"

namespace om::test {
namespace {

TEST(Notifier, RegistersEachObserverOnceAndNotifiesInOrder) {
    OmStandardNotifier n, other;
    OmObserver o;
    EXPECT_TRUE(!n.AddObserver(nullptr) && n.AddObserver(&o));
    // Already registered, here or anywhere.
    EXPECT_FALSE(n.AddObserver(&o) || other.AddObserver(&o) || o.SetNotifyParent(&other));
    EXPECT_TRUE(o.ChangeNotifyParent(&other));
    EXPECT_EQ(n.Size() + 10 * other.Size(), 10);
    EXPECT_TRUE(!n.RemoveObserver(&o) && o.RemoveFromNotifyParent() && !o.RemoveFromNotifyParent());

    std::string log;
    Text<> r1(&n, '1', &log), r2(&n, '2', &log), r3(&n, '3', &log);
    OmNotifyEvent e{1, &n, nullptr};
    EXPECT_EQ(n.NotifyObservers(&e, &r2), 3);  // the excluded one is counted
    EXPECT_EQ(log, "11 31");
    // Removing the first moves the later ones up, keeping their order.
    EXPECT_TRUE(n.RemoveObserver(&r1));
    EXPECT_TRUE(n[0] == &r2 && n[1] == &r3);
    { OmObserver gone(&n); }
    EXPECT_EQ(n.NotifyObservers(&e), 2);
}

// A link target: records the events handed to it through the default Notify. The object base in
// front of LinkHdl moves the LinkHdl part away from the object's start.
class Target : public OmObject, public LinkHdl {
  public:
    long OnEvent(void* arg) { return seen.push_back(static_cast<OmNotifyEvent*>(arg)->kind), 7; }
    std::vector<int> seen;
};

// The default Notify calls the link, whatever the offset of the LinkHdl part. Copies of observers
// and notifiers, and list assignment, keep links but never registrations: a copied registration
// would dangle once its notifier dies.
TEST(Observer, CallsItsLinkAndCopiesLeaveRegistrationsAlone) {
    Target t;
    std::string log;
    auto source = std::make_unique<TOmListHeader<Node>>();
    TOmListHeader<Node> target;
    OmObserver linked(source.get(), Link(&t, &Target::OnEvent));
    Text<> onTarget(&target, 't', &log);
    source->Add(new Node(1));
    source->Sort();
    EXPECT_EQ(t.seen, (std::vector<int>{2, 1}));
    OmObserver copy(linked);
    EXPECT_TRUE(copy.GetNotifyParent() == nullptr && copy.GetLink().IsSet());
    OmObserver assigned(&target);
    assigned = linked;  // copies the link, keeps its own registration
    EXPECT_TRUE(assigned.GetNotifyParent() == &target && assigned.GetLink().IsSet());

    log.clear();
    target = *source;
    TOmListHeader<Node> copiedList(*source);
    EXPECT_TRUE(copiedList.Size() == 0 && target.Size() == 2 && source->Size() == 1);
    EXPECT_EQ(log, "t1");
    OmStandardNotifier a;
    OmObserver onA(&a);
    OmStandardNotifier b(a);
    b = a;
    EXPECT_EQ(b.Size(), 0);
    // Notifier first: its observers are released, may die later and register elsewhere.
    source.reset();
    EXPECT_TRUE(linked.GetNotifyParent() == nullptr && linked.SetNotifyParent(&a));
    EXPECT_EQ(onTarget.GetNotifyParent(), &target);
}

using List = TOmListHeader<Node>;

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
        EXPECT_EQ(Ids(a) + "|" + Ids(b), ids) << what;
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
    // Null elements change nothing, but a subtraction that finds nothing still reports.
    Check("null and missing elements", {}, {}, "a3 a3 a3 a3 a3 a3", "|", [](List& a, List&) {
        EXPECT_EQ(a.Add(nullptr), nullptr);
        a.SortedInsert(nullptr);
        a.Insert(nullptr, nullptr);
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
    Check("Swap from empty", {}, {3}, "a1 b1 b1", "3 |", [](List& a, List& b) { a.Swap(&b); });
    Check("Swap with itself or null", {1}, {}, "", "1 |", [](List& a, List&) {
        a.Swap(&a);
        a.Swap(nullptr);
    });
    // Move hands back the element after the moved one.
    Check("Move", {1, 2, 3}, {}, "a3:2 b2:2", "1 3 |2 ",
          [](List& a, List& b) { EXPECT_EQ(a.Move(a.Get(1), b), a.Last()); });
    Check("Replace", {1, 3, 2}, {}, "a3 a2:3", "1 3 2 |",
          [](List& a, List&) { a.Replace(new Node(3, 1)); });
    Check("Replace new id", {1}, {}, "a2:8", "1 8 |", [](List& a, List&) { a.Replace(Node(8)); });
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
    EXPECT_TRUE(w.GetNotifyParent() == nullptr && Node::live == 0);
    // With notifications off only the destruction itself is reported.
    list = std::make_unique<List>();
    Walker off(list.get());
    list->Add(new Node(1));
    list->SetNotify(false);
    list.reset();
    EXPECT_EQ(off.counts, (std::vector<int>{1, -1}));
}

// Writes every hook call into the text the lists' events go to.
class Tracked : public OmAttribute {
  public:
    static inline std::string* log = nullptr;
    static inline int live = 0;

    explicit Tracked(unsigned id) : OmAttribute(String()) { SetId(id), ++live; }
    Tracked(const Tracked& o) : OmAttribute(o) { ++live; }
    ~Tracked() override { --live; }

    int OnAdd() override { return Note("OnAdd"); }
    int OnSubtract() override { return Note("OnSubtract"); }
    int OnPreMove() override { return Note("OnPreMove"); }
    int OnMove(OmObject* parent) override { return Note("OnMove"), OmAttribute::OnMove(parent); }

  private:
    int Note(const char* hook) {
        *log += std::string(" ") + hook + ":" + std::to_string(GetId());
        return 1;
    }
};

// Add sets the parent and calls the hook after the list's event, Subtract calls it before; both
// go through the override inside Destroy too. Copies never take the parent over. Moving hands
// every attribute over with its own pair of events and hooks.
TEST(Attributes, HooksAroundTheListsEvents) {
    std::string log;
    Tracked::log = &log;
    Tracked::live = 0;
    {
        OmAttributeList src, dst;
        Text<OmAttribute> ts(&src, 's', &log), td(&dst, 'd', &log);
        OmObject owner(1), other(2);
        Tracked* a = new Tracked(1);
        EXPECT_TRUE(src.Add(a, &owner) == a && a->GetParent() == &owner);
        EXPECT_EQ(Tracked(*a).GetParent(), nullptr);
        Tracked* b = new Tracked(2);
        b->SetParent(&other);
        // Add2 changes no parent and calls no hook.
        EXPECT_TRUE(src.Add2(b) == b && src.Add(nullptr, &owner) == nullptr);
        std::unique_ptr<OmAttribute> taken(src.Subtract(b));
        EXPECT_EQ(taken->GetParent(), nullptr);
        src.Destroy();
        EXPECT_EQ(log, "s2:1 OnAdd:1 s2:2 OnSubtract:2 s3:2 OnSubtract:1 s1");

        src.Add(new Tracked(1), &owner);
        src.Add(new Tracked(2), &owner);
        dst.Add(new Tracked(3), &other);
        log.clear();
        src.MoveAttributes(&dst, &other);
        dst.MoveAttributes(nullptr, &owner);
        dst.MoveAttributes(&dst, &owner);
        EXPECT_EQ(log, "s3:1 OnPreMove:1 d2:1 OnMove:1 s3:2 OnPreMove:2 d2:2 OnMove:2");
        EXPECT_TRUE(src.IsEmpty() && dst.Count() == 3 && LinksConsistent(dst));
        for (OmAttribute* x : dst) EXPECT_EQ(x->GetParent(), &other);
    }
    EXPECT_EQ(Tracked::live, 0);
}

}  // namespace
}  // namespace om::test
