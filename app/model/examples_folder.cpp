#include "app/model/examples_folder.h"

#include <filesystem>
#include <system_error>

namespace rs::shell {

std::string examplesFolder(const std::string& programDirectory) {
    for (const char* below : {"examples", "../../share/doc/rungsmith/examples"}) {
        const std::filesystem::path folder = std::filesystem::path(programDirectory) / below;
        std::error_code error;
        if (std::filesystem::is_directory(folder, error)) return folder.lexically_normal().string();
    }
    return {};
}

}  // namespace rs::shell
