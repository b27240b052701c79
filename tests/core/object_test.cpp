// Base object ordering, flag word and callbacks.
#include <climits>

#include <gtest/gtest.h>

#include <om/core/flag.h>
#include <om/core/link.h>
#include <om/core/listnode.h>
#include <om/core/object.h>
#include <om/omcore.h>

namespace om {
namespace {

TEST(Object, CopiesAreDeepAndIdsWrap) {
    OmObject both(12, String("roof"));
    OmObject named(String("wall"));
    named = both;
    named.SetName("eave");
    EXPECT_EQ(both.GetName(), String("roof"));
    EXPECT_EQ(OmObject(named).GetId(), 12u);
    named.SetId(UINT_MAX);
    named.OffsetId(2);  // modulo 2^32
    EXPECT_EQ(named.GetId(), 1u);
    EXPECT_STREQ(OmcoreVersion(), "0.1.0");
}

// The lists' default descending order rests on these signs.
TEST(Object, CompareSignConventions) {
    OmObject five(5), large(UINT_MAX);
    EXPECT_EQ(five.Compare(3u), -1);  // given id smaller than own
    EXPECT_EQ(five.Compare(9u), 1);
    EXPECT_EQ(five.Compare(5u), 0);
    EXPECT_EQ(five.Compare(&large), 1);  // no overflow at the extremes
    EXPECT_EQ(large.Compare(&five), -1);
    OmListnode a(4), b(8);
    EXPECT_EQ(a.Compare(&b), 1);  // other minus own
    EXPECT_EQ(b.Compare(&a), -1);
    EXPECT_EQ(b.Compare(static_cast<const OmBaseListnode*>(&a)), 1);  // plain node: always 1
}

TEST(Flag, BitOperationsReturnTheNewWord) {
    OmFlag f;
    EXPECT_EQ(f.SetFlag(0x5), 0x5u);
    EXPECT_EQ(f.ClearFlag(0x1), 0x4u);
    EXPECT_EQ(f.ToggleFlag(0x3), 0x7u);
    EXPECT_EQ(f.IsFlagSet(0x6), 0x6u);           // AND, not a bool
    EXPECT_EQ(f.SetFlag(INT_MIN), 0x80000007u);  // the sign bit is an ordinary bit
    EXPECT_EQ(f.ClearFlag(-1), 0u);
}

class Counter : public LinkHdl {
  public:
    long Add(void* arg) { return total += *static_cast<long*>(arg); }
    long total = 0;
};

// A second base in front of LinkHdl moves the LinkHdl part away from the object's start.
class Shifted : public OmObject, public Counter {};

TEST(Link, CallsTheBoundMemberFunction) {
    long three = 3;
    EXPECT_EQ(Link().Call(&three), 0);
    Counter c;
    EXPECT_FALSE(Link(static_cast<LinkHdl*>(&c), nullptr).IsSet());
    Link l(&c, &Counter::Add);
    EXPECT_EQ(l.Call(&three), 3);
    EXPECT_EQ(Link(l).Call(&three), 6);
    Shifted s;
    EXPECT_EQ(Link(&s, &Counter::Add).Call(&three), 3);
    EXPECT_EQ(s.total, 3);
}

}  // namespace
}  // namespace om
