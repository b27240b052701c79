// omtool: command-line access to the jobs of the omcore library.
#include "omtool.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace omtool {

std::vector<Command>& Registry() {
    static std::vector<Command> commands;
    return commands;
}

bool WantsHelp(Args const& args) {
    return std::any_of(args.begin(), args.end(),
                       [](std::string const& a) { return a == "-h" || a == "--help"; });
}

int UsageError(std::string const& name, std::string const& message) {
    std::fprintf(stderr, "omtool %s: %s (see omtool %s --help)\n", name.c_str(), message.c_str(),
                 name.c_str());
    return 2;
}

}  // namespace omtool

namespace {

void PrintCommands() {
    auto commands = omtool::Registry();
    std::sort(commands.begin(), commands.end(),
              [](auto const& a, auto const& b) { return a.name < b.name; });
    std::printf("usage: omtool COMMAND [ARGS...]\n\ncommands:\n");
    for (auto const& c : commands) std::printf("  %-10s %s\n", c.name.c_str(), c.summary.c_str());
    std::printf("\nomtool COMMAND --help shows the usage of one command.\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0) {
        PrintCommands();
        return argc < 2 ? 2 : 0;
    }
    omtool::Args args(argv + 2, argv + argc);
    for (auto const& c : omtool::Registry()) {
        if (c.name != argv[1]) continue;
        if (omtool::WantsHelp(args)) {
            std::printf("%s\n", c.usage.c_str());
            return 0;
        }
        return c.run(args);
    }
    std::fprintf(stderr, "omtool: unknown command '%s'\n", argv[1]);
    PrintCommands();
    return 2;
}
