#include <om/sys/messages.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace om::sys {
namespace {

TEST(SysMessages, NamesGetStableDistinctNumbers) {
    unsigned int const a = RegisterMessage("SysTestMessageA");
    unsigned int const b = RegisterMessage("SysTestMessageB");
    EXPECT_GE(a, kFirstRegisteredMessage);
    EXPECT_LE(a, kLastRegisteredMessage);
    EXPECT_NE(a, b);
    EXPECT_EQ(RegisterMessage("SysTestMessageA"), a);
    EXPECT_EQ(RegisterMessage(std::string("SysTestMessageB")), b);
    EXPECT_EQ(RegisterMessage(""), 0u);
}

TEST(SysMessages, PostGoesToTheInstalledHandlerOnly) {
    SetPostMessageHandler(nullptr);
    EXPECT_FALSE(HasPostMessageHandler());
    int window = 0;
    EXPECT_EQ(PostMessage(&window, 0xC123, 1, 2), 0);

    struct Posted {
        WindowHandle window;
        unsigned int message;
        std::uintptr_t wparam;
        std::intptr_t lparam;
    };
    std::vector<Posted> posted;
    SetPostMessageHandler([&](WindowHandle w, unsigned int m, std::uintptr_t wp, std::intptr_t lp) {
        posted.push_back({w, m, wp, lp});
        return 7;
    });
    EXPECT_TRUE(HasPostMessageHandler());
    EXPECT_EQ(PostMessage(&window, 0xC123, 1, -2), 7);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].window, &window);
    EXPECT_EQ(posted[0].message, 0xC123u);
    EXPECT_EQ(posted[0].wparam, 1u);
    EXPECT_EQ(posted[0].lparam, -2);

    SetPostMessageHandler(nullptr);
    EXPECT_EQ(PostMessage(&window, 0xC123, 1, 2), 0);
    EXPECT_EQ(posted.size(), 1u);
}

}  // namespace
}  // namespace om::sys
