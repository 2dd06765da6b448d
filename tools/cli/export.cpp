#include <cstdio>

#include "project/list_text.h"
#include "tools/cli/project_session.h"

namespace rs::cli {
namespace {

int run(const std::vector<std::string>& arguments);
const Command kExport{"export", "export [--comments] INPUT.epj", &run};

// Prints the instruction list of a project as text that import reads back;
// with --comments each line ends with the comments of its devices.
int run(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const CommonOptions options = takeCommonOptions(args);
    if (!options.ok) return usageError(kExport, options.problem);
    const bool withComments = takeFlag(args, "--comments");
    if (args.size() != 1) return usageError(kExport, "");
    ProjectSession p(options);
    if (!p.open(args[0], options)) return kExitRefused;
    const std::string text =
        withComments ? commentedListText(p.session.table(), p.recordCount(), p.document.comments())
                     : exportListText(p.session.table(), p.recordCount());
    std::fputs(text.c_str(), stdout);
    return kExitOk;
}

const bool registered = registerCommand(kExport);

}  // namespace
}  // namespace rs::cli
