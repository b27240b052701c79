// Intrusive list nodes: the links of a record live in the record itself.
#pragma once

#include <om/core/link.h>
#include <om/core/object.h>

namespace om {

template <class T>
class TOmBaseListHeader;

// The previous and next pointers of an element of a `TOmBaseListHeader`. Both are null at the
// ends of a list and while the node is in no list. Only the list changes them.
class OmBaseListnode {
  public:
    OmBaseListnode() = default;
    // A copy is in no list: copying the links would let a later list operation on the copy
    // relink the neighbours of the original.
    OmBaseListnode(const OmBaseListnode&) {}
    // Assignment never touches the links of either node.
    OmBaseListnode& operator=(const OmBaseListnode&) { return *this; }
    virtual ~OmBaseListnode() = default;

    // A plain node has no ordering: it places itself before every node it is compared with.
    virtual int Compare(const OmBaseListnode* other) const;

    OmBaseListnode* Next() const { return next_; }
    OmBaseListnode* Previous() const { return prev_; }

  private:
    template <class T>
    friend class TOmBaseListHeader;

    OmBaseListnode* prev_ = nullptr;
    OmBaseListnode* next_ = nullptr;
};

// Base of every record kept in a `TOmListHeader`: a list node with an id and a name.
//
// Lists order their elements by the element's most derived `Compare` taking a list node. This
// class compares by "other id minus own id", so sorted lists hold the largest id first. Element
// classes that want ascending keys add their own `int Compare(OmListnode*) const` returning
// "own key minus other key".
class OmListnode : public OmBaseListnode, public OmObject, public LinkHdl {
  public:
    OmListnode() = default;
    explicit OmListnode(unsigned id) : OmObject(id) {}
    explicit OmListnode(const String& name) : OmObject(name) {}
    OmListnode(unsigned id, const String& name) : OmObject(id, name) {}
    OmListnode(const OmListnode&) = default;
    // Copies the id and the name, never the links.
    OmListnode& operator=(const OmListnode&) = default;
    ~OmListnode() override = default;

    using OmBaseListnode::Compare;
    using OmObject::Compare;
    // -1 when the other node's id is smaller than the own id, +1 when larger, 0 when equal.
    virtual int Compare(const OmListnode* other) const;

    OmListnode* Next() const { return static_cast<OmListnode*>(OmBaseListnode::Next()); }
    OmListnode* Previous() const { return static_cast<OmListnode*>(OmBaseListnode::Previous()); }
};

}  // namespace om
