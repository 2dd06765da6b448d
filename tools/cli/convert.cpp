// rungsmith-cli convert CELLS.txt [--mode 1|2]: runs Convert on a cell table
// and prints the instruction list, or the report and the cell it names.
#include "core/convert/convert.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "core/cell_table.h"
#include "core/convert/list_text.h"
#include "core/message_sink.h"
#include "tools/cli/cli_command.h"

namespace rs::cli {

namespace {

// Messages of the run go to standard error, in the order they were shown.
class StderrSink : public MessageSink {
  public:
    void inform(const std::string& text, const std::string&, MessageIcon) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    MessageAnswer ask(const std::string& text, const std::string&, MessageButtons,
                      MessageAnswer def, MessageIcon) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        return def;
    }
};

int run(const std::vector<std::string>& argsIn);
const Command kCommand{"convert", "convert CELLS.txt [--mode 1|2] [--par-range FILE]", &run};

int run(const std::vector<std::string>& argsIn) {
    std::vector<std::string> args = argsIn;
    const CommonOptions options = takeCommonOptions(args);
    if (!options.ok) return usageError(kCommand, options.problem);
    if (args.size() != 1) return usageError(kCommand, "one cell table expected");
    std::ifstream in(args[0], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", args[0].c_str());
        return kExitRefused;
    }
    std::ostringstream text;
    text << in.rdbuf();

    AppStore app;
    ViewState view;
    StderrSink sink;
    RangeFile ranges(rangeFilePath(options));
    Session session(app, view, sink, ranges);
    session.startView();
    app.setMode2(options.mode != 1);
    const CellTableResult table = readCellTable(text.str(), session.grid());
    if (!table.ok) {
        const CellTableError& e = table.errors.front();
        std::fprintf(stderr, "%s:%d: %s\n", args[0].c_str(), e.line, e.problem.c_str());
        return kExitRefused;
    }
    session.commit();  // the ladder was just drawn: not converted yet
    const ConvertOutcome out = convertLadder(session);
    if (out.unconvertible) {
        std::fprintf(stderr, "at %d %d\n", out.reportRow, out.reportCol);
        return kExitRefused;
    }
    if (!out.compiled) return kExitRefused;
    std::fputs(listText(*app.table).c_str(), stdout);
    return kExitOk;
}

const bool registered = registerCommand(kCommand);

}  // namespace
}  // namespace rs::cli
