// The notifying owning list every record class lives in.
#pragma once

#include <algorithm>
#include <climits>
#include <vector>

#include <om/core/base_list_header.h>
#include <om/core/notify.h>
#include <om/core/string.h>

namespace om {

// An owning list of `OmListnode`-derived records that tells its registered observers about every
// change. Each event names this list's notifier as sender:
//
//   kind 1 (changed)     NotifyChanged, NotifyMultiAdd, NotifySort; item: the element or null
//   kind 2 (added)       NotifyAdd; item: the added element
//   kind 3 (subtracted)  NotifySubtract; item: the removed element (null when not named)
//   kind 4 (destroyed)   NotifyDestroyed and the destructor; item null
//
// Events are sent only while the notify-off counter is 0, except kind 4, which is always sent.
// Items are passed as `static_cast<void*>(T*)`.
//
// Registrations belong to the notifier, not to the contents: copying or assigning a list never
// copies, moves or drops observers.
template <class T>
class TOmListHeader : public TOmBaseListHeader<T>, public OmStandardNotifier {
    using Base = TOmBaseListHeader<T>;

  public:
    // Both bases have members of these names; the list's are meant.
    using Base::Add;
    using Base::Find;
    using Base::Insert;
    using Base::IsEmpty;
    using Base::Sort;
    using Base::Subtract;
    using Base::Swap;
    using Base::operator=;

    TOmListHeader() = default;
    // Copies of the elements; the new list has no observers.
    TOmListHeader(const TOmListHeader& other) : Base(other), OmStandardNotifier() {}
    // Replaces the elements by copies of the source's (one kind 1 event); observers stay.
    TOmListHeader& operator=(const TOmListHeader& source) {
        Base::operator=(source);
        return *this;
    }
    // Deletes the elements (`Destroy`), sends kind 4 whatever the counter, then deregisters
    // all observers.
    ~TOmListHeader() override {
        this->Destroy();
        NotifyDestroyed();
        RemoveAllObservers();
    }

    void NotifyAdd(T* p) override { Send(kOmNotifyAdded, p); }
    void NotifyMultiAdd() override { Send(kOmNotifyChanged, nullptr); }
    void NotifySubtract(T* p) override { Send(kOmNotifySubtracted, p); }
    // Kind 1 with p as item, not sent to `except`.
    void NotifyChanged(T* p, OmObserver* except) override { Send(kOmNotifyChanged, p, except); }
    void NotifySort() override { Send(kOmNotifyChanged, nullptr); }
    void NotifyDestroyed() override {
        OmNotifyEvent event{kOmNotifyDestroyed, this, nullptr};
        NotifyObservers(&event);
    }

    // Appends a heap copy of x.
    virtual T* Add(const T& x) { return Add(new T(x)); }

    // Moves p to the end of dest and returns p's former successor here, so that a caller can
    // move elements while walking. A p that is not in this list is left where it is.
    virtual T* Move(T* p, TOmListHeader& dest) {
        if (p == nullptr) return nullptr;
        T* next = Base::NextOf(p);
        if (T* taken = Subtract(p)) dest.Add(taken);
        return next;
    }

    virtual T* Replace(const T& x) { return Replace(new T(x)); }

    // Puts p in place of the element with p's id (deleted), or appends p when there is none.
    // A replacement sends kind 3 (item null) and kind 2 (p).
    virtual T* Replace(T* p) {
        if (p == nullptr) return nullptr;
        T* old = Find(p->GetId());
        if (old == nullptr) return Add(p);
        if (old == p) return p;
        this->SetNotify(false);
        Insert(old, p);
        delete Subtract(old);
        this->SetNotify(true);
        NotifySubtract(nullptr);
        NotifyAdd(p);
        return p;
    }

    virtual T* SortedReplace(const T& x) { return SortedReplace(new T(x)); }

    // Puts p in place of the element with p's id (kind 2 for p, then kind 3 for the old one,
    // which is deleted after the event), or inserts p in order when there is none.
    virtual T* SortedReplace(T* p) {
        if (p == nullptr) return nullptr;
        T* old = Find(p->GetId());
        if (old == nullptr) return this->SortedInsert(p);
        if (old == p) return p;
        Insert(old, p);
        delete Subtract(old);
        return p;
    }

    virtual T* Subtract(const String& name) { return Subtract(Find(name, false)); }
    virtual T* Subtract(unsigned id) { return Subtract(Find(id)); }

    // The first element whose name equals `name`: byte-wise when exact, else ignoring the case
    // of the letters a-z.
    virtual T* Find(const String& name, bool exact) const {
        for (T* e = this->First(); e != nullptr; e = Base::NextOf(e)) {
            const int d = exact ? compare(e->GetName(), name) : fcompare(e->GetName(), name);
            if (d == 0) return e;
        }
        return nullptr;
    }

    virtual T* Find(unsigned id) const {
        for (T* e = this->First(); e != nullptr; e = Base::NextOf(e)) {
            if (e->GetId() == id) return e;
        }
        return nullptr;
    }

    // start 0: the largest id plus 1 (1 for an empty list). Otherwise the first of start,
    // start + 1, ... (continuing at 0 after the largest unsigned value) that no element has.
    virtual unsigned GetFreeId(unsigned start) const {
        std::vector<unsigned> ids;
        for (T* e = this->First(); e != nullptr; e = Base::NextOf(e)) ids.push_back(e->GetId());
        if (start == 0) {
            unsigned largest = 0;
            for (unsigned id : ids) largest = std::max(largest, id);
            return largest + 1;
        }
        std::sort(ids.begin(), ids.end());
        ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
        unsigned candidate = start;
        auto taken = std::lower_bound(ids.begin(), ids.end(), candidate);
        for (std::size_t step = 0; step <= ids.size(); ++step) {
            if (taken == ids.end() || *taken != candidate) return candidate;
            ++candidate;
            ++taken;
            if (candidate == 0) taken = ids.begin();  // wrapped around
        }
        return candidate;
    }

    // Gives the elements from `from` (from the first when null) to the end the ids start,
    // start + step, ...; returns the number renumbered.
    virtual int Renumber(unsigned start, T* from, unsigned step) {
        int n = 0;
        for (T* e = from != nullptr ? from : this->First(); e != nullptr; e = Base::NextOf(e)) {
            e->SetId(start);
            start += step;
            ++n;
        }
        return n;
    }

    virtual void Dump() {
        for (T* e = this->First(); e != nullptr; e = Base::NextOf(e)) e->Dump();
    }

    // Orders the elements by ascending id whatever their `Compare`; elements with equal ids
    // keep their order, none is lost. One kind 1 event (item null). Returns true.
    bool SortById() {
        std::vector<T*> nodes;
        for (T* e = this->First(); e != nullptr; e = Base::NextOf(e)) nodes.push_back(e);
        this->SetNotify(false);
        std::vector<T*> taken;
        taken.reserve(nodes.size());
        for (T* e : nodes) {
            if (Subtract(e) != nullptr) taken.push_back(e);
        }
        std::stable_sort(taken.begin(), taken.end(),
                         [](const T* a, const T* b) { return a->GetId() < b->GetId(); });
        for (T* e : taken) Add(e);
        this->SetNotify(true);
        NotifyChanged(nullptr, nullptr);
        return true;
    }

  private:
    void Send(int kind, T* item, OmObserver* except = nullptr) {
        if (!this->IsNotifyEnabled()) return;
        OmNotifyEvent event{kind, this, static_cast<void*>(item)};
        NotifyObservers(&event, except);
    }
};

}  // namespace om
