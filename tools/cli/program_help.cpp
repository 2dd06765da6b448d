#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/cli/cli_command.h"

namespace rs::cli {

void printHelp() {
    std::vector<const Command*> sorted;
    for (const Command& c : commands()) sorted.push_back(&c);
    std::sort(sorted.begin(), sorted.end(),
              [](const Command* a, const Command* b) { return std::string(a->name) < b->name; });
    std::printf("rungsmith-cli %s: every stage of Rungsmith without a window.\n\n", kVersion);
    std::printf("usage:\n");
    for (const Command* c : sorted) std::printf("  rungsmith-cli %s\n", c->usage);
    std::printf("  rungsmith-cli COMMAND --help     the usage of one command\n");
    std::printf("  rungsmith-cli --help | --version\n\n");
    std::printf(
        "Options of every command that reads or makes a project:\n"
        "  --mode 1|2        the encoding mode (default: the project's own, else 2)\n"
        "  --par-range FILE  the device range file instead of ParRange.txt beside the program\n\n"
        "Exit status: 0 on success, 1 when the program refuses the input (its message\n"
        "on standard error), 2 on wrong usage. diff, as diff tools do, exits 0 when the\n"
        "two lists are equal, 1 when they differ and 2 when a file cannot be read.\n"
        "test exits 0 when every expectation of the scenario holds, 1 when one\n"
        "fails, 2 when the scenario is malformed or its project cannot be opened.\n\n"
        "Version control: with the attribute '*.epj diff=epj' and\n"
        "  git config diff.epj.textconv 'rungsmith-cli export'\n"
        "git diff shows the instruction lists of two projects.\n");
}

}  // namespace rs::cli
