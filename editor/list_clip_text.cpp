#include "editor/list_clip_text.h"

#include <cctype>

namespace rs {

std::string listClipText(const std::vector<ClipLine>& lines) {
    std::string out = "a";
    for (const ClipLine& line : lines) out += line.mnemonic + "a" + line.operand + "a";
    return out;
}

std::optional<std::vector<ClipLine>> readListClipText(std::string_view text) {
    if (text.empty() || text.size() >= kListClipTextLimit || text.front() != 'a')
        return std::nullopt;
    std::vector<std::string> runs;
    std::string run;
    for (size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == 'a') {
            runs.push_back(run);
            run.clear();
        } else if (std::islower(static_cast<unsigned char>(c))) {
            return std::nullopt;
        } else {
            run.push_back(c);
        }
    }
    // A text that does not end on a separator, or ends inside a line, is cut short.
    if (!run.empty() || runs.size() % 2 != 0) return std::nullopt;
    std::vector<ClipLine> lines;
    for (size_t k = 0; k < runs.size(); k += 2) lines.push_back({runs[k], runs[k + 1]});
    return lines;
}

}  // namespace rs
