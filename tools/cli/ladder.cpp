// rungsmith-cli ladder INPUT.epj [--cells]: the ladder built from the
// project's instruction list, drawn in text or written as a cell table.
#include <cstdio>

#include "core/cell_table.h"
#include "core/convert/tidy.h"
#include "core/ladder_text/ladder_text.h"
#include "core/list_to_ladder/list_to_ladder.h"
#include "core/list_to_ladder/presentation_switch.h"
#include "tools/cli/project_session.h"

namespace rs::cli {
namespace {

int run(const std::vector<std::string>& arguments);
const Command kLadder{"ladder", "ladder INPUT.epj [--cells] [--mode 1|2] [--par-range FILE]", &run};

int run(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const CommonOptions options = takeCommonOptions(args);
    if (!options.ok) return usageError(kLadder, options.problem);
    const bool cells = takeFlag(args, "--cells");
    if (args.size() != 1) return usageError(kLadder, "one project expected");
    ProjectSession p(options);
    if (!p.open(args[0], options)) return kExitRefused;
    Session& s = p.session;
    // The list is shown after opening; the ladder comes back as Alt+F1 brings it.
    s.view.m_bListMode = 1;
    if (!ladder::switchPresentation(s)) return kExitRefused;
    tidyGrid(s);
    const LadderGrid& grid = s.grid();
    const std::string out = cells ? writeCellTable(grid) : drawLadderText(grid, grid.m_nLastRow);
    std::fputs(out.c_str(), stdout);
    return kExitOk;
}

const bool registered = registerCommand(kLadder);

}  // namespace
}  // namespace rs::cli
