#include <om/sys/messages.h>

#include <string>
#include <unordered_map>
#include <utility>

namespace om::sys {
namespace {

struct MessageRegistry {
    std::unordered_map<std::string, unsigned int> numbers;
    unsigned int next = kFirstRegisteredMessage;
};

MessageRegistry& Registry() {
    static MessageRegistry registry;
    return registry;
}

PostMessageHandler& Handler() {
    static PostMessageHandler handler;
    return handler;
}

}  // namespace

unsigned int RegisterMessage(std::string_view name) {
    if (name.empty()) return 0;
    auto& registry = Registry();
    std::string key(name);
    if (auto found = registry.numbers.find(key); found != registry.numbers.end()) {
        return found->second;
    }
    if (registry.next > kLastRegisteredMessage) return 0;
    unsigned int const number = registry.next++;
    registry.numbers.emplace(std::move(key), number);
    return number;
}

void SetPostMessageHandler(PostMessageHandler handler) {
    Handler() = std::move(handler);
}

bool HasPostMessageHandler() {
    return static_cast<bool>(Handler());
}

int PostMessage(WindowHandle window, unsigned int message, std::uintptr_t wparam,
                std::intptr_t lparam) {
    auto const& handler = Handler();
    if (!handler) return 0;
    return handler(window, message, wparam, lparam);
}

}  // namespace om::sys
