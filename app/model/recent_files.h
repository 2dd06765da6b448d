#pragma once

#include <string>
#include <vector>

namespace rs::shell {

// The recent-file list: full paths, most recent first, at most five, each
// path once.
class RecentFiles {
  public:
    explicit RecentFiles(std::vector<std::string> paths = {});
    // The path moves to the front (or enters there); the oldest falls off.
    void add(const std::string& path);
    void remove(const std::string& path);
    const std::vector<std::string>& paths() const { return m_paths; }

  private:
    std::vector<std::string> m_paths;
};

}  // namespace rs::shell
