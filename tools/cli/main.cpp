#include <cstdio>
#include <cstring>

#include "tools/cli/cli_command.h"

namespace rs::cli {

namespace {
std::vector<Command>& registry() {
    static std::vector<Command> all;
    return all;
}
}  // namespace

bool registerCommand(const Command& command) {
    registry().push_back(command);
    return true;
}

const std::vector<Command>& commands() {
    return registry();
}

int usageError(const Command& command, const std::string& problem) {
    if (!problem.empty()) std::fprintf(stderr, "%s\n", problem.c_str());
    std::fprintf(stderr, "usage: rungsmith-cli %s\n", command.usage);
    return kExitUsage;
}

std::string takeOption(std::vector<std::string>& args, const std::string& name, bool& ok) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != name) continue;
        if (i + 1 >= args.size()) {
            ok = false;
            args.erase(args.begin() + static_cast<long>(i));
            return {};
        }
        std::string value = args[i + 1];
        args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
        return value;
    }
    return {};
}

bool takeFlag(std::vector<std::string>& args, const std::string& name) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == name) {
            args.erase(args.begin() + static_cast<long>(i));
            return true;
        }
    }
    return false;
}

CommonOptions takeCommonOptions(std::vector<std::string>& args) {
    CommonOptions o;
    bool ok = true;
    const std::string mode = takeOption(args, "--mode", ok);
    if (mode == "1" || mode == "2") {
        o.mode = mode == "1" ? 1 : 2;
    } else if (!mode.empty() || !ok) {
        o.ok = false;
        o.problem = "--mode takes 1 or 2";
    }
    o.parRange = takeOption(args, "--par-range", ok);
    if (!ok) {
        o.ok = false;
        o.problem = "an option is missing its value";
    }
    return o;
}

}  // namespace rs::cli

int main(int argc, char** argv) {
    using namespace rs::cli;
    if (argc >= 2) {
        if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
            printHelp();
            return kExitOk;
        }
        if (std::strcmp(argv[1], "--version") == 0) {
            std::printf("rungsmith-cli %s\n", kVersion);
            return kExitOk;
        }
        for (const Command& c : commands()) {
            if (std::strcmp(argv[1], c.name) != 0) continue;
            if (argc == 3 &&
                (std::strcmp(argv[2], "--help") == 0 || std::strcmp(argv[2], "-h") == 0)) {
                std::printf("usage: rungsmith-cli %s\n", c.usage);
                return kExitOk;
            }
            return c.run(std::vector<std::string>(argv + 2, argv + argc));
        }
    }
    std::fprintf(stderr, "usage:\n");
    for (const Command& c : commands()) std::fprintf(stderr, "  rungsmith-cli %s\n", c.usage);
    std::fprintf(stderr, "  rungsmith-cli --help | --version\n");
    return kExitUsage;
}
