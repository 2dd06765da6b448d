#include "core/program_dir.h"

#include <filesystem>

namespace rs {

std::string programDirectory() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return "./";
    return exe.parent_path().string() + "/";
}

std::string defaultRangeFilePath() {
    return programDirectory() + "ParRange.txt";
}

}  // namespace rs
