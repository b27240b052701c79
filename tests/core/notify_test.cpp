// Observers, notifiers and links: registration, order, copies and both destruction orders.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <om/core/link.h>

#include "list_fixtures.h"

namespace om::test {
namespace {

TEST(Notifier, RegistersEachObserverOnceAndNotifiesInOrder) {
    OmStandardNotifier n, other;
    OmObserver o;
    EXPECT_FALSE(n.AddObserver(nullptr));
    EXPECT_TRUE(n.AddObserver(&o));
    EXPECT_FALSE(n.AddObserver(&o));      // already registered here
    EXPECT_FALSE(other.AddObserver(&o));  // or anywhere
    EXPECT_FALSE(o.SetNotifyParent(&other));
    EXPECT_TRUE(o.ChangeNotifyParent(&other));
    EXPECT_EQ(n.Size() + 10 * other.Size(), 10);
    EXPECT_FALSE(n.RemoveObserver(&o));
    EXPECT_TRUE(o.RemoveFromNotifyParent());
    EXPECT_FALSE(o.RemoveFromNotifyParent());

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

// A link target: records the events handed to it through the default Notify.
class Target : public LinkHdl {
  public:
    long OnEvent(void* arg) {
        seen.push_back(static_cast<OmNotifyEvent*>(arg)->kind);
        return 7;
    }
    std::vector<int> seen;
};

// A second base in front of LinkHdl moves the LinkHdl part away from the object's start.
class Shifted : public OmObject, public Target {};

TEST(Link, CallsTheBoundMemberFunctionThroughAnyBaseOffset) {
    OmNotifyEvent e{3, nullptr, nullptr};
    EXPECT_EQ(Link().Call(&e), 0);
    Shifted s;
    EXPECT_FALSE(Link(static_cast<LinkHdl*>(&s), nullptr).IsSet());
    Link l(&s, &Target::OnEvent);
    EXPECT_EQ(Link(l).Call(&e), 7);
    EXPECT_EQ(s.seen, std::vector<int>{3});
}

// Copies of observers and notifiers, and list assignment, keep links but never registrations:
// a copied registration would dangle once its notifier dies.
TEST(Observer, CopiesAndAssignmentsLeaveRegistrationsAlone) {
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
    EXPECT_EQ(assigned.GetNotifyParent(), &target);
    EXPECT_TRUE(assigned.GetLink().IsSet());

    log.clear();
    target = *source;
    TOmListHeader<Node> copiedList(*source);
    EXPECT_EQ(copiedList.Size(), 0);
    EXPECT_EQ(target.Size(), 2);
    EXPECT_EQ(source->Size(), 1);
    EXPECT_EQ(log, "t1");
    OmStandardNotifier a;
    OmObserver onA(&a);
    OmStandardNotifier b(a);
    b = a;
    EXPECT_EQ(b.Size(), 0);
    // Notifier first: its observers are released, may die later and register elsewhere.
    source.reset();
    EXPECT_EQ(linked.GetNotifyParent(), nullptr);
    EXPECT_TRUE(linked.SetNotifyParent(&a));
    EXPECT_EQ(onTarget.GetNotifyParent(), &target);
}

}  // namespace
}  // namespace om::test
