#include <om/platform/runtime_linker.h>

#include <gtest/gtest.h>

#include <string>
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
    long RemoveItself(void*) {
        OmRuntimeLinker::Instance()->Remove("linker_test.self");
        ++calls_of_remove;
        return 0;
    }
    int value = 0;
    int calls_of_remove = 0;
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
    ASSERT_EQ(counter.seen.size(), 2u);
    EXPECT_EQ(counter.seen[0], &parameter);  // the callee gets the caller's record itself
    EXPECT_EQ(parameter.GetReturnvalue(), &counter.value);

    EXPECT_FALSE(linker->Call("linker_test.unknown", parameter));
    EXPECT_FALSE(linker->Call("", parameter));
    EXPECT_TRUE(linker->Remove("linker_test.add"));
    EXPECT_FALSE(linker->Remove("linker_test.add"));
    EXPECT_FALSE(linker->Call("linker_test.add", parameter));
    EXPECT_EQ(counter.value, 10);
    // Once removed, the name can be registered again.
    EXPECT_TRUE(linker->Register("linker_test.add", link));
    EXPECT_TRUE(linker->Remove("linker_test.add"));
    // A link without an object is found but not called.
    EXPECT_TRUE(linker->Register("linker_test.empty", Link()));
    OmRuntimeParameter empty;
    EXPECT_TRUE(linker->Call("linker_test.empty", empty));
    EXPECT_EQ(empty.GetReturnvalue(), nullptr);
    EXPECT_TRUE(linker->Remove("linker_test.empty"));
}

TEST(OmRuntimeLinker, CalleeMayRemoveItsOwnEntry) {
    auto* linker = OmRuntimeLinker::Instance();
    Counter counter;
    ASSERT_TRUE(linker->Register("linker_test.self", Link(&counter, &Counter::RemoveItself)));
    OmRuntimeParameter parameter;
    EXPECT_TRUE(linker->Call("linker_test.self", parameter));
    EXPECT_EQ(counter.calls_of_remove, 1);
    EXPECT_FALSE(linker->Call("linker_test.self", parameter));
}

}  // namespace
}  // namespace om
