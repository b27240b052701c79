#include <om/core/object.h>

namespace om {

OmObject::~OmObject() = default;

int OmObject::Compare(unsigned int id) const {
    if (id < id_) return -1;
    return id > id_ ? 1 : 0;
}

int OmObject::Compare(const OmObject* other) const {
    return other != nullptr ? Compare(other->GetId()) : 1;
}

void OmObject::Dump() {}

}  // namespace om
