#include <cstdio>

#include "project/file_io.h"
#include "project/file_messages.h"
#include "project/list_text.h"
#include "project/project_file.h"
#include "tools/cli/project_session.h"

namespace rs::cli {
namespace {

int run(const std::vector<std::string>& arguments);
const Command kImport{"import", "import [--mode 1|2] [--par-range FILE] INPUT.il OUTPUT.epj", &run};

// Applies an instruction list text line by line, as the list editor does, and
// saves the program as a project.
int run(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const CommonOptions options = takeCommonOptions(args);
    if (!options.ok) return usageError(kImport, options.problem);
    if (args.size() != 2) return usageError(kImport, "");
    std::string text;
    bool tooLarge = false;
    if (const int err = readWholeFile(args[0], kMaxProjectFileBytes, text, tooLarge); err != 0) {
        std::fprintf(stderr, "%s\n", msg::fileErrorMessage(err, args[0], false).c_str());
        return kExitRefused;
    }
    if (tooLarge) {
        std::fprintf(stderr, "%s: too large\n", args[0].c_str());
        return kExitRefused;
    }
    ProjectSession p(options);
    p.startNew(options);
    const ImportResult result = importListText(p.session, text);
    if (!result.ok) {
        std::fprintf(stderr, "line %d: %s\n", result.line, result.message.c_str());
        return kExitRefused;
    }
    return p.document.save(args[1]) == SaveResult::Saved ? kExitOk : kExitRefused;
}

const bool registered = registerCommand(kImport);

}  // namespace
}  // namespace rs::cli
