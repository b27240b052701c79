// Base object, flag word and callbacks.
#include <climits>

#include <gtest/gtest.h>

#include <om/core/flag.h>
#include <om/core/link.h>
#include <om/core/listnode.h>
#include <om/core/object.h>

namespace om {
namespace {

TEST(Object, ConstructionAndIdentity) {
    OmObject none;
    EXPECT_EQ(none.GetId(), 0u);
    EXPECT_EQ(none.GetName(), String(""));
    OmObject named(String("wall"));
    OmObject both(12, String("roof"));
    EXPECT_EQ(named.GetId(), 0u);
    EXPECT_EQ(both.GetName(), String("roof"));
    OmObject copy(both);
    EXPECT_EQ(copy.GetId(), 12u);
    named = both;
    EXPECT_EQ(named.GetId(), 12u);
    EXPECT_EQ(named.GetName(), String("roof"));
    named.SetName("eave");
    EXPECT_EQ(both.GetName(), String("roof"));  // deep copy
    named.OffsetId(5);
    EXPECT_EQ(named.GetId(), 17u);
    named.SetId(UINT_MAX);
    named.OffsetId(2);  // modulo 2^32
    EXPECT_EQ(named.GetId(), 1u);
}

TEST(Object, CompareSignConventions) {
    OmObject five(5);
    EXPECT_EQ(five.Compare(3u), -1);  // given id smaller than own
    EXPECT_EQ(five.Compare(9u), 1);
    EXPECT_EQ(five.Compare(5u), 0);
    OmObject large(UINT_MAX);
    EXPECT_EQ(five.Compare(&large), 1);  // no overflow at the extremes
    EXPECT_EQ(large.Compare(&five), -1);
    OmListnode a(4);
    OmListnode b(8);
    EXPECT_EQ(a.Compare(&b), 1);  // other minus own
    EXPECT_EQ(b.Compare(&a), -1);
    EXPECT_EQ(a.Compare(static_cast<const OmBaseListnode*>(&b)), 1);  // plain node: always 1
    EXPECT_EQ(b.Compare(static_cast<const OmBaseListnode*>(&a)), 1);
}

TEST(Flag, BitOperationsReturnTheNewWord) {
    OmFlag f;
    EXPECT_EQ(f.GetFlag(), 0u);
    EXPECT_EQ(f.SetFlag(0x5), 0x5u);
    EXPECT_EQ(f.SetFlag(0x2), 0x7u);
    EXPECT_EQ(f.ClearFlag(0x1), 0x6u);
    EXPECT_EQ(f.ToggleFlag(0x3), 0x5u);
    EXPECT_EQ(f.IsFlagSet(0x6), 0x4u);  // AND, not a bool
    EXPECT_EQ(f.IsFlagSet(0x2), 0u);
    EXPECT_EQ(f.SetFlag(INT_MIN), 0x80000005u);  // the sign bit is an ordinary bit
    EXPECT_NE(f.IsFlagSet(INT_MIN), 0u);
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
    Link unset;
    EXPECT_FALSE(unset.IsSet());
    EXPECT_TRUE(!unset);
    long three = 3;
    EXPECT_EQ(unset.Call(&three), 0);

    Counter c;
    Link l(&c, &Counter::Add);
    EXPECT_TRUE(l.IsSet());
    EXPECT_FALSE(!l);
    EXPECT_EQ(l.Call(&three), 3);
    EXPECT_EQ(Link(l).Call(&three), 6);

    Shifted s;
    Link viaBase(&s, &Counter::Add);  // method of a base, LinkHdl part not at offset 0
    EXPECT_EQ(viaBase.Call(&three), 3);
    EXPECT_EQ(s.total, 3);
    Link raw(static_cast<LinkHdl*>(&c), nullptr);
    EXPECT_FALSE(raw.IsSet());
}

}  // namespace
}  // namespace om
