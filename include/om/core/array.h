// Owning array of heap copies with a non-recursive quicksort.
#pragma once

#include <cassert>
#include <memory>

namespace om {

// An array that keeps each element in its own heap copy and owns the copies. Slots from
// `Size()` up to the capacity hold null. Indices given to `operator[]` must lie in
// [0, Size()); `Insert` accepts [0, Size()] and `Remove` [0, Size()); other indices are
// ignored by `Insert` and `Remove`.
template <class T>
class TOmArray {
  public:
    static constexpr int kDefaultCapacity = 256;

    explicit TOmArray(int capacity) { Init(capacity, true); }
    TOmArray() { Init(kDefaultCapacity, true); }
    TOmArray(const TOmArray& other) {
        Init(other.capacity_, true);
        CopyElementsFrom(other);
    }
    virtual ~TOmArray() {
        DeleteElements();
        delete[] items_;
    }

    int Size() const { return count_; }
    bool IsEmpty() const { return count_ == 0; }

    T& operator[](int i) {
        assert(i >= 0 && i < count_);
        return *items_[i];
    }
    const T& operator[](int i) const {
        assert(i >= 0 && i < count_);
        return *items_[i];
    }

    void Add(const T& x) { Insert(x, count_); }

    // Inserts a copy of x at `index`; later elements move up by one.
    void Insert(const T& x, int index) {
        if (index < 0 || index > count_) return;
        auto copy = std::make_unique<T>(x);
        if (count_ == capacity_) Reallocate(GrownCapacity());
        for (int k = count_; k > index; --k) items_[k] = items_[k - 1];
        items_[index] = copy.release();
        ++count_;
    }

    // Deletes the element at `index`; later elements move down, the freed last slot is nulled.
    void Remove(int index) {
        if (index < 0 || index >= count_) return;
        delete items_[index];
        for (int k = index; k + 1 < count_; ++k) items_[k] = items_[k + 1];
        items_[--count_] = nullptr;
    }

    // Deletes all elements and starts again empty with the default capacity.
    void Clear() {
        DeleteElements();
        delete[] items_;
        items_ = nullptr;
        capacity_ = 0;
        Init(kDefaultCapacity, true);
    }

    // Sorts ascending by `operator<=` of T.
    void Sort() {
        if (count_ >= 2) QuickSort(0, count_ - 1);
    }

    // Index of the first element equal to x in [from, to), to = -1 meaning Size(); -1 if none.
    int Search(const T& x, int from, int to = -1) const {
        if (to < 0 || to > count_) to = count_;
        for (int k = from < 0 ? 0 : from; k < to; ++k) {
            if (*items_[k] == x) return k;
        }
        return -1;
    }

    // Binary search in an array sorted ascending; index of an equal element or -1.
    int BinSearchUp(const T& x) const { return BinSearch(x, true); }
    // Binary search in an array sorted descending; index of an equal element or -1.
    int BinSearchDown(const T& x) const { return BinSearch(x, false); }

    TOmArray& operator=(const TOmArray& other) {
        if (&other == this) return *this;
        DeleteElements();
        if (capacity_ != other.capacity_) {
            delete[] items_;
            items_ = nullptr;
            capacity_ = 0;
            Init(other.capacity_, true);
        }
        CopyElementsFrom(other);
        return *this;
    }

    bool operator==(const TOmArray& other) const {
        if (count_ != other.count_) return false;
        for (int k = 0; k < count_; ++k) {
            if (!(*items_[k] == *other.items_[k])) return false;
        }
        return true;
    }
    bool operator!=(const TOmArray& other) const { return !(*this == other); }

  protected:
    // Allocates a pointer array of `capacity` slots (negative counts as 0), nulled when `clear`
    // is set, and empties the array. The previous pointer array must already be released.
    void Init(int capacity, bool clear) {
        if (capacity < 0) capacity = 0;
        items_ = capacity > 0 ? new T*[capacity] : nullptr;  // may throw: nothing changed yet
        capacity_ = capacity;
        count_ = 0;
        if (clear) {
            for (int k = 0; k < capacity_; ++k) items_[k] = nullptr;
        }
    }

    // Moves the element pointers into a pointer array of `capacity` slots (never fewer than the
    // element count); the new slots are nulled.
    void Reallocate(int capacity) {
        if (capacity < count_) capacity = count_;
        T** grown = capacity > 0 ? new T*[capacity] : nullptr;
        for (int k = 0; k < count_; ++k) grown[k] = items_[k];
        for (int k = count_; k < capacity; ++k) grown[k] = nullptr;
        delete[] items_;
        items_ = grown;
        capacity_ = capacity;
    }

    void Swap(int i, int j) {
        T* t = items_[i];
        items_[i] = items_[j];
        items_[j] = t;
    }

    // Sorts [lo, hi] (inclusive). Ranges of more than kSmallRange elements are partitioned
    // around their middle element; the larger part waits on an explicit stack and the loop
    // goes on with the smaller part, so the stack never holds more than log2(n) < 32 ranges.
    // Scans stop at elements equal to the pivot on both sides, which splits runs of equal
    // elements evenly instead of degrading to quadratic time. Inputs that defeat the middle
    // pivot (an organ pipe, for instance) would still take quadratic time, so a range that
    // has been partitioned more than 2 log2(n) times over is finished by a heap sort.
    void QuickSort(int lo, int hi) {
        struct Range {
            int lo, hi, budget;
        };
        Range pending[32];
        int depth = 0;
        int budget = 0;
        for (int n = hi - lo + 1; n > 1; n /= 2) budget += 2;
        for (;;) {
            while (hi - lo + 1 > kSmallRange) {
                if (budget-- == 0) {
                    HeapSort(lo, hi);
                    lo = hi;
                    break;
                }
                const int p = Partition(lo, hi);
                if (p - lo > hi - p) {
                    pending[depth++] = {lo, p - 1, budget};
                    lo = p + 1;
                } else {
                    pending[depth++] = {p + 1, hi, budget};
                    hi = p - 1;
                }
            }
            InsertSort(lo, hi);
            if (depth == 0) return;
            --depth;
            lo = pending[depth].lo;
            hi = pending[depth].hi;
            budget = pending[depth].budget;
        }
    }

    // Sorts a small range [lo, hi] by moving the largest element (the last of equal ones) to the
    // end of the shrinking range.
    void InsertSort(int lo, int hi) {
        for (int end = hi; end > lo; --end) {
            int largest = lo;
            for (int k = lo + 1; k <= end; ++k) {
                if (*items_[largest] <= *items_[k]) largest = k;
            }
            Swap(largest, end);
        }
    }

  private:
    static constexpr int kSmallRange = 8;

    // a < b expressed through the only comparison T has to provide.
    static bool Less(const T& a, const T& b) { return !(b <= a); }

    int GrownCapacity() const { return count_ > 0 ? 2 * count_ : 1; }

    // Partitions [lo, hi] around its middle element and returns the pivot's final index: the
    // elements before it are <= the pivot, those after it >= the pivot.
    int Partition(int lo, int hi) {
        Swap(lo, lo + (hi - lo) / 2);
        const T& pivot = *items_[lo];
        int i = lo + 1;
        int j = hi;
        for (;;) {
            while (i <= j && Less(*items_[i], pivot)) ++i;
            while (i <= j && Less(pivot, *items_[j])) --j;
            if (i >= j) break;
            Swap(i++, j--);
        }
        Swap(lo, j);
        return j;
    }

    // Heap sort of [lo, hi]: the guaranteed n log n fallback of QuickSort.
    void HeapSort(int lo, int hi) {
        const int n = hi - lo + 1;
        for (int k = n / 2 - 1; k >= 0; --k) SiftDown(lo, k, n);
        for (int end = n - 1; end > 0; --end) {
            Swap(lo, lo + end);
            SiftDown(lo, 0, end);
        }
    }

    // Restores the max-heap property below heap index k of the heap of n elements at base.
    void SiftDown(int base, int k, int n) {
        for (;;) {
            int largest = k;
            const int left = 2 * k + 1;
            const int right = left + 1;
            if (left < n && Less(*items_[base + largest], *items_[base + left])) largest = left;
            if (right < n && Less(*items_[base + largest], *items_[base + right])) largest = right;
            if (largest == k) return;
            Swap(base + k, base + largest);
            k = largest;
        }
    }

    int BinSearch(const T& x, bool ascending) const {
        int lo = 0;
        int hi = count_ - 1;
        while (lo <= hi) {
            const int mid = lo + (hi - lo) / 2;
            const T& m = *items_[mid];
            if (m == x) return mid;
            // m <= x and m != x: x lies after m in ascending order, before it in descending.
            if ((m <= x) == ascending) {
                lo = mid + 1;
            } else {
                hi = mid - 1;
            }
        }
        return -1;
    }

    void DeleteElements() {
        for (int k = 0; k < count_; ++k) {
            delete items_[k];
            items_[k] = nullptr;
        }
        count_ = 0;
    }

    // Appends deep copies of the other array's elements (the capacity must suffice).
    void CopyElementsFrom(const TOmArray& other) {
        if (capacity_ < other.count_) Reallocate(other.count_);
        for (int k = 0; k < other.count_; ++k) {
            items_[k] = new T(*other.items_[k]);
            count_ = k + 1;
        }
    }

    T** items_ = nullptr;
    int count_ = 0;
    int capacity_ = 0;
};

}  // namespace om
