// Observers and notifiers: registration, order, copies and both destruction orders.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "list_fixtures.h"

namespace om::test {
namespace {

TEST(Notifier, RegistersEachObserverOnce) {
    OmStandardNotifier n, other;
    OmObserver o;
    EXPECT_FALSE(n.AddObserver(nullptr));
    EXPECT_TRUE(n.AddObserver(&o));
    EXPECT_FALSE(n.AddObserver(&o));      // already registered here
    EXPECT_FALSE(other.AddObserver(&o));  // or anywhere
    EXPECT_FALSE(o.SetNotifyParent(&other));
    EXPECT_EQ(n.Size() + 10 * other.Size(), 1);
    EXPECT_TRUE(o.ChangeNotifyParent(&other));
    EXPECT_EQ(n.Size() + 10 * other.Size(), 10);
    EXPECT_FALSE(n.RemoveObserver(&o));
    EXPECT_TRUE(o.RemoveFromNotifyParent());
    EXPECT_FALSE(o.RemoveFromNotifyParent());
    EXPECT_EQ(o.GetNotifyParent(), nullptr);
}

TEST(Notifier, NotifiesInRegistrationOrderAndCountsTheExcluded) {
    OmStandardNotifier n;
    std::vector<Event> log;
    Recorder r1(&n, &log), r2(&n, &log), r3(&n, &log);
    int marker = 0;
    OmNotifyEvent e{1, &n, &marker};
    EXPECT_EQ(n.NotifyObservers(&e, &r2), 3);
    EXPECT_EQ(log.size(), 2u);
    // Removing the first moves the later ones up, keeping their order.
    EXPECT_TRUE(n.RemoveObserver(&r1));
    EXPECT_EQ(n[0], &r2);
    EXPECT_EQ(n[1], &r3);
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

// Copies keep the link but never the registration: a copied registration would dangle once the
// notifier dies.
TEST(Observer, DefaultNotifyCallsTheLinkAndCopiesAreNotRegistered) {
    Target t;
    auto list = std::make_unique<TOmListHeader<Node>>();
    OmObserver linked(list.get(), Link(&t, &Target::OnEvent));
    list->Add(new Node(1));
    list->Sort();
    EXPECT_EQ(t.seen, (std::vector<int>{2, 1}));
    OmObserver copy(linked);
    EXPECT_EQ(copy.GetNotifyParent(), nullptr);
    EXPECT_TRUE(copy.GetLink().IsSet());
    OmStandardNotifier other;
    OmObserver assigned(&other);
    assigned = linked;  // copies the link, keeps its own registration
    EXPECT_EQ(assigned.GetNotifyParent(), &other);
    EXPECT_TRUE(assigned.GetLink().IsSet());
    EXPECT_EQ(list->Size(), 1);
    list.reset();
    EXPECT_EQ(linked.GetNotifyParent(), nullptr);
}

TEST(Observer, EitherSideMayBeDestroyedFirst) {
    OmStandardNotifier n;
    { OmObserver o(&n); }
    EXPECT_EQ(n.Size(), 0);
    OmNotifyEvent e{1, &n, nullptr};
    EXPECT_EQ(n.NotifyObservers(&e), 0);

    // Notifier first: the observers are released and can register elsewhere.
    auto list = std::make_unique<TOmListHeader<Node>>();
    std::vector<Event> log;
    auto r1 = std::make_unique<Recorder>(list.get(), &log);
    Recorder r2(list.get(), &log);
    list.reset();
    EXPECT_EQ(r1->GetNotifyParent(), nullptr);
    EXPECT_EQ(log.size(), 4u);  // kind 1 and kind 4, to each
    r1.reset();                 // must not touch the dead notifier
    TOmListHeader<Node> next;
    EXPECT_TRUE(r2.SetNotifyParent(&next));
}

TEST(Observer, ListAssignmentAndCopyLeaveRegistrationsAlone) {
    std::vector<Event> log;
    auto source = std::make_unique<TOmListHeader<Node>>();
    TOmListHeader<Node> target;
    Recorder onSource(source.get(), &log), onTarget(&target, &log);
    source->Add(new Node(1));
    log.clear();
    target = *source;
    TOmListHeader<Node> copy(*source);
    EXPECT_EQ(copy.Size(), 0);
    EXPECT_EQ(target.Size(), 1);
    EXPECT_EQ(target[0], &onTarget);
    EXPECT_EQ(log, (std::vector<Event>{Event{&target, 1, nullptr}}));
    // Notifiers as values (records that carry one) behave the same way.
    OmStandardNotifier a;
    OmStandardNotifier b(a);
    Recorder onA(&a);
    b = a;
    EXPECT_EQ(b.Size(), 0);
    source.reset();
    EXPECT_EQ(onSource.GetNotifyParent(), nullptr);
    EXPECT_EQ(onTarget.GetNotifyParent(), &target);
}

}  // namespace
}  // namespace om::test
