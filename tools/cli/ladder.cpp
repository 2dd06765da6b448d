// rungsmith-cli ladder INPUT.epj [--cells] [--pdf OUT.pdf] [--png OUT.png]: the
// ladder built from the project's instruction list, drawn in text, written as
// a cell table, or printed into a PDF or PNG pages as the window prints it.
#include <cstdio>

#include "core/cell_table.h"
#include "core/convert/tidy.h"
#include "core/ladder_text/ladder_text.h"
#include "core/list_to_ladder/list_to_ladder.h"
#include "core/list_to_ladder/presentation_switch.h"
#include "tools/cli/ladder_pages.h"
#include "tools/cli/project_session.h"

namespace rs::cli {
namespace {

int run(const std::vector<std::string>& arguments);
const Command kLadder{
    "ladder",
    "ladder INPUT.epj [--cells] [--pdf OUT.pdf] [--png OUT.png] [--mode 1|2] [--par-range FILE]",
    &run};

int run(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const CommonOptions options = takeCommonOptions(args);
    if (!options.ok) return usageError(kLadder, options.problem);
    const bool cells = takeFlag(args, "--cells");
    bool ok = true;
    const std::string pdf = takeOption(args, "--pdf", ok);
    const std::string png = takeOption(args, "--png", ok);
    if (!ok) return usageError(kLadder, "a file name must follow --pdf and --png");
    const bool pages = !pdf.empty() || !png.empty();
    if (pages && !ladderPageWriter())
        return usageError(kLadder, "--pdf and --png need the build with the window toolkit");
    if (args.size() != 1) return usageError(kLadder, "one project expected");
    ProjectSession p(options);
    if (!p.open(args[0], options)) return kExitRefused;
    Session& s = p.session;
    // The list is shown after opening; the ladder comes back as Alt+F1 brings it.
    s.view.m_bListMode = 1;
    if (!ladder::switchPresentation(s)) return kExitRefused;
    tidyGrid(s);
    if (pages) return ladderPageWriter()(s, p.document.title(), p.document.comments(), pdf, png);
    const LadderGrid& grid = s.grid();
    const std::string out = cells ? writeCellTable(grid) : drawLadderText(grid, grid.m_nLastRow);
    std::fputs(out.c_str(), stdout);
    return kExitOk;
}

const bool registered = registerCommand(kLadder);

}  // namespace
}  // namespace rs::cli
