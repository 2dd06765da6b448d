#include "tests/ladder/list_fixture.h"

#include "core/instruction_set.h"
#include "core/line_check.h"

namespace rs::test {

void fillList(InstructionTable& table, const std::vector<std::string>& lines) {
    table.clear(0);
    int r = 0;
    for (const std::string& line : lines) {
        if (r >= kListRows) break;
        const ParsedLine p = parseLine(line);
        const RowClass rc = classifyRow(p.mnemonic, true);
        table.setRow(r++, p.mnemonic, p.operand, rc.functionNumber, rc.stepCount);
    }
}

void loadList(Session& s, const std::vector<std::string>& lines) {
    store::clearForConvert(s.table(), s.view.records);
    int r = 0;
    for (const std::string& line : lines) {
        const ParsedLine p = parseLine(line);
        const RowClass rc = classifyRow(p.mnemonic, s.mode2());
        store::emitRow(s.table(), s.view.records, r++, p.mnemonic, p.operand, rc.functionNumber,
                       rc.stepCount);
    }
}

std::vector<std::string> listLines(const InstructionTable& table) {
    std::vector<std::string> out;
    for (int r = 0; r < kListRows && table.rowUsed(r); ++r) {
        const std::string& m = table.m_Instruction[r];
        const std::string& o = table.m_Parameter[r];
        if (m.empty())
            out.push_back(o + ":");
        else
            out.push_back(o.empty() ? m : m + " " + o);
        if (m == "END") break;
    }
    return out;
}

namespace {

std::string token(const LadderGrid& g, int r, int c) {
    const std::string& t = g.text(r, c);
    switch (g.kind(r, c)) {
        case OpenContact:
            return t;
        case CloseContact:
            return "/" + t;
        case RisingPulse:
            return "P:" + t;
        case FallingPulse:
            return "F:" + t;
        case Coil:
            return "(" + t + ")";
        case AppInstruction:
            return "[" + t + "]";
        case HorizontalLine:
            return "-";
        case Empty:
            if ((g.links(r, c) & kBoxCoverLinks) == kBoxCoverLinks) return "=";
            return g.hasWire(r, c) ? "-" : ".";
        default:
            return "?" + std::to_string(g.kind(r, c));
    }
}

}  // namespace

std::vector<std::string> compactRows(const LadderGrid& grid, int lastRow) {
    std::vector<std::string> rows;
    for (int r = 0; r <= lastRow; ++r) {
        std::string line;
        if (!grid.text(r, 0).empty()) line = grid.text(r, 0) + ": ";
        for (int c = 1; c < kGridCols; ++c) {
            if (c > 1) line += ' ';
            if (grid.has(r, c, LinkDown)) line += '|';
            line += token(grid, r, c);
        }
        rows.push_back(line);
    }
    return rows;
}

}  // namespace rs::test
