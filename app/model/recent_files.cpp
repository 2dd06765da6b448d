#include "app/model/recent_files.h"

#include <algorithm>

#include "app/model/commands.h"

namespace rs::shell {

RecentFiles::RecentFiles(std::vector<std::string> paths) {
    for (auto it = paths.rbegin(); it != paths.rend(); ++it)
        if (!it->empty()) add(*it);
}

void RecentFiles::add(const std::string& path) {
    remove(path);
    m_paths.insert(m_paths.begin(), path);
    if (m_paths.size() > static_cast<size_t>(kRecentFileCount)) m_paths.resize(kRecentFileCount);
}

void RecentFiles::remove(const std::string& path) {
    m_paths.erase(std::remove(m_paths.begin(), m_paths.end(), path), m_paths.end());
}

}  // namespace rs::shell
