// Predicate objects over records, combinable with not, or and and.
#pragma once

#include <om/core/object.h>

#include <memory>

namespace om {

// A predicate on objects: `Test` is non-zero when the object passes. `Clone` gives an
// independent heap copy, so that composite filters can be copied without sharing operands; a
// filter that does not override it (null) is shared by the copies of a composite instead, and
// deleted with the last of them.
class OmFilter {
  public:
    virtual ~OmFilter() = default;
    virtual unsigned Test(const OmObject* obj) const = 0;
    virtual OmFilter* Clone() const { return nullptr; }
};

// Every object passes.
class OmTrueFilter : public OmFilter {
  public:
    unsigned Test(const OmObject*) const override { return 1; }
    OmFilter* Clone() const override { return new OmTrueFilter(*this); }
};

// No object passes.
class OmFalseFilter : public OmFilter {
  public:
    unsigned Test(const OmObject*) const override { return 0; }
    OmFilter* Clone() const override { return new OmFalseFilter(*this); }
};

// Asks a function; a null function lets nothing pass.
class OmTestFilter : public OmFilter {
  public:
    using Function = unsigned (*)(const OmObject*);

    explicit OmTestFilter(Function f) : f_(f) {}
    unsigned Test(const OmObject* obj) const override { return f_ != nullptr ? f_(obj) : 0; }
    OmFilter* Clone() const override { return new OmTestFilter(*this); }

  private:
    Function f_;
};

// 1 when the operand fails, else 0. Owns its operand; a null operand counts as failing.
// Copies clone the operand (or share one that cannot be cloned).
class OmNotFilter : public OmFilter {
  public:
    explicit OmNotFilter(const OmFilter* operand) : operand_(operand) {}
    OmNotFilter(const OmNotFilter& other);
    OmNotFilter& operator=(const OmNotFilter& other);
    ~OmNotFilter() override;

    unsigned Test(const OmObject* obj) const override;
    OmFilter* Clone() const override { return new OmNotFilter(*this); }

  private:
    std::shared_ptr<const OmFilter> operand_;
};

// Two owned operands (null ones count as failing); tests as `OmOrFilter`. Copies clone both
// operands (or share one that cannot be cloned), so no operand is ever deleted twice.
class OmBinaryFilter : public OmFilter {
  public:
    OmBinaryFilter(const OmFilter* first, const OmFilter* second);
    OmBinaryFilter(const OmBinaryFilter& other);
    OmBinaryFilter& operator=(const OmBinaryFilter& other);
    ~OmBinaryFilter() override;

    // 1 when the first operand passes (the second is then not asked), else 1 when the second
    // passes, else 0.
    unsigned Test(const OmObject* obj) const override;
    OmFilter* Clone() const override { return new OmBinaryFilter(*this); }

  protected:
    static unsigned Passes(const OmFilter* f, const OmObject* obj) {
        return f != nullptr && f->Test(obj) != 0 ? 1 : 0;
    }
    const OmFilter* First() const { return first_.get(); }
    const OmFilter* Second() const { return second_.get(); }

  private:
    std::shared_ptr<const OmFilter> first_;
    std::shared_ptr<const OmFilter> second_;
};

// Short-circuit or.
class OmOrFilter : public OmBinaryFilter {
  public:
    using OmBinaryFilter::OmBinaryFilter;
    unsigned Test(const OmObject* obj) const override;
    OmFilter* Clone() const override { return new OmOrFilter(*this); }
};

// Short-circuit and: 0 when the first operand fails (the second is then not asked), else 1
// when the second passes, else 0.
class OmAndFilter : public OmBinaryFilter {
  public:
    using OmBinaryFilter::OmBinaryFilter;
    unsigned Test(const OmObject* obj) const override;
    OmFilter* Clone() const override { return new OmAndFilter(*this); }
};

}  // namespace om
