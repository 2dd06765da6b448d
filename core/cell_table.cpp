#include "core/cell_table.h"

#include <cstdio>
#include <string_view>

#include "core/char_class.h"

namespace rs {

namespace {

// Parses a decimal or 0x-hexadecimal number of at most 9 digits.
bool parseNumber(std::string_view s, bool allowHex, long& out) {
    int base = 10;
    if (allowHex && s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty() || s.size() > 9) return false;
    long v = 0;
    for (char ch : s) {
        if (!(base == 16 ? isHexDigit(ch) : isDigit(ch))) return false;
        v = v * base + hexDigitValue(ch);
    }
    out = v;
    return true;
}

// The next blank-separated field of a line, advancing pos past one blank.
std::string_view nextField(std::string_view line, size_t& pos) {
    const size_t start = pos;
    while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t') ++pos;
    std::string_view f = line.substr(start, pos - start);
    if (pos < line.size()) ++pos;
    return f;
}

bool isEndMarker(const LadderGrid& g, int r, int c) {
    return c == kOutputCol && g.kind(r, c) == Empty && g.links(r, c) == 0 && g.text(r, c) == "END";
}

bool isBlank(const LadderGrid& g, int r, int c) {
    return g.kind(r, c) == Empty && g.links(r, c) == 0 && g.text(r, c).empty();
}

}  // namespace

CellTableResult readCellTable(const std::string& text, LadderGrid& grid) {
    CellTableResult result;
    grid.clearAll();
    grid.m_nLastRow = grid.m_nDrawnLastRow = grid.m_nListLastRow = -1;
    grid.m_nCursorRow = grid.m_nCursorCol = -1;
    auto fail = [&](int line, std::string problem) {
        result.ok = false;
        result.errors.push_back({line, std::move(problem)});
        return result;
    };
    size_t at = 0;
    int lineNo = 0;
    int lastRow = -1;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + at, end - at);
        at = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line[0] == '#') continue;
        if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
        size_t pos = 0;
        long row, col, kind, links;
        if (!parseNumber(nextField(line, pos), false, row) || row >= kGridRows)
            return fail(lineNo, "row must be 0 to 3999");
        if (!parseNumber(nextField(line, pos), false, col) || col >= kGridCols)
            return fail(lineNo, "column must be 0 to 10");
        if (!parseNumber(nextField(line, pos), false, kind) || kind > kLastCellKind)
            return fail(lineNo, "kind must be 0 to 14");
        if (!parseNumber(nextField(line, pos), true, links) || links > kAllDefinedLinks)
            return fail(lineNo, "links must be 0 to 0xFF");
        const std::string cellText(pos <= line.size() ? line.substr(pos) : std::string_view{});
        const int r = static_cast<int>(row);
        const int c = static_cast<int>(col);
        grid.setCell(r, c, static_cast<int32_t>(kind), cellText, static_cast<CellLinks>(links));
        ++result.cells;
        if (!isEndMarker(grid, r, c) && r > lastRow) lastRow = r;
    }
    grid.m_nLastRow = lastRow;
    return result;
}

std::string writeCellTable(const LadderGrid& grid) {
    std::string out;
    int last = kGridRows - 1;
    auto rowBlank = [&](int r) {
        for (int c = 0; c < kGridCols; ++c)
            if (!isBlank(grid, r, c)) return false;
        return true;
    };
    while (last >= 0 && rowBlank(last)) --last;
    char head[64];
    for (int r = 0; r <= last; ++r) {
        for (int c = 0; c < kGridCols; ++c) {
            if (isBlank(grid, r, c)) continue;
            std::snprintf(head, sizeof head, "%d %d %d 0x%03X ", r, c,
                          static_cast<int>(grid.kind(r, c)),
                          static_cast<unsigned>(grid.links(r, c)));
            out += head;
            out += grid.text(r, c);
            out += '\n';
        }
    }
    return out;
}

}  // namespace rs
