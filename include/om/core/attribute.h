// Named attributes that hang on an object, and the list that holds them.
#pragma once

#include <om/core/list_header.h>
#include <om/core/listnode.h>

namespace om {

// A named attribute carried by an object (its parent). The hooks let derived attributes react
// when they are added to, removed from or moved between attribute lists.
class OmAttribute : public OmListnode {
  public:
    // Id 0, no parent.
    explicit OmAttribute(const String& name) : OmListnode(name) {}
    // Copies id and name; the copy starts with no parent.
    OmAttribute(const OmAttribute& other) : OmListnode(other) {}
    ~OmAttribute() override = default;

    // Copies id and name only; the parent stays.
    virtual OmAttribute& operator=(const OmAttribute& other) {
        OmListnode::operator=(other);
        return *this;
    }
    virtual int OnAdd() { return 1; }
    virtual int OnSubtract() { return 1; }
    virtual int OnPreMove() { return 1; }
    // Sets the parent to the new one.
    virtual int OnMove(OmObject* newParent) {
        parent_ = newParent;
        return 1;
    }

    OmObject* GetParent() const { return parent_; }
    void SetParent(OmObject* parent) { parent_ = parent; }

  private:
    OmObject* parent_ = nullptr;
};

// The attributes of one object, in default (descending id) order when sorted.
class OmAttributeList : public TOmListHeader<OmAttribute> {
    using Base = TOmListHeader<OmAttribute>;

  public:
    using Base::Add;
    using Base::Subtract;

    OmAttributeList() = default;
    OmAttributeList(const OmAttributeList&) = default;
    OmAttributeList& operator=(const OmAttributeList&) = default;
    ~OmAttributeList() override;

    // Sets a's parent, appends a (kind 2), then calls `a->OnAdd()`. Returns a (null: null).
    OmAttribute* Add(OmAttribute* a, OmObject* parent);
    // Appends a without touching its parent and without the hook. Returns a (null: null).
    OmAttribute* Add2(OmAttribute* a);
    // For a non-null a calls `a->OnSubtract()` and clears its parent, then removes it as the
    // base list does.
    OmAttribute* Subtract(OmAttribute* a) override;
    // Moves every attribute, from the first, to the end of dest: kind 3 here, `OnPreMove()`,
    // kind 2 on dest, then `OnMove(newParent)`. Nothing when dest is null or this list.
    void MoveAttributes(OmAttributeList* dest, OmObject* newParent);
};

}  // namespace om
