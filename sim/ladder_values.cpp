#include "sim/ladder_values.h"

#include <sstream>

#include "core/cell.h"
#include "core/char_class.h"

namespace rs::sim {

namespace {

bool isWordDevice(const std::string& word) {
    if (word.size() < 2) return false;
    const char c = word[0];
    return (c == 'T' || c == 'C' || c == 'D' || c == 'V' || c == 'Z') && isDigit(word[1]);
}

bool isContact(const LadderGrid& grid, int row, int col) {
    return col >= 1 && col <= 9 && grid.hasSymbol(row, col) &&
           isSerialContactKind(serialTwin(grid.kind(row, col)));
}

}  // namespace

std::vector<std::string> shownWordDevices(const LadderGrid& grid, int row, int col) {
    if (!LadderGrid::inside(row, col)) return {};
    std::string text;
    if (isContact(grid, row, col)) {
        text = grid.text(row, col);
    } else if (col == kOutputCol) {
        const int32_t kind = grid.kind(row, col);
        if (kind != Coil && kind != AppInstruction) return {};
        const std::string& cell = grid.text(row, col);
        const size_t blank = cell.find(' ');
        text = kind == Coil ? cell.substr(0, blank)
                            : (blank == std::string::npos ? "" : cell.substr(blank + 1));
    }
    std::vector<std::string> out;
    std::istringstream words(text);
    for (std::string w; words >> w;)
        if (isWordDevice(w)) out.push_back(w);
    return out;
}

std::string contactDevice(const LadderGrid& grid, int row, int col) {
    if (!LadderGrid::inside(row, col) || !isContact(grid, row, col)) return {};
    return grid.text(row, col);
}

}  // namespace rs::sim
