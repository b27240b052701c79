// Change notification: events, observers and the notifier that holds them.
#pragma once

#include <om/core/array.h>
#include <om/core/link.h>

namespace om {

class OmStandardNotifier;

// Codes of `OmNotifyEvent::kind`.
enum : int {
    kOmNotifyChanged = 1,     // an element changed, or (item null) the whole list
    kOmNotifyAdded = 2,       // item was added
    kOmNotifySubtracted = 3,  // item was removed (null: not named)
    kOmNotifyDestroyed = 4,   // the sender is being destroyed
};

// One change reported by a notifier to its observers.
struct OmNotifyEvent {
    int kind = 0;
    OmStandardNotifier* sender = nullptr;
    void* item = nullptr;  // the element concerned, null when the whole list is concerned
};

// Receives the events of the notifier it is registered with. By default an event is handed to
// the observer's link (as the `void*` argument); derived observers override `Notify`.
//
// An observer is registered with at most one notifier, named by its notify parent. Whichever
// of the two is destroyed first ends the registration, so both destruction orders are safe.
class OmObserver {
  public:
    OmObserver() = default;
    explicit OmObserver(const Link& link) : link_(link) {}
    // Registers with `notifier` when it is non-null.
    explicit OmObserver(OmStandardNotifier* notifier);
    OmObserver(OmStandardNotifier* notifier, const Link& link);
    // Copies the link. The copy starts unregistered: a notify parent that does not hold the
    // observer could dangle once that notifier is gone.
    OmObserver(const OmObserver& other) : link_(other.link_) {}
    // Copies the link; the own registration stays as it is.
    OmObserver& operator=(const OmObserver& other);
    // Deregisters.
    virtual ~OmObserver();

    void SetLink(const Link& link) { link_ = link; }
    const Link& GetLink() const { return link_; }
    OmStandardNotifier* GetNotifyParent() const { return parent_; }

    // Registers with `notifier` when it is non-null; false when refused (already registered).
    bool SetNotifyParent(OmStandardNotifier* notifier);
    // Deregisters from the current notifier, if any; false when there was none.
    bool RemoveFromNotifyParent();
    // Deregisters, then registers with `notifier` (when non-null).
    bool ChangeNotifyParent(OmStandardNotifier* notifier);

  protected:
    // Calls the link with the event when the link is set.
    virtual void Notify(OmNotifyEvent* event);

  private:
    friend class OmStandardNotifier;

    Link link_;
    OmStandardNotifier* parent_ = nullptr;
};

// Holds the registered observers in registration order and sends events to them.
//
// The observer array is the notifier's own registry: copies of a notifier start without
// observers, and the array's mutators are not public, so the notifier never holds an observer
// whose notify parent is another notifier.
class OmStandardNotifier : public TOmArray<OmObserver*> {
  public:
    OmStandardNotifier() : TOmArray<OmObserver*>(kDefaultCapacity) {}
    OmStandardNotifier(const OmStandardNotifier&) : OmStandardNotifier() {}
    // Keeps the own observers.
    OmStandardNotifier& operator=(const OmStandardNotifier&) { return *this; }
    // Clears the notify parent of every remaining observer.
    ~OmStandardNotifier() override;

    // False for a null observer or one that already has a notify parent; otherwise registers
    // it (appended, parent set to this notifier) and returns true.
    bool AddObserver(OmObserver* observer);
    // False when not registered here; otherwise clears its parent, removes it (later observers
    // move up) and returns true.
    bool RemoveObserver(OmObserver* observer);
    void RemoveAllObservers();
    // Calls `Notify` of every registered observer except `except` (null: none excluded) in
    // registration order; returns the number of registered observers, the excluded one counted.
    int NotifyObservers(OmNotifyEvent* event, OmObserver* except = nullptr);

  private:
    using TOmArray<OmObserver*>::Add;
    using TOmArray<OmObserver*>::Insert;
    using TOmArray<OmObserver*>::Remove;
    using TOmArray<OmObserver*>::Clear;
    using TOmArray<OmObserver*>::Sort;
};

}  // namespace om
