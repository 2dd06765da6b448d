#include "app/model/project_names.h"

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace rs::shell {

std::string captionFor(const std::string& title, bool maximized) {
    return maximized ? "Rungsmith - [" + title + "]" : "Rungsmith - " + title;
}

std::string projectShownName(const std::string& fileName) {
    if (fileName.find(".epj") != std::string::npos && fileName.size() >= 4)
        return fileName.substr(0, fileName.size() - 4);
    return fileName;
}

namespace {

// FNV-1a: a file name of any length becomes a fixed part of the lock's name.
uint64_t nameHash(const std::string& text) {
    uint64_t h = 14695981039346656037ull;
    for (unsigned char c : text) h = (h ^ c) * 1099511628211ull;
    return h;
}

}  // namespace

std::string projectLockName(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path real = fs::weakly_canonical(fs::absolute(path, ec), ec);
    if (ec) real = fs::absolute(path, ec).lexically_normal();
    const fs::path folder = real.parent_path();
    struct stat st {};
    char key[80];
    if (::stat(folder.c_str(), &st) == 0) {
        std::snprintf(key, sizeof key, "%llx-%llx-%016llx",
                      static_cast<unsigned long long>(st.st_dev),
                      static_cast<unsigned long long>(st.st_ino),
                      static_cast<unsigned long long>(nameHash(real.filename().string())));
    } else {
        std::snprintf(key, sizeof key, "%016llx",
                      static_cast<unsigned long long>(nameHash(real.string())));
    }
    return std::string("rungsmith-") + key + ".lock";
}

std::string saveChangesQuestion(const std::string& title) {
    return "Save changes to " + title + "?";
}

}  // namespace rs::shell
