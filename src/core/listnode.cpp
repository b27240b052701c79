#include <om/core/listnode.h>

namespace om {

int OmBaseListnode::Compare(const OmBaseListnode*) const {
    return 1;
}

int OmListnode::Compare(const OmListnode* other) const {
    return other != nullptr ? OmObject::Compare(other->GetId()) : 1;
}

}  // namespace om
