#include "sim/scenario.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "core/evaluate/list_eval.h"
#include "tools/cli/project_session.h"

namespace rs::cli {
namespace {

int run(const std::vector<std::string>& arguments);
const Command kTest{"test", "test SCENARIO.txt", &run};

// The project path of a scenario: as written when absolute, else beside the
// scenario file.
std::string projectPath(const std::string& scenarioPath, const std::string& project) {
    if (!project.empty() && project[0] == '/') return project;
    const size_t slash = scenarioPath.rfind('/');
    return slash == std::string::npos ? project : scenarioPath.substr(0, slash + 1) + project;
}

// Runs a scenario file: one line per expectation, exit 0 when all hold, 1
// when one fails (or the engine stops), 2 for a scenario that cannot be run.
int run(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    const CommonOptions options = takeCommonOptions(args);
    if (!options.ok) return usageError(kTest, options.problem);
    if (args.size() != 1) return usageError(kTest, "");
    const std::string& path = args[0];
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "%s: cannot be read\n", path.c_str());
        return kExitUsage;
    }
    std::ostringstream text;
    text << file.rdbuf();
    sim::ScenarioError error;
    const auto scenario = sim::parseScenario(text.str(), error);
    if (!scenario) {
        std::fprintf(stderr, "%s:%d: %s\n", path.c_str(), error.line, error.message.c_str());
        return kExitUsage;
    }

    ProjectSession p(options);
    if (!p.open(projectPath(path, scenario->project), options)) {
        std::fprintf(stderr, "%s:%d: the project %s cannot be opened\n", path.c_str(),
                     scenario->projectLine, scenario->project.c_str());
        return kExitUsage;
    }
    sim::LoadError loadError;
    auto program = sim::loadProgram(eval::tableRows(p.session.table()), loadError);
    if (!program) {
        std::fprintf(stderr, "%s\n", loadError.message.c_str());
        return kExitRefused;
    }
    device::DeviceMemory memory;
    sim::Engine engine(memory);
    engine.load(std::move(*program));
    const bool passed = sim::runScenario(engine, *scenario, std::cout);
    std::cout.flush();
    if (engine.stopped())
        std::fprintf(stderr, "Simulation stopped at %s\n", engine.stopped()->message.c_str());
    return passed ? kExitOk : kExitRefused;
}

const bool registered = registerCommand(kTest);

}  // namespace
}  // namespace rs::cli
