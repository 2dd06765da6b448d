#include "sim/ladder_flow.h"

#include "core/evaluate/power_flow.h"
#include "core/instructions/instruction.h"

namespace rs::sim {

namespace {

constexpr uint8_t kLeft = 1, kRight = 2, kClosed = 4, kEnergized = 8;

bool isFlowText(const std::string& t) {
    return instr::inSet(t, instr::RungEnd);
}

}  // namespace

void LadderFlow::prepare(const LadderGrid& grid) {
    m_rows = std::max(std::min(grid.m_nDrawnLastRow + 1, kGridRows), 0);
    m_cells.assign(static_cast<size_t>(m_rows) * 9, Prepared{});
    m_state.assign(static_cast<size_t>(m_rows) * kGridCols, 0);
    for (int r = 0; r < m_rows; ++r) {
        for (int c = 1; c <= 9; ++c) {
            Prepared& p = m_cells[static_cast<size_t>(r) * 9 + static_cast<size_t>(c - 1)];
            const int32_t kind = serialTwin(grid.kind(r, c));
            if (!grid.hasSymbol(r, c)) {
                p.how = grid.hasWire(r, c) ? Conduct::Always : Conduct::Never;
                continue;
            }
            if (!isSerialContactKind(kind)) continue;
            std::string problem;
            const auto op = parseOperand(grid.text(r, c), false, problem);
            if (!op || op->kind != Operand::Kind::Bit) continue;
            p.bit = op->address;
            p.how = kind == OpenContact    ? Conduct::Open
                    : kind == CloseContact ? Conduct::Closed
                    : kind == RisingPulse  ? Conduct::Rise
                                           : Conduct::Fall;
        }
    }
}

bool LadderFlow::conducts(const Prepared& p, const Engine& engine) const {
    switch (p.how) {
        case Conduct::Never:
            return false;
        case Conduct::Always:
            return true;
        case Conduct::Open:
            return engine.memory().bit(p.bit);
        case Conduct::Closed:
            return !engine.memory().bit(p.bit);
        case Conduct::Rise:
            return engine.bitNow(p.bit) && !engine.bitBefore(p.bit);
        case Conduct::Fall:
            return !engine.bitNow(p.bit) && engine.bitBefore(p.bit);
    }
    return false;
}

void LadderFlow::update(const LadderGrid& grid, const Engine& engine) {
    std::fill(m_state.begin(), m_state.end(), 0);
    auto state = [&](int r, int c) -> uint8_t& {
        return m_state[static_cast<size_t>(r) * kGridCols + static_cast<size_t>(c)];
    };
    const eval::FlowMap map = eval::flowMap(grid, [&](int r, int c) {
        if (r >= m_rows) return false;
        const bool on =
            conducts(m_cells[static_cast<size_t>(r) * 9 + static_cast<size_t>(c - 1)], engine);
        if (on && grid.hasSymbol(r, c)) state(r, c) |= kClosed;
        return on;
    });
    for (int r = 0; r < std::min(m_rows, map.rows()); ++r) {
        for (int c = 1; c <= 9; ++c) {
            if (map.powered(r, c)) state(r, c) |= kLeft;
            if (map.powered(r, c + 1)) state(r, c) |= kRight;
        }
        const int32_t kind = grid.kind(r, kOutputCol);
        if (!map.powered(r, kOutputCol)) continue;
        state(r, kOutputCol) |= kLeft;
        if ((kind == Coil || kind == AppInstruction) && !isFlowText(grid.text(r, kOutputCol)))
            state(r, kOutputCol) |= kEnergized | kRight;
    }
}

CellFlow LadderFlow::cell(int row, int col) const {
    if (row < 0 || row >= m_rows || col < 0 || col >= kGridCols) return {};
    const uint8_t s = m_state[static_cast<size_t>(row) * kGridCols + static_cast<size_t>(col)];
    return {(s & kLeft) != 0, (s & kRight) != 0, (s & kClosed) != 0, (s & kEnergized) != 0};
}

}  // namespace rs::sim
