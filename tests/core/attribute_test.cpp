// Attributes: parents, hooks and their order relative to the list's events.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <om/core/attribute.h>

#include "list_fixtures.h"

namespace om::test {
namespace {

// Writes every hook call into a shared journal, next to the events of the lists.
class Journal : public OmObserver {
  public:
    Journal(OmStandardNotifier* n, std::vector<std::string>* log, std::string name)
        : OmObserver(n), log_(log), name_(std::move(name)) {}

  protected:
    void Notify(OmNotifyEvent* e) override {
        log_->push_back(
            name_ + ":" + std::to_string(e->kind) + ":" +
            (e->item != nullptr ? static_cast<OmAttribute*>(e->item)->GetName().chars() : "-"));
    }

  private:
    std::vector<std::string>* log_;
    std::string name_;
};

class Tracked : public OmAttribute {
  public:
    static inline std::vector<std::string>* log = nullptr;
    static inline int live = 0;

    explicit Tracked(const char* name) : OmAttribute(String(name)) { ++live; }
    Tracked(const Tracked& o) : OmAttribute(o) { ++live; }
    ~Tracked() override { --live; }

    int OnAdd() override { return Note("OnAdd"); }
    int OnSubtract() override { return Note("OnSubtract"); }
    int OnPreMove() override { return Note("OnPreMove"); }
    int OnMove(OmObject* parent) override {
        Note("OnMove");
        return OmAttribute::OnMove(parent);
    }

  private:
    int Note(const char* hook) {
        log->push_back(std::string(GetName().chars()) + "." + hook);
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

    std::vector<std::string> log;
    OmAttributeList src;
    OmAttributeList dst;
    Journal js{&src, &log, "src"};
    Journal jd{&dst, &log, "dst"};
    OmObject owner{1, String("photo")};
    OmObject other{2, String("copy")};
};

// Add sets the parent and calls the hook after the list's event, Subtract calls it before; both
// go through the override inside Destroy too. Copies never take the parent over.
TEST_F(Attributes, HooksAroundAddAndSubtract) {
    Tracked* a = new Tracked("a");
    EXPECT_EQ(src.Add(a, &owner), a);
    EXPECT_EQ(a->GetParent(), &owner);
    EXPECT_EQ(Tracked(*a).GetParent(), nullptr);
    Tracked* b = new Tracked("b");
    b->SetParent(&other);
    EXPECT_EQ(src.Add2(b), b);  // no parent change, no hook
    EXPECT_EQ(b->GetParent(), &other);
    EXPECT_EQ(src.Add(nullptr, &owner), nullptr);
    std::unique_ptr<OmAttribute> taken(src.Subtract(b));
    EXPECT_EQ(taken->GetParent(), nullptr);
    src.Destroy();
    EXPECT_EQ(log, (std::vector<std::string>{"src:2:a", "a.OnAdd", "src:2:b", "b.OnSubtract",
                                             "src:3:b", "a.OnSubtract", "src:1:-"}));
}

TEST_F(Attributes, MoveAttributesHandsEveryAttributeOver) {
    src.Add(new Tracked("a"), &owner);
    src.Add(new Tracked("b"), &owner);
    dst.Add(new Tracked("z"), &other);
    log.clear();
    src.MoveAttributes(&dst, &other);
    EXPECT_EQ(log, (std::vector<std::string>{"src:3:a", "a.OnPreMove", "dst:2:a", "a.OnMove",
                                             "src:3:b", "b.OnPreMove", "dst:2:b", "b.OnMove"}));
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
