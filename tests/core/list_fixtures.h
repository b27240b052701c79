// Shared fixtures of the list tests: counted elements and a recording observer.
#pragma once

#include <string>

#include <om/core/list_header.h>
#include <om/core/notify.h>

namespace om::test {

// A list element that counts its live instances, so that tests can see leaks and the
// sanitizer build sees double deletes.
class Node : public OmListnode {
  public:
    static inline int live = 0;

    explicit Node(unsigned id = 0, int tag = 0) : OmListnode(id), tag(tag) { ++live; }
    Node(unsigned id, const char* name) : OmListnode(id, String(name)) { ++live; }
    Node(const Node& other) : OmListnode(other), tag(other.tag) { ++live; }
    Node& operator=(const Node&) = default;
    ~Node() override { --live; }

    int tag = 0;  // identifies an element among equal ids
};

// An element with its own ascending ordering by key ("own key minus other key").
class KeyNode : public Node {
  public:
    explicit KeyNode(int key, int tag = 0) : Node(0, tag), key(key) {}

    using OmListnode::Compare;
    virtual int Compare(OmListnode* other) const { return key - static_cast<KeyNode*>(other)->key; }

    int key;
};

// Writes each event as "a2:5" into a text that several observers may share, so that the order
// across lists is visible: the observer's name, the kind and the id of the element named. The id
// is taken while the event is delivered, before a replaced element is deleted.
template <class T = Node>
class Text : public OmObserver {
  public:
    Text(OmStandardNotifier* n, char name, std::string* out)
        : OmObserver(n), name_(name), out_(out) {}

  protected:
    void Notify(OmNotifyEvent* e) override {
        *out_ += (out_->empty() ? "" : " ") + std::string(1, name_) + std::to_string(e->kind);
        if (e->item != nullptr) *out_ += ":" + std::to_string(static_cast<T*>(e->item)->GetId());
    }

  private:
    char name_;
    std::string* out_;
};

// The ids in list order, each followed by a blank.
template <class T>
std::string Ids(const TOmBaseListHeader<T>& list) {
    std::string ids;
    for (T* e : list) ids += std::to_string(e->GetId()) + " ";
    return ids;
}

// Checks the links in both directions against first and last.
template <class T>
bool LinksConsistent(const TOmBaseListHeader<T>& list) {
    T* previous = nullptr;
    for (T* e = list.First(); e != nullptr; e = static_cast<T*>(e->Next())) {
        if (e->Previous() != previous) return false;
        previous = e;
    }
    return previous == list.Last();
}

}  // namespace om::test
