// Subcommand registry of omtool. Each tools/cmd_*.cpp defines its jobs and registers them with
// a file-scope OmtoolCommand object, so adding a job never touches another file.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace omtool {

using Args = std::vector<std::string>;

struct Command {
    std::string name;
    std::string summary;  // one line for the command list
    std::string usage;    // full text printed by `omtool NAME --help`
    // Receives the arguments after NAME; returns the exit code.
    std::function<int(Args const&)> run;
};

std::vector<Command>& Registry();

struct Register {
    explicit Register(Command cmd) { Registry().push_back(std::move(cmd)); }
};

// True when args hold -h or --help.
bool WantsHelp(Args const& args);

// Prints "omtool NAME: message" to stderr and returns exit code 2 (usage) for convenience.
int UsageError(std::string const& name, std::string const& message);

}  // namespace omtool
