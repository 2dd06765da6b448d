#include <cstdio>

#include "comm/code_encoder.h"
#include "comm/comm_messages.h"
#include "comm/download_check.h"
#include "tools/cli/project_session.h"

namespace rs::cli {
namespace {

int run(const std::vector<std::string>& arguments);
const Command kEncode{"encode", "encode [--mode 1|2] INPUT.epj", &run};

// Prints the controller code of a project, up to and including the END word,
// one word a line as four upper-case hex digits. A program the download would
// refuse prints that refusal instead.
int run(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const CommonOptions options = takeCommonOptions(args);
    if (!options.ok) return usageError(kEncode, options.problem);
    if (args.size() != 1) return usageError(kEncode, "");
    ProjectSession p(options);
    if (!p.open(args[0], options)) return kExitRefused;
    const bool mode2 = p.app.m_bMode2;
    if (const auto refusal = downloadRefusal(p.session.table(), mode2)) {
        std::fprintf(stderr, "%s\n", refusal->c_str());
        return kExitRefused;
    }
    CodeEncoder encoder(mode2);
    switch (encoder.encodeProgram(p.session.table())) {
        case EncodeStatus::Ok:
            break;
        case EncodeStatus::TooLarge:
            std::fprintf(stderr, "%s\n", msg::kCodeTooLarge);
            return kExitRefused;
        case EncodeStatus::NoEnd:
            std::fprintf(stderr, "%s\n", msg::kCodeWithoutEnd);
            return kExitRefused;
    }
    for (int i = 0; i <= encoder.codeEnd(); ++i)
        std::printf("%04X\n", encoder.code()[static_cast<size_t>(i)]);
    return kExitOk;
}

const bool registered = registerCommand(kEncode);

}  // namespace
}  // namespace rs::cli
