#include <om/core/filter.h>

namespace om {

namespace {

using Operand = std::shared_ptr<const OmFilter>;

// A copy's operand: its own clone, or the shared original when the filter cannot be cloned.
Operand CopyOperand(const Operand& f) {
    if (f == nullptr) return nullptr;
    if (OmFilter* clone = f->Clone()) return Operand(clone);
    return f;
}

}  // namespace

OmNotFilter::OmNotFilter(const OmNotFilter& other)
    : OmFilter(other), operand_(CopyOperand(other.operand_)) {}

OmNotFilter& OmNotFilter::operator=(const OmNotFilter& other) {
    if (&other != this) operand_ = CopyOperand(other.operand_);
    return *this;
}

OmNotFilter::~OmNotFilter() = default;

unsigned OmNotFilter::Test(const OmObject* obj) const {
    return operand_ != nullptr && operand_->Test(obj) != 0 ? 0 : 1;
}

OmBinaryFilter::OmBinaryFilter(const OmFilter* first, const OmFilter* second)
    : first_(first), second_(second) {}

OmBinaryFilter::OmBinaryFilter(const OmBinaryFilter& other)
    : OmFilter(other), first_(CopyOperand(other.first_)), second_(CopyOperand(other.second_)) {}

OmBinaryFilter& OmBinaryFilter::operator=(const OmBinaryFilter& other) {
    if (&other != this) {
        Operand first = CopyOperand(other.first_);
        second_ = CopyOperand(other.second_);
        first_ = std::move(first);
    }
    return *this;
}

OmBinaryFilter::~OmBinaryFilter() = default;

unsigned OmBinaryFilter::Test(const OmObject* obj) const {
    return Passes(First(), obj) != 0 ? 1 : Passes(Second(), obj);
}

unsigned OmOrFilter::Test(const OmObject* obj) const {
    return Passes(First(), obj) != 0 ? 1 : Passes(Second(), obj);
}

unsigned OmAndFilter::Test(const OmObject* obj) const {
    return Passes(First(), obj) == 0 ? 0 : Passes(Second(), obj);
}

}  // namespace om
