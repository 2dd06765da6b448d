#include <cstdio>

#include "project/list_text.h"
#include "tools/cli/project_session.h"

namespace rs::cli {
namespace {

int run(const std::vector<std::string>& arguments);
const Command kList{"list", "list INPUT.epj", &run};

// Prints the lines of the instruction list view with their step numbers.
int run(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const CommonOptions options = takeCommonOptions(args);
    if (!options.ok) return usageError(kList, options.problem);
    if (args.size() != 1) return usageError(kList, "");
    ProjectSession p(options);
    if (!p.open(args[0], options)) return kExitRefused;
    std::fputs(listViewText(p.session.table(), p.recordCount()).c_str(), stdout);
    return kExitOk;
}

const bool registered = registerCommand(kList);

}  // namespace
}  // namespace rs::cli
