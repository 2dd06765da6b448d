#pragma once

#include <string>
#include <vector>

namespace rs::cli {

// Exit statuses of rungsmith-cli.
constexpr int kExitOk = 0;
constexpr int kExitRefused = 1;  // the program refused the input (its own message printed)
constexpr int kExitUsage = 2;    // wrong usage

// A subcommand: its name, a one-line usage text and the function that runs it
// with the arguments after the name.
struct Command {
    const char* name;
    const char* usage;
    int (*run)(const std::vector<std::string>& args);
};

// Each subcommand's source file registers it with a namespace-scope
//   const bool registered = rs::cli::registerCommand({...});
bool registerCommand(const Command& command);
const std::vector<Command>& commands();

// The project version, from the build.
constexpr const char* kVersion = RUNGSMITH_VERSION;

// Prints what every command does and how it ends to standard output.
void printHelp();

// Prints the usage of one command to standard error and returns kExitUsage.
int usageError(const Command& command, const std::string& problem);

// Common options: "--mode 1|2", "--par-range FILE". Options are removed from
// the argument list as they are read.
struct CommonOptions {
    int mode = 0;  // 0: not given
    std::string parRange;
    bool ok = true;
    std::string problem;
};
CommonOptions takeCommonOptions(std::vector<std::string>& args);

// Takes "NAME VALUE" out of the arguments; empty when absent. Sets ok false when
// the name is the last argument.
std::string takeOption(std::vector<std::string>& args, const std::string& name, bool& ok);
// Takes a flag ("--cells") out of the arguments.
bool takeFlag(std::vector<std::string>& args, const std::string& name);

// The range file path: the --par-range option, or the file beside the program.
std::string rangeFilePath(const CommonOptions& options);

}  // namespace rs::cli
