// rungsmith-cli roundtrip INPUT.epj: the project's list turned into a ladder,
// converted back, and the resulting list printed as export prints it.
#include <cstdio>

#include "core/list_to_ladder/presentation_switch.h"
#include "core/list_to_ladder/round_trip.h"
#include "project/list_text.h"
#include "tools/cli/project_session.h"

namespace rs::cli {
namespace {

int run(const std::vector<std::string>& arguments);
const Command kRoundTrip{"roundtrip", "roundtrip INPUT.epj [--mode 1|2] [--par-range FILE]", &run};

int run(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const CommonOptions options = takeCommonOptions(args);
    if (!options.ok) return usageError(kRoundTrip, options.problem);
    if (args.size() != 1) return usageError(kRoundTrip, "one project expected");
    ProjectSession p(options);
    if (!p.open(args[0], options)) return kExitRefused;
    Session& s = p.session;
    s.view.m_bListMode = 1;
    if (!ladder::switchChecksPass(s)) return kExitRefused;
    const ladder::RoundTripOutcome out = ladder::roundTrip(s);
    if (!out.placed) return kExitRefused;
    if (out.convert.unconvertible) {
        std::fprintf(stderr, "at %d %d\n", out.convert.reportRow, out.convert.reportCol);
        return kExitRefused;
    }
    if (!out.convert.compiled) return kExitRefused;
    std::fputs(exportListText(s.table(), p.recordCount()).c_str(), stdout);
    return kExitOk;
}

const bool registered = registerCommand(kRoundTrip);

}  // namespace
}  // namespace rs::cli
