#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "core/instruction_store.h"
#include "tools/cli/project_session.h"
#include "tools/cli/qt/serial_session.h"

namespace rs::cli {
namespace {

int run(const std::vector<std::string>& arguments);
const Command kUpload{"upload",
                      "upload --port DEV [--baud 9600|19200] [--parity O|E|N] [--data 7|8] "
                      "[--stop 1|2] [--mode 1|2] OUTPUT.epj",
                      &run};

constexpr const char* kStopped = "Upload stopped: nothing was saved.";

// Holds the messages of an attempt that may be followed by another.
class HeldSink : public MessageSink {
  public:
    void inform(const std::string& text, const std::string& caption, MessageIcon icon) override {
        m_held.push_back({text, caption, icon});
    }
    MessageAnswer ask(const std::string& text, const std::string& caption, MessageButtons,
                      MessageAnswer defaultAnswer, MessageIcon icon) override {
        inform(text, caption, icon);
        return defaultAnswer;
    }
    void replay(MessageSink& to) const {
        for (const Held& h : m_held) to.inform(h.text, h.caption, h.icon);
    }

  private:
    struct Held {
        std::string text;
        std::string caption;
        MessageIcon icon;
    };
    std::vector<Held> m_held;
};

// Reads the program back from the controller on DEV and saves it. Without
// --mode it asks in mode 2 first and, when nothing at all comes back, in
// mode 1; it says which mode it used.
int run(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const CommonOptions options = takeCommonOptions(args);
    if (!options.ok) return usageError(kUpload, options.problem);
    SerialStart start;
    std::string problem;
    if (!takeSerialStart(args, start, problem)) return usageError(kUpload, problem);
    if (start.port.empty() || args.size() != 1) return usageError(kUpload, "");

    ProjectSession p(options);
    TerminalSink terminal;
    SerialSession line;
    auto attempt = [&](int mode, MessageSink& sink) {
        p.startNew(CommonOptions{mode, {}, true, {}});
        return line.run(p.app, sink, "upload", [&](Transfer& t) {
            if (t.openPort(start.port, start.settings)) t.upload();
        });
    };

    TransferResult result;
    int mode = options.mode;
    if (mode == 0) {
        HeldSink held;
        result = attempt(2, held);
        mode = 2;
        const bool silent =
            result.outcome == TransferOutcome::Failed && !result.answered && result.reason.empty();
        if (silent) {
            std::fprintf(stderr, "no answer in mode 2, trying mode 1\n");
            result = attempt(1, terminal);
            mode = 1;
        } else {
            held.replay(terminal);
        }
    } else {
        result = attempt(mode, terminal);
    }
    printReason(result);
    if (result.outcome == TransferOutcome::Cancelled) {
        std::fprintf(stderr, "%s\n", kStopped);
        return kExitInterrupted;
    }
    if (result.outcome != TransferOutcome::Uploaded) return kExitRefused;
    std::fprintf(stderr, "uploaded in mode %d\n", mode);
    store::uploadRebuild(p.session.table(), p.view.records, p.app.m_bMode2);
    return p.document.save(args[0]) == SaveResult::Saved ? kExitOk : kExitRefused;
}

const bool registered = registerCommand(kUpload);

}  // namespace
}  // namespace rs::cli
