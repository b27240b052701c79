#include <om/sys/messages.h>

#include <gtest/gtest.h>

#include <string>

namespace om::sys {
namespace {

TEST(SysMessages, NamesGetStableNumbersAndPostsNeedAHandler) {
    unsigned int const a = RegisterMessage("SysTestMessageA");
    unsigned int const b = RegisterMessage("SysTestMessageB");
    EXPECT_GE(a, kFirstRegisteredMessage);
    EXPECT_LE(a, kLastRegisteredMessage);
    EXPECT_NE(a, b);
    EXPECT_EQ(RegisterMessage(std::string("SysTestMessageA")), a);
    EXPECT_EQ(RegisterMessage(""), 0u);

    int window = 0;
    SetPostMessageHandler(nullptr);
    EXPECT_FALSE(HasPostMessageHandler());
    EXPECT_EQ(PostMessage(&window, a, 1, 2), 0);
    SetPostMessageHandler([&](WindowHandle w, unsigned int m, std::uintptr_t wp, std::intptr_t lp) {
        return w == &window && m == a && wp == 1u && lp == -2 ? 7 : 3;
    });
    EXPECT_TRUE(HasPostMessageHandler());
    EXPECT_EQ(PostMessage(&window, a, 1, -2), 7);
    SetPostMessageHandler(nullptr);
    EXPECT_EQ(PostMessage(&window, a, 1, -2), 0);
}

}  // namespace
}  // namespace om::sys
