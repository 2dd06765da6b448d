#include <cstdio>

#include "comm/comm_messages.h"
#include "tools/cli/project_session.h"
#include "tools/cli/qt/serial_session.h"

namespace rs::cli {
namespace {

int run(const std::vector<std::string>& arguments);
const Command kDownload{"download",
                        "download --port DEV [--baud 9600|19200] [--parity O|E|N] [--data 7|8] "
                        "[--stop 1|2] [--mode 1|2] [--no-verify] INPUT.epj",
                        &run};

// Downloads a project to the controller on DEV in the file's encoding mode.
int run(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const CommonOptions options = takeCommonOptions(args);
    if (!options.ok) return usageError(kDownload, options.problem);
    // The program is read back and compared after the download unless asked not to.
    const bool verify = !takeFlag(args, "--no-verify");
    SerialStart start;
    std::string problem;
    if (!takeSerialStart(args, start, problem)) return usageError(kDownload, problem);
    if (start.port.empty() || args.size() != 1) return usageError(kDownload, "");

    ProjectSession p(options);
    if (!p.open(args[0], options)) return kExitRefused;
    TerminalSink sink;
    SerialSession line;
    const TransferResult result = line.run(p.app, sink, "download", [&](Transfer& t) {
        t.download({start.port, start.settings, {}, {}, verify});
    });
    printReason(result);
    switch (result.outcome) {
        case TransferOutcome::Succeeded:
            return kExitOk;
        case TransferOutcome::Cancelled:
            std::fprintf(stderr, "%s\n", msg::kPartialProgram);
            return kExitInterrupted;
        default:
            return kExitRefused;
    }
}

const bool registered = registerCommand(kDownload);

}  // namespace
}  // namespace rs::cli
