#include "core/program_dir.h"
#include "tools/cli/cli_command.h"

namespace rs::cli {

std::string rangeFilePath(const CommonOptions& options) {
    return options.parRange.empty() ? defaultRangeFilePath() : options.parRange;
}

}  // namespace rs::cli
