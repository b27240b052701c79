#include <om/core/filter.h>

#include <utility>

namespace om {

namespace {

const OmFilter* CloneOrNull(const OmFilter* f) {
    return f != nullptr ? f->Clone() : nullptr;
}

}  // namespace

OmNotFilter::OmNotFilter(const OmNotFilter& other) : operand_(CloneOrNull(other.operand_)) {}

OmNotFilter& OmNotFilter::operator=(const OmNotFilter& other) {
    if (&other != this) {
        const OmFilter* copy = CloneOrNull(other.operand_);
        delete operand_;
        operand_ = copy;
    }
    return *this;
}

OmNotFilter::~OmNotFilter() {
    delete operand_;
}

unsigned OmNotFilter::Test(const OmObject* obj) const {
    return operand_ != nullptr && operand_->Test(obj) != 0 ? 0 : 1;
}

OmBinaryFilter::OmBinaryFilter(const OmBinaryFilter& other)
    : OmFilter(other), first_(CloneOrNull(other.first_)), second_(nullptr) {
    try {
        second_ = CloneOrNull(other.second_);
    } catch (...) {
        delete first_;
        throw;
    }
}

OmBinaryFilter& OmBinaryFilter::operator=(const OmBinaryFilter& other) {
    if (&other != this) {
        OmBinaryFilter copy(other);
        std::swap(first_, copy.first_);
        std::swap(second_, copy.second_);
    }
    return *this;
}

OmBinaryFilter::~OmBinaryFilter() {
    delete first_;
    delete second_;
}

unsigned OmBinaryFilter::Test(const OmObject* obj) const {
    return Passes(first_, obj) != 0 ? 1 : Passes(second_, obj);
}

unsigned OmOrFilter::Test(const OmObject* obj) const {
    return Passes(First(), obj) != 0 ? 1 : Passes(Second(), obj);
}

unsigned OmAndFilter::Test(const OmObject* obj) const {
    return Passes(First(), obj) == 0 ? 0 : Passes(Second(), obj);
}

}  // namespace om
