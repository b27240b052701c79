// Filter predicates: results, short-circuiting and operand ownership through copies.
#include <memory>

#include <gtest/gtest.h>

#include <om/core/filter.h>

namespace om {
namespace {

int asked = 0;
unsigned HasEvenId(const OmObject* o) {
    return o->GetId() % 2 == 0 ? 1u : 0u;
}

// Counts live filters, so that double deletes and leaks show, and how often it was asked.
class Counted : public OmFilter {
  public:
    static inline int live = 0;
    explicit Counted(unsigned result) : result_(result) { ++live; }
    Counted(const Counted& o) : OmFilter(o), result_(o.result_) { ++live; }
    ~Counted() override { --live; }
    unsigned Test(const OmObject*) const override { return ++asked, result_; }
    OmFilter* Clone() const override { return new Counted(*this); }

  private:
    unsigned result_;
};

// Any non-zero result passes and results are normalised to 1; the right operand is asked only
// when the left one does not decide.
TEST(Filter, TruthTablesShortCircuitAndNullOperands) {
    OmObject o(3);
    for (unsigned x : {0u, 1u, 42u}) {
        const unsigned bx = x != 0 ? 1u : 0u;
        for (unsigned y : {0u, 1u}) {
            asked = 0;
            EXPECT_EQ(OmOrFilter(new Counted(x), new Counted(y)).Test(&o), bx | y);
            EXPECT_EQ(OmBinaryFilter(new Counted(x), new Counted(y)).Test(&o), bx | y);
            EXPECT_EQ(asked, bx != 0 ? 2 : 4);
            asked = 0;
            EXPECT_EQ(OmAndFilter(new Counted(x), new Counted(y)).Test(&o), bx & y);
            EXPECT_EQ(asked, bx != 0 ? 2 : 1);
        }
        EXPECT_EQ(OmNotFilter(new Counted(x)).Test(&o), 1 - bx);
    }
    EXPECT_EQ(OmTestFilter(nullptr).Test(&o), 0u);
    EXPECT_EQ(OmNotFilter(nullptr).Test(&o), 1u);
    EXPECT_EQ(OmOrFilter(nullptr, new OmTrueFilter).Test(&o), 1u);
    EXPECT_EQ(OmAndFilter(new OmTrueFilter, nullptr).Test(&o), 0u);
    EXPECT_EQ(Counted::live, 0);
}

// A filter of the host's that overrides only Test: composites holding it can still be copied;
// the copies share it, and the last one deletes it.
class HostFilter : public OmFilter {
  public:
    static inline int live = 0;
    HostFilter() { ++live; }
    ~HostFilter() override { --live; }
    unsigned Test(const OmObject* o) const override { return o->GetId() > 2 ? 1u : 0u; }
};

// Copies, clones and assignment must own their operands: shared ones would be deleted twice.
TEST(Filter, CopiesOwnTheirOperands) {
    OmObject even(2);
    Counted::live = 0;
    {
        auto original = std::make_unique<OmAndFilter>(
            new OmNotFilter(new Counted(0)),
            new OmOrFilter(new Counted(0), new OmTestFilter(&HasEvenId)));
        OmAndFilter copy(*original);
        std::unique_ptr<OmFilter> clone(copy.Clone());
        EXPECT_EQ(Counted::live, 6);
        original.reset();
        EXPECT_EQ(Counted::live, 4);
        EXPECT_EQ(clone->Test(&even), 1u);
        OmAndFilter assigned(new Counted(1), nullptr);
        assigned = copy;
        assigned = assigned;
        EXPECT_EQ(Counted::live, 6);
        EXPECT_EQ(assigned.Test(&even), 1u);

        auto host = std::make_unique<OmOrFilter>(new HostFilter, new OmFalseFilter);
        OmOrFilter hostCopy(*host);
        OmNotFilter negated(new HostFilter), hostAssigned(nullptr);
        hostAssigned = negated;
        host.reset();
        EXPECT_EQ(HostFilter::live, 2);
        EXPECT_EQ(hostCopy.Test(&even), 0u);
        EXPECT_EQ(hostAssigned.Test(&even), 1u);
    }
    EXPECT_EQ(Counted::live, 0);
    EXPECT_EQ(HostFilter::live, 0);
}

}  // namespace
}  // namespace om
