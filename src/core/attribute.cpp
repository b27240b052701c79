#include <om/core/attribute.h>

namespace om {

OmAttributeList::~OmAttributeList() = default;

OmAttribute* OmAttributeList::Add(OmAttribute* a, OmObject* parent) {
    if (a == nullptr) return nullptr;
    a->SetParent(parent);
    Add(a);
    a->OnAdd();
    return a;
}

OmAttribute* OmAttributeList::Add2(OmAttribute* a) {
    return Add(a);
}

OmAttribute* OmAttributeList::Subtract(OmAttribute* a) {
    if (a != nullptr && IsLinkedHere(a)) {
        a->OnSubtract();
        a->SetParent(nullptr);
    }
    return Base::Subtract(a);
}

void OmAttributeList::MoveAttributes(OmAttributeList* dest, OmObject* newParent) {
    if (dest == nullptr || dest == this) return;
    while (OmAttribute* a = First()) {
        Unlink(a);
        NotifySubtract(a);
        a->OnPreMove();
        dest->LinkAfterLast(a);
        dest->NotifyAdd(a);
        a->OnMove(newParent);
    }
}

}  // namespace om
