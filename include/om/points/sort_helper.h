// An id index over a list: ordered lookups by id without walking the list again.
#pragma once

#include <om/core/list_header.h>

#include <map>

namespace om {

// Maps ids to the elements of a list, ascending by id. Where several elements share an id the
// first one is indexed, as every lookup by id returns the first element with that id. The index
// is valid until its list changes; its owner rebuilds it.
template <class T>
class OmSortHelper {
  public:
    OmSortHelper() = default;
    explicit OmSortHelper(TOmListHeader<T> const* list) : list_(list) { Rebuild(); }
    virtual ~OmSortHelper() = default;

    void SetList(TOmListHeader<T> const* list) {
        list_ = list;
        Rebuild();
    }
    TOmListHeader<T> const* GetList() const { return list_; }

    // Indexes every element of the list; false (and an empty index) when no list is set.
    bool Rebuild() {
        index_.clear();
        count_ = 0;
        if (list_ == nullptr) return false;
        for (T* e = list_->First(); e != nullptr; e = static_cast<T*>(e->Next())) {
            index_.try_emplace(e->GetId(), e);
            ++count_;
        }
        return true;
    }

    // The indexed element with that id, or null.
    T* Find(unsigned int id) const {
        auto it = index_.find(id);
        return it == index_.end() ? nullptr : it->second;
    }

    // Elements visited by the last rebuild.
    int GetCount() const { return count_; }
    std::map<unsigned int, T*> const& GetIndex() const { return index_; }

  private:
    TOmListHeader<T> const* list_ = nullptr;
    std::map<unsigned int, T*> index_;
    int count_ = 0;
};

}  // namespace om
