// rungsmith-cli comments export INPUT.epj
// rungsmith-cli comments import [--replace] INPUT.epj FILE.csv
// The device comments of a project as CSV, and a CSV (an I/O list from an
// electrical design tool) taken into them. The project file is not touched.
#include <cstdio>

#include "core/limits.h"
#include "project/comments_file.h"
#include "project/file_io.h"
#include "project/file_messages.h"
#include "tools/cli/project_session.h"

namespace rs::cli {
namespace {

int run(const std::vector<std::string>& arguments);
const Command kComments{
    "comments", "comments export INPUT.epj | comments import [--replace] INPUT.epj FILE.csv", &run};

int exportComments(ProjectSession& p) {
    std::fputs(encodeComments(p.document.comments()).c_str(), stdout);
    return kExitOk;
}

// Gives every device of the file its comment there (an empty one removes
// it); with --replace the file's comments are all the project keeps.
int importComments(ProjectSession& p, const std::string& projectPath, const std::string& csvPath,
                   bool replace) {
    std::string text;
    bool tooLarge = false;
    if (const int err = readWholeFile(csvPath, kMaxCommentsFileBytes, text, tooLarge); err != 0) {
        std::fprintf(stderr, "%s\n", msg::fileErrorMessage(err, csvPath, false).c_str());
        return kExitRefused;
    }
    if (tooLarge) {
        std::fprintf(stderr, "%s: too large\n", csvPath.c_str());
        return kExitRefused;
    }
    const CommentsReadResult read = decodeComments(text);
    if (!read.ok()) {
        std::fprintf(stderr, "%s:%d: %s\n", csvPath.c_str(), read.badLine, read.problem.c_str());
        return kExitRefused;
    }
    DeviceComments& comments = p.document.comments();
    if (!replace && p.document.commentsDamaged()) {
        std::fprintf(stderr, "the project's comments are damaged: repair them or use --replace\n");
        return kExitRefused;
    }
    if (replace) comments.clear();
    for (const CommentDevice& d : read.cleared) comments.set(d, "");
    for (const DeviceComments::Entry& e : read.comments.entries()) {
        if (!comments.set(*readCommentDevice(e.device), e.comment)) {
            std::fprintf(stderr, "too many comments\n");
            return kExitRefused;
        }
    }
    if (const int err = p.document.saveCommentsOnly(projectPath); err != 0) {
        std::fprintf(stderr, "%s\n",
                     msg::fileErrorMessage(err, commentsPathFor(projectPath), true).c_str());
        return kExitRefused;
    }
    return kExitOk;
}

int run(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const CommonOptions options = takeCommonOptions(args);
    if (!options.ok) return usageError(kComments, options.problem);
    const bool replace = takeFlag(args, "--replace");
    if (args.empty()) return usageError(kComments, "export or import expected");
    const std::string action = args[0];
    const bool exporting = action == "export" && args.size() == 2 && !replace;
    const bool importing = action == "import" && args.size() == 3;
    if (!exporting && !importing) return usageError(kComments, "");
    ProjectSession p(options);
    if (!p.open(args[1], options)) return kExitRefused;
    return exporting ? exportComments(p) : importComments(p, args[1], args[2], replace);
}

const bool registered = registerCommand(kComments);

}  // namespace
}  // namespace rs::cli
