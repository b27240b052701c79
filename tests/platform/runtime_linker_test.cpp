#include <om/platform/runtime_linker.h>

#include <gtest/gtest.h>

#include <vector>

namespace om {
namespace {

// A callee that records its calls and answers through the parameter record.
class Counter : public LinkHdl {
  public:
    long Increment(void* arg) {
        auto* parameter = static_cast<OmRuntimeParameter*>(arg);
        seen.push_back(parameter);
        value += *static_cast<int*>(parameter->GetParameter());
        parameter->SetReturnvalue(&value);
        return value;
    }
    long RemoveItself(void*) { return OmRuntimeLinker::Instance()->Remove("linker_test.self"); }
    int value = 0;
    std::vector<OmRuntimeParameter*> seen;
};

TEST(OmRuntimeLinker, RegisterCallAndRemove) {
    auto* linker = OmRuntimeLinker::Instance();
    Counter counter;
    Link const link(&counter, &Counter::Increment);
    EXPECT_TRUE(linker->Register("linker_test.add", link));
    EXPECT_FALSE(linker->Register("linker_test.add", link));  // name already taken
    int step = 5;
    OmRuntimeParameter parameter;
    parameter.SetParameter(&step);
    EXPECT_TRUE(linker->Call("linker_test.add", parameter));
    EXPECT_TRUE(linker->Call("linker_test.add", parameter));
    EXPECT_EQ(counter.value, 10);
    // The callee gets the caller's record itself.
    EXPECT_EQ(counter.seen, (std::vector<OmRuntimeParameter*>{&parameter, &parameter}));
    EXPECT_EQ(parameter.GetReturnvalue(), &counter.value);
    EXPECT_FALSE(linker->Call("linker_test.unknown", parameter));
    EXPECT_FALSE(linker->Call("", parameter));
    EXPECT_TRUE(linker->Remove("linker_test.add"));
    EXPECT_FALSE(linker->Remove("linker_test.add"));
    EXPECT_FALSE(linker->Call("linker_test.add", parameter));
    EXPECT_TRUE(linker->Register("linker_test.add", link));  // free again once removed
    EXPECT_TRUE(linker->Remove("linker_test.add"));
    // A link without an object is found but not called.
    EXPECT_TRUE(linker->Register("linker_test.empty", Link()));
    OmRuntimeParameter empty;
    EXPECT_TRUE(linker->Call("linker_test.empty", empty));
    EXPECT_EQ(empty.GetReturnvalue(), nullptr);
    EXPECT_TRUE(linker->Remove("linker_test.empty"));
    // A callee may remove its own entry while it is being called.
    ASSERT_TRUE(linker->Register("linker_test.self", Link(&counter, &Counter::RemoveItself)));
    EXPECT_TRUE(linker->Call("linker_test.self", parameter));
    EXPECT_FALSE(linker->Call("linker_test.self", parameter));
}

}  // namespace
}  // namespace om
