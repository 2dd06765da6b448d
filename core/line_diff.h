#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace rs {

// One step of the shortest way from one sequence of lines to another.
struct LineEdit {
    enum Kind { Same, Removed, Added };
    Kind kind;
    size_t index;  // into the first sequence (Same, Removed) or the second (Added)
};

// The edits that turn `from` into `to` keeping the longest common subsequence
// of lines. Within a run of changes the removed lines come before the added
// ones. Linear memory (Hirschberg's division), time proportional to the
// product of the lengths of the part between the common head and tail.
std::vector<LineEdit> diffLines(const std::vector<std::string>& from,
                                const std::vector<std::string>& to);

}  // namespace rs
