// Intrusive doubly linked list that owns its elements.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <vector>

#include <om/core/listnode.h>

namespace om {

class OmObserver;

// A doubly linked list of elements derived from `OmBaseListnode`. The list owns its elements:
// `Destroy`, assignment and the destructor delete them; every `Subtract` variant unlinks an
// element and hands it back to the caller. An element is in at most one list at a time, since
// the links live in the element.
//
// Every operation calls the others through the virtual table, so a derived list's overrides
// take part in the base operations. The `Notify*` operations are empty here; the notifying
// `TOmListHeader` sends events from them. Operations that touch many elements switch
// notifications off around their inner steps and send one summary event at the end.
//
// Ordering: an element p is placed before the first element n for which `n->Compare(p)` is 1 or
// more, where `Compare` is the element's most derived comparison taking a list node. Elements
// that compare equal keep their order.
template <class T>
class TOmBaseListHeader {
  public:
    class iterator;

    TOmBaseListHeader() = default;
    // Copies of the elements (copy constructor of T), in order.
    TOmBaseListHeader(const TOmBaseListHeader& other) {
        try {
            for (T* e = other.first_; e != nullptr; e = NextOf(e)) LinkAfterLast(new T(*e));
        } catch (...) {
            DeleteAll();
            throw;
        }
    }
    // Deletes all elements.
    virtual ~TOmBaseListHeader() { DeleteAll(); }

    virtual void NotifyAdd(T*) {}
    virtual void NotifyMultiAdd() {}
    virtual void NotifySubtract(T*) {}
    virtual void NotifyChanged(T*, OmObserver*) {}
    virtual void NotifySort() {}
    virtual void NotifyDestroyed() {}

    // Off: counter + 1. On: counter - 1 unless already 0. Notifications are on at 0.
    virtual void SetNotify(bool on) {
        if (!on) {
            ++notifyOff_;
        } else if (notifyOff_ > 0) {
            --notifyOff_;
        }
    }
    virtual void ForceNotify() { notifyOff_ = 0; }

    // Replaces the elements by copies of the source's; one summary event.
    virtual TOmBaseListHeader& operator=(const TOmBaseListHeader& source) {
        if (&source == this) return *this;
        SetNotify(false);
        Destroy();
        source.CopyTo(this);
        SetNotify(true);
        NotifyMultiAdd();
        return *this;
    }
    // Appends copies of the source's elements.
    virtual TOmBaseListHeader& operator+=(const TOmBaseListHeader& source) {
        source.CopyTo(this);
        return *this;
    }

    virtual T* First() const { return first_; }
    virtual T* Last() const { return last_; }
    // The i-th element counted from 0; null for a negative i or past the end.
    virtual T* Get(int i) const {
        if (i < 0) return nullptr;
        T* e = First();
        for (; e != nullptr && i > 0; --i) e = NextOf(e);
        return e;
    }

    // Appends p and returns it; null: returns null and nothing happens.
    virtual T* Add(T* p) {
        if (p == nullptr) return nullptr;
        LinkAfterLast(p);
        NotifyAdd(p);
        return p;
    }

    // Links p directly before `before`. An empty list, or a `before` that is null or plainly not
    // linked here (a loose node, or an end of another list), appends p instead. Membership is
    // checked in constant time only: a middle element of another list is not recognised.
    virtual T* Insert(T* before, T* p) {
        if (p == nullptr) return nullptr;
        if (IsEmpty() || before == nullptr || !IsLinkedHere(before)) return Add(p);
        if (before == p) return p;
        p->prev_ = before->prev_;
        p->next_ = before;
        if (before->prev_ != nullptr) {
            before->prev_->next_ = p;
        } else {
            first_ = p;
        }
        before->prev_ = p;
        NotifyAdd(p);
        return p;
    }

    // Inserts p before the first element that compares at least 1 with it, else appends.
    virtual T* SortedInsert(T* p) {
        if (p == nullptr) return nullptr;
        for (T* n = First(); n != nullptr; n = NextOf(n)) {
            if (Precedes(p, n)) return Insert(n, p);
        }
        return Add(p);
    }

    virtual T* InsertFirst(T* p) { return Insert(First(), p); }

    virtual T* Subtract(int i) { return Subtract(Get(i)); }

    // Unlinks p, clears its links, sends `NotifySubtract(p)` and hands p back. A null p unlinks
    // nothing but still notifies. A p that is plainly not linked here (a loose node, or an end of
    // another list) is left alone and yields null without an event: handing it back would invite
    // deleting an element that another list still owns. The check takes constant time, so a
    // middle element of another list is not recognised; callers pass elements of this list.
    virtual T* Subtract(T* p) {
        if (p != nullptr) {
            if (!IsLinkedHere(p)) return nullptr;
            Unlink(p);
        }
        NotifySubtract(p);
        return p;
    }
    virtual T* SubtractFirst() { return Subtract(First()); }
    virtual T* SubtractLast() { return Subtract(Last()); }

    // Stable sort by the ordering rule; one summary event. Returns the number of elements.
    // The elements are taken off one by one (through `Subtract`), sorted as an array of node
    // pointers by a merge sort and relinked, which gives the same order as inserting each into
    // a sorted list in n log n instead of n^2.
    virtual int Sort() {
        std::vector<T*> nodes;
        std::vector<T*> scratch;
        const std::size_t n = static_cast<std::size_t>(Count());
        nodes.reserve(n);
        scratch.resize(n);
        SetNotify(false);
        while (First() != nullptr) {
            T* e = Subtract(First());
            if (e == nullptr) break;
            nodes.push_back(e);
        }
        MergeSort(nodes, scratch);
        for (T* e : nodes) LinkAfterLast(e);
        NotifyMultiAdd();
        SetNotify(true);
        NotifySort();
        return static_cast<int>(nodes.size());
    }

    // Splices the whole chain after dest's last element in constant time and empties this
    // list; then `dest->NotifyMultiAdd()` and `NotifyChanged(null, null)` here. Nothing when
    // dest is null or this list, or when this list is empty.
    virtual void MoveTo(TOmBaseListHeader* dest) {
        if (dest == nullptr || dest == this || IsEmpty()) return;
        SpliceAfterLast(dest, first_, last_);
        first_ = last_ = nullptr;
        dest->NotifyMultiAdd();
        NotifyChanged(nullptr, nullptr);
    }

    // Exchanges the contents with `other` through a temporary list that sends nothing.
    virtual void Swap(TOmBaseListHeader* other) {
        if (other == nullptr || other == this) return;
        TOmBaseListHeader temp;
        MoveTo(&temp);
        other->MoveTo(this);
        if (!temp.IsEmpty()) {
            SpliceAfterLast(other, temp.first_, temp.last_);
            temp.first_ = temp.last_ = nullptr;
        }
        other->NotifyMultiAdd();
    }

    // Appends heap copies (copy constructor of T) of every element to dest with dest's
    // notifications off, then `dest->NotifyMultiAdd()`. Returns the number copied; an empty
    // list leaves dest untouched and returns 0. Copying a list onto itself doubles it.
    virtual int CopyTo(TOmBaseListHeader* dest) const {
        if (dest == nullptr || IsEmpty()) return 0;
        const int n = Count();
        dest->SetNotify(false);
        int copied = 0;
        try {
            for (T* e = First(); copied < n; e = NextOf(e), ++copied) dest->Add(new T(*e));
        } catch (...) {
            dest->SetNotify(true);
            throw;
        }
        dest->SetNotify(true);
        dest->NotifyMultiAdd();
        return copied;
    }

    // Deletes all elements (each taken off through `Subtract`); one `NotifyChanged(null, null)`.
    virtual void Destroy() {
        SetNotify(false);
        while (First() != nullptr) {
            T* e = Subtract(First());
            if (e == nullptr) break;
            delete e;
        }
        SetNotify(true);
        NotifyChanged(nullptr, nullptr);
    }

    // As `Destroy`, but the elements are handed to the caller instead of deleted.
    virtual void SubtractAll() {
        SetNotify(false);
        while (First() != nullptr) {
            if (Subtract(First()) == nullptr) break;
        }
        SetNotify(true);
        NotifyChanged(nullptr, nullptr);
    }

    // Number of elements, by walking.
    virtual int Count() const {
        int n = 0;
        for (T* e = First(); e != nullptr; e = NextOf(e)) ++n;
        return n;
    }
    // True when the list has more than n elements; stops walking once that is known.
    virtual bool CountMoreThan(int n) const {
        int seen = 0;
        for (T* e = First(); e != nullptr; e = NextOf(e)) {
            if (++seen > n) return true;
        }
        return seen > n;
    }
    // True when p (by address) is in the list.
    virtual bool Exist(T* p) const { return Index(p) >= 0; }
    // Position of p counted from 0, or -1 when p is not in the list.
    virtual int Index(T* p) const {
        int i = 0;
        for (T* e = First(); e != nullptr; e = NextOf(e), ++i) {
            if (e == p) return i;
        }
        return -1;
    }
    virtual bool IsEmpty() const { return first_ == nullptr; }
    // The first element that compares equal (0) with x, or null.
    virtual T* Find(const T& x) const {
        for (T* e = First(); e != nullptr; e = NextOf(e)) {
            if (CompareNodes(e, &x) == 0) return e;
        }
        return nullptr;
    }
    virtual T* Push(T* p) { return Add(p); }
    virtual T* Pop() { return SubtractLast(); }

    bool IsNotifyEnabled() const { return notifyOff_ == 0; }
    bool IsPtrInList(void* p) const {
        for (T* e = First(); e != nullptr; e = NextOf(e)) {
            if (static_cast<void*>(e) == p) return true;
        }
        return false;
    }
    T* Cast(const void* p) const { return static_cast<T*>(const_cast<void*>(p)); }
    void AssertInvalid() const {}
    void AssertPointNotInList(T*) const {}

    // Forward iteration over the element pointers: `for (T* e : list)`. The loop must not take
    // the current element off the list; walk with `Move`'s result or `Next()` for that.
    class iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T*;
        using difference_type = std::ptrdiff_t;
        using pointer = T* const*;
        using reference = T* const&;

        iterator() = default;
        explicit iterator(T* e) : e_(e) {}
        reference operator*() const { return e_; }
        iterator& operator++() {
            e_ = NextOf(e_);
            return *this;
        }
        iterator operator++(int) {
            iterator old = *this;
            e_ = NextOf(e_);
            return old;
        }
        bool operator==(const iterator&) const = default;

      private:
        T* e_ = nullptr;
    };
    iterator begin() const { return iterator(First()); }
    iterator end() const { return iterator(); }

  protected:
    static T* NextOf(const T* e) { return static_cast<T*>(e->next_); }
    static T* PreviousOf(const T* e) { return static_cast<T*>(e->prev_); }

    // The element's most derived comparison taking a list node. Element classes may declare
    // it with a non-const parameter, hence the casts; no comparison modifies its nodes.
    static int CompareNodes(const T* n, const T* p) {
        return const_cast<T*>(n)->Compare(const_cast<T*>(p));
    }
    // True when p is placed before n: n compared with p gives 1 or more.
    static bool Precedes(const T* p, const T* n) { return CompareNodes(n, p) >= 1; }

    // True when p's links are consistent with p being an element of this list. Catches nodes
    // that are in no list and the ends of other lists in constant time.
    bool IsLinkedHere(const T* p) const {
        const bool prevOk = p->prev_ != nullptr ? p->prev_->next_ == p : first_ == p;
        const bool nextOk = p->next_ != nullptr ? p->next_->prev_ == p : last_ == p;
        return prevOk && nextOk;
    }

    // Appends p without notification.
    void LinkAfterLast(T* p) {
        p->prev_ = last_;
        p->next_ = nullptr;
        if (last_ != nullptr) {
            last_->next_ = p;
        } else {
            first_ = p;
        }
        last_ = p;
    }

    // Unlinks an element of this list without notification and clears its links.
    void Unlink(T* p) {
        if (p->prev_ != nullptr) {
            p->prev_->next_ = p->next_;
        } else {
            first_ = NextOf(p);
        }
        if (p->next_ != nullptr) {
            p->next_->prev_ = p->prev_;
        } else {
            last_ = PreviousOf(p);
        }
        p->prev_ = p->next_ = nullptr;
    }

  private:
    void DeleteAll() {
        while (first_ != nullptr) {
            T* e = first_;
            Unlink(e);
            delete e;
        }
    }

    // Links the chain [head, tail] after dest's last element.
    static void SpliceAfterLast(TOmBaseListHeader* dest, T* head, T* tail) {
        head->prev_ = dest->last_;
        if (dest->last_ != nullptr) {
            dest->last_->next_ = head;
        } else {
            dest->first_ = head;
        }
        dest->last_ = tail;
    }

    // Stable bottom-up merge sort by the ordering rule. Only ever compares elements inside the
    // array, so even an inconsistent element comparison cannot make it run out of bounds.
    static void MergeSort(std::vector<T*>& v, std::vector<T*>& scratch) {
        const std::size_t n = v.size();
        scratch.resize(n);
        for (std::size_t width = 1; width < n; width *= 2) {
            for (std::size_t lo = 0; lo < n; lo += 2 * width) {
                const std::size_t mid = std::min(lo + width, n);
                const std::size_t hi = std::min(lo + 2 * width, n);
                std::size_t a = lo, b = mid, out = lo;
                // Take from the right run only when it strictly precedes: equal elements
                // keep their order.
                while (a < mid && b < hi) scratch[out++] = Precedes(v[b], v[a]) ? v[b++] : v[a++];
                while (a < mid) scratch[out++] = v[a++];
                while (b < hi) scratch[out++] = v[b++];
            }
            v.swap(scratch);
        }
    }

    T* first_ = nullptr;
    T* last_ = nullptr;
    unsigned notifyOff_ = 0;
};

}  // namespace om
