// Attributes: parents, hooks and their order relative to the list's events.
#include <string>

#include <gtest/gtest.h>

#include <om/core/attribute.h>

#include "list_fixtures.h"

namespace om::test {
namespace {

// Writes every hook call into the text the lists' events go to.
class Tracked : public OmAttribute {
  public:
    static inline std::string* log = nullptr;
    static inline int live = 0;

    explicit Tracked(unsigned id) : OmAttribute(String()) { SetId(id), ++live; }
    Tracked(const Tracked& o) : OmAttribute(o) { ++live; }
    ~Tracked() override { --live; }

    int OnAdd() override { return Note("OnAdd"); }
    int OnSubtract() override { return Note("OnSubtract"); }
    int OnPreMove() override { return Note("OnPreMove"); }
    int OnMove(OmObject* parent) override { return Note("OnMove"), OmAttribute::OnMove(parent); }

  private:
    int Note(const char* hook) {
        *log += std::string(" ") + hook + ":" + std::to_string(GetId());
        return 1;
    }
};

class Attributes : public ::testing::Test {
  protected:
    void SetUp() override {
        Tracked::log = &log;
        Tracked::live = 0;
    }
    void TearDown() override {
        src.Destroy();
        dst.Destroy();
        EXPECT_EQ(Tracked::live, 0);
    }

    std::string log;
    OmAttributeList src;
    OmAttributeList dst;
    Text<OmAttribute> ts{&src, 's', &log};
    Text<OmAttribute> td{&dst, 'd', &log};
    OmObject owner{1, String("photo")};
    OmObject other{2, String("copy")};
};

// Add sets the parent and calls the hook after the list's event, Subtract calls it before; both
// go through the override inside Destroy too. Copies never take the parent over.
TEST_F(Attributes, HooksAroundAddAndSubtract) {
    Tracked* a = new Tracked(1);
    EXPECT_EQ(src.Add(a, &owner), a);
    EXPECT_EQ(a->GetParent(), &owner);
    EXPECT_EQ(Tracked(*a).GetParent(), nullptr);
    Tracked* b = new Tracked(2);
    b->SetParent(&other);
    EXPECT_EQ(src.Add2(b), b);  // no parent change, no hook
    EXPECT_EQ(b->GetParent(), &other);
    EXPECT_EQ(src.Add(nullptr, &owner), nullptr);
    std::unique_ptr<OmAttribute> taken(src.Subtract(b));
    EXPECT_EQ(taken->GetParent(), nullptr);
    src.Destroy();
    EXPECT_EQ(log, "s2:1 OnAdd:1 s2:2 OnSubtract:2 s3:2 OnSubtract:1 s1");
}

TEST_F(Attributes, MoveAttributesHandsEveryAttributeOver) {
    src.Add(new Tracked(1), &owner);
    src.Add(new Tracked(2), &owner);
    dst.Add(new Tracked(3), &other);
    log.clear();
    src.MoveAttributes(&dst, &other);
    EXPECT_EQ(log, "s3:1 OnPreMove:1 d2:1 OnMove:1 s3:2 OnPreMove:2 d2:2 OnMove:2");
    EXPECT_TRUE(src.IsEmpty());
    ASSERT_EQ(dst.Count(), 3);
    for (OmAttribute* a : dst) EXPECT_EQ(a->GetParent(), &other);
    EXPECT_TRUE(LinksConsistent(dst));
    log.clear();
    dst.MoveAttributes(nullptr, &owner);
    dst.MoveAttributes(&dst, &owner);
    EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace om::test
