// rungsmith-cli convert CELLS.txt [--mode 1|2] [-o OUTPUT.epj]: runs Convert on
// a cell table and prints the instruction list (and saves it as a project), or
// the report and the cell it names.
#include "core/convert/convert.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "core/cell_table.h"
#include "core/list_text.h"
#include "tools/cli/cli_command.h"
#include "tools/cli/project_session.h"

namespace rs::cli {

namespace {

int run(const std::vector<std::string>& argsIn);
const Command kCommand{"convert",
                       "convert CELLS.txt [--mode 1|2] [--par-range FILE] [-o OUTPUT.epj]", &run};

int run(const std::vector<std::string>& argsIn) {
    std::vector<std::string> args = argsIn;
    const CommonOptions options = takeCommonOptions(args);
    if (!options.ok) return usageError(kCommand, options.problem);
    bool ok = true;
    const std::string output = takeOption(args, "-o", ok);
    if (!ok) return usageError(kCommand, "-o takes a file name");
    if (args.size() != 1) return usageError(kCommand, "one cell table expected");
    std::ifstream in(args[0], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", args[0].c_str());
        return kExitRefused;
    }
    std::ostringstream text;
    text << in.rdbuf();

    ProjectSession p(options);
    p.startNew(options);
    const CellTableResult table = readCellTable(text.str(), p.session.grid());
    if (!table.ok) {
        const CellTableError& e = table.errors.front();
        std::fprintf(stderr, "%s:%d: %s\n", args[0].c_str(), e.line, e.problem.c_str());
        return kExitRefused;
    }
    p.session.commit();  // the ladder was just drawn: not converted yet
    const ConvertOutcome out = convertLadder(p.session);
    if (out.unconvertible) {
        std::fprintf(stderr, "at %d %d\n", out.reportRow, out.reportCol);
        return kExitRefused;
    }
    if (!out.compiled) return kExitRefused;
    std::fputs(listText(*p.app.table).c_str(), stdout);
    if (!output.empty() && p.document.save(output) != SaveResult::Saved) return kExitRefused;
    return kExitOk;
}

const bool registered = registerCommand(kCommand);

}  // namespace
}  // namespace rs::cli
