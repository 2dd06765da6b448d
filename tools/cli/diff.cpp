#include <cstdio>
#include <memory>

#include "core/list_diff.h"
#include "tools/cli/project_session.h"

namespace rs::cli {
namespace {

int run(const std::vector<std::string>& arguments);
const Command kDiff{"diff", "diff A.epj B.epj [--par-range FILE]   (exit 0: equal, 1: they differ)",
                    &run};

// Exit statuses of diff, as diff tools have them.
constexpr int kExitEqual = 0;
constexpr int kExitDiffer = 1;
constexpr int kExitTrouble = 2;

// Prints the rows that differ between the instruction lists of two projects,
// with their step numbers, and a differing encoding mode first.
int run(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const CommonOptions options = takeCommonOptions(args);
    if (!options.ok) return usageError(kDiff, options.problem);
    if (options.mode != 0) return usageError(kDiff, "diff compares each project in its own mode");
    if (args.size() != 2) return usageError(kDiff, "");
    // Two whole programs: kept off the stack.
    const auto a = std::make_unique<ProjectSession>(options);
    if (!a->open(args[0], options)) return kExitTrouble;
    const auto b = std::make_unique<ProjectSession>(options);
    if (!b->open(args[1], options)) return kExitTrouble;
    std::string out;
    if (a->app.m_bMode2 != b->app.m_bMode2) {
        out += a->app.m_bMode2 ? "- mode2\n" : "- mode1\n";
        out += b->app.m_bMode2 ? "+ mode2\n" : "+ mode1\n";
    }
    out += listDiffText(a->session.table(), a->recordCount(), b->session.table(), b->recordCount());
    std::fputs(out.c_str(), stdout);
    return out.empty() ? kExitEqual : kExitDiffer;
}

const bool registered = registerCommand(kDiff);

}  // namespace
}  // namespace rs::cli
