#include <cstdio>

#include "core/instruction_set.h"
#include "tools/cli/project_session.h"
#include "tools/cli/qt/serial_session.h"

namespace rs::cli {
namespace {

int run(const std::vector<std::string>& arguments);
const Command kUpload{"upload",
                      "upload --port DEV [--baud 9600|19200] [--parity O|E|N] [--data 7|8] "
                      "[--stop 1|2] [--mode 1|2] OUTPUT.epj",
                      &run};

// The record lists of the uploaded rows, row 0 onward, each row with the
// function number and step count of its mnemonic.
void rebuildRecords(ProjectSession& p) {
    InstructionTable& table = p.session.table();
    p.view.records.clearProgram();
    for (int r = 0; r < kListRows && table.rowUsed(r); ++r) {
        const std::string m = table.m_Instruction[static_cast<size_t>(r)];
        const std::string operand = table.m_Parameter[static_cast<size_t>(r)];
        if (m == "END") {
            store::appendEnd(table, p.view.records, r);
            break;
        }
        const RowClass c = classifyRow(m, p.app.m_bMode2);
        store::emitRow(table, p.view.records, r, m, operand, c.functionNumber, c.stepCount);
    }
}

// Reads the program back from the controller on DEV and saves it.
int run(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const CommonOptions options = takeCommonOptions(args);
    if (!options.ok) return usageError(kUpload, options.problem);
    SerialStart start;
    std::string problem;
    if (!takeSerialStart(args, start, problem)) return usageError(kUpload, problem);
    if (start.port.empty() || args.size() != 1) return usageError(kUpload, "");

    ProjectSession p(options);
    p.startNew(options);
    TerminalSink sink;
    const TransferOutcome outcome = runSerialTransfer(p.app, sink, "upload", [&](Transfer& t) {
        if (t.openPort(start.port, start.settings)) t.upload();
    });
    if (outcome != TransferOutcome::Uploaded) return kExitRefused;
    rebuildRecords(p);
    return p.document.save(args[0]) == SaveResult::Saved ? kExitOk : kExitRefused;
}

const bool registered = registerCommand(kUpload);

}  // namespace
}  // namespace rs::cli
