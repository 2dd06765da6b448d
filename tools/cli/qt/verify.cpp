#include <cstdio>

#include "comm/program_verify.h"
#include "core/list_steps.h"
#include "tools/cli/project_session.h"
#include "tools/cli/qt/serial_session.h"

namespace rs::cli {
namespace {

int run(const std::vector<std::string>& arguments);
const Command kVerify{"verify",
                      "verify --port DEV [--baud 9600|19200] [--parity O|E|N] [--data 7|8] "
                      "[--stop 1|2] [--mode 1|2] INPUT.epj",
                      &run};

// Reads the program of the controller on DEV and compares it with the
// project's encoding: exit 0 when it holds the project word for word, 1 with
// every differing step otherwise.
int run(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const CommonOptions options = takeCommonOptions(args);
    if (!options.ok) return usageError(kVerify, options.problem);
    SerialStart start;
    std::string problem;
    if (!takeSerialStart(args, start, problem)) return usageError(kVerify, problem);
    if (start.port.empty() || args.size() != 1) return usageError(kVerify, "");

    ProjectSession p(options);
    if (!p.open(args[0], options)) return kExitRefused;
    TerminalSink sink;
    SerialSession line;
    const TransferResult result = line.run(p.app, sink, "verify", [&](Transfer& t) {
        t.verify({start.port, start.settings, {}, {}, false});
    });
    printReason(result);
    if (result.outcome == TransferOutcome::Cancelled) return kExitInterrupted;
    if (result.outcome != TransferOutcome::Uploaded) return kExitRefused;

    const auto steps = listStepNumbers(*p.app.table, p.recordCount());
    const auto differences =
        compareWithController(*p.app.table, p.app.m_bMode2, result.programRead, steps);
    std::printf("%s\n", verifyVerdict(differences).c_str());
    if (differences.empty()) return kExitOk;
    for (const StepDifference& d : differences)
        std::printf("step %lld: the project has %s, the controller holds %s\n",
                    static_cast<long long>(d.step), d.project.c_str(), d.held.c_str());
    return kExitRefused;
}

const bool registered = registerCommand(kVerify);

}  // namespace
}  // namespace rs::cli
