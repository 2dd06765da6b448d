#include "core/evaluate/power_flow.h"

#include <algorithm>
#include <array>
#include <deque>

#include "core/evaluate/bdd.h"
#include "core/evaluate/direction.h"
#include "core/instructions/instruction.h"

namespace rs::eval {

namespace {

constexpr uint64_t kAll = ~uint64_t{0};

// Which scans let a cell of columns 1 to 9 pass current from its left edge to
// its right edge.
template <typename Lane>
Lane conducts(const LadderGrid& g, int r, int c, CellPath path, const LaneReader<Lane>& devices) {
    if (path == CellPath::BothWays || path == CellPath::LeftToRight) return ~Lane{};
    if (path != CellPath::Contact) return Lane{};
    const int32_t kind = serialTwin(g.kind(r, c));
    if (kind == OpenContact || kind == RisingPulse) return devices(g.text(r, c));
    return ~devices(g.text(r, c));
}

// Whether a lane's values can no longer be trusted: a decision-diagram space
// past its bounds answers false to every operation, which would undo power
// already spread and keep the spread below from ever settling.
bool exhausted(uint64_t) {
    return false;
}
bool exhausted(const Bdd& b) {
    return b.space != nullptr && b.space->full();
}

bool isFlowText(const std::string& t) {
    return instr::inSet(t, instr::RungEnd);
}

}  // namespace

template <typename Lane>
std::vector<LaneOutput<Lane>> runGridLanes(const LadderGrid& grid, int first, int last,
                                           const LaneReader<Lane>& devices) {
    first = std::max(first, 0);
    last = std::min(last, kGridRows - 1);
    std::vector<LaneOutput<Lane>> out;
    if (last < first) return out;
    const int rows = last - first + 1;
    // Per row: the conducting scans of columns 1 to 9 and the powered scans of
    // the left edges 1 to 10 (edge 1 is the left rail).
    std::vector<std::array<Lane, 10>> cond(static_cast<size_t>(rows));
    std::vector<uint16_t> back(static_cast<size_t>(rows), 0);  // bit c: conducts both ways
    std::vector<std::array<Lane, 11>> power(static_cast<size_t>(rows));
    std::vector<uint16_t> downs(static_cast<size_t>(rows), 0);  // bit c: LinkDown at column c
    for (int i = 0; i < rows; ++i) {
        const int r = first + i;
        for (int c = 1; c <= 9; ++c) {
            const CellPath path = cellPath(grid, r, c);
            cond[i][c] = conducts<Lane>(grid, r, c, path, devices);
            if (path == CellPath::BothWays) back[i] |= static_cast<uint16_t>(1u << c);
        }
        power[i].fill(Lane{});
        power[i][1] = ~Lane{};
        if (i + 1 < rows)
            for (int c = 2; c <= kOutputCol; ++c)
                if (grid.has(r, c, LinkDown)) downs[i] |= static_cast<uint16_t>(1u << c);
    }
    // Power spreads along rows to the right through every conducting cell,
    // to the left through plain wires only, and over vertical wires both
    // ways, until nothing changes. A row is spread again only when a vertical
    // wire brought it more power, so a long chain of rows costs each row
    // once per change.
    std::deque<int> todo;
    std::vector<uint8_t> queued(static_cast<size_t>(rows), 1);
    for (int i = 0; i < rows; ++i) todo.push_back(i);
    auto merge = [&](int i, int c) {  // the vertical wire at column c between rows i and i + 1
        Lane& p = power[static_cast<size_t>(i)][static_cast<size_t>(c)];
        Lane& q = power[static_cast<size_t>(i + 1)][static_cast<size_t>(c)];
        if (p == q) return;
        const Lane both = p | q;
        for (const int k : {i, i + 1}) {
            Lane& v = k == i ? p : q;
            if (v == both) continue;
            v = both;
            if (!queued[static_cast<size_t>(k)]) {
                queued[static_cast<size_t>(k)] = 1;
                todo.push_back(k);
            }
        }
    };
    while (!todo.empty()) {
        const int i = todo.front();
        todo.pop_front();
        queued[static_cast<size_t>(i)] = 0;
        auto& p = power[static_cast<size_t>(i)];
        for (int c = 1; c <= 9; ++c) p[c + 1] = p[c + 1] | (p[c] & cond[i][c]);
        for (int c = 9; c >= 1; --c)
            if (back[i] & (1u << c)) p[c] = p[c] | p[c + 1];
        if (std::any_of(p.begin(), p.end(), [](const Lane& v) { return exhausted(v); })) break;
        for (int c = 2; c <= kOutputCol; ++c) {
            if (downs[i] & (1u << c)) merge(i, c);
            if (i > 0 && (downs[i - 1] & (1u << c))) merge(i - 1, c);
        }
    }
    for (int i = 0; i < rows; ++i) {
        const int r = first + i;
        const int32_t kind = grid.kind(r, kOutputCol);
        const std::string& text = grid.text(r, kOutputCol);
        if ((kind != Coil && kind != AppInstruction) || isFlowText(text)) continue;
        out.push_back({text, power[i][kOutputCol], r});
    }
    return out;
}

template std::vector<LaneOutput<uint64_t>> runGridLanes(const LadderGrid&, int, int,
                                                        const LaneReader<uint64_t>&);
template std::vector<LaneOutput<Bdd>> runGridLanes(const LadderGrid&, int, int,
                                                   const LaneReader<Bdd>&);

std::vector<WideOutput> runGridWide(const LadderGrid& grid, int first, int last,
                                    const WideReader& devices) {
    return runGridLanes<uint64_t>(grid, first, last, devices);
}

FlowMap flowMap(const LadderGrid& grid, const std::function<bool(int row, int col)>& conducts) {
    const int rows = std::max(std::min(grid.m_nDrawnLastRow + 1, kGridRows), 0);
    FlowMap map(rows);
    if (rows == 0) return map;
    // Per cell of columns 1 to 9: passes to the right now, and back as well.
    std::vector<uint8_t> right(static_cast<size_t>(rows) * 10, 0), left(right.size(), 0);
    auto at = [](int r, int e) { return static_cast<size_t>(r) * 10 + static_cast<size_t>(e - 1); };
    for (int r = 0; r < rows; ++r)
        for (int c = 1; c <= 9; ++c) {
            if (!conducts(r, c)) continue;
            right[at(r, c)] = 1;
            left[at(r, c)] = cellPath(grid, r, c) == CellPath::BothWays ? 1 : 0;
        }
    // Every row's edge 1 is the left rail; power spreads from there.
    std::vector<std::pair<int, int>> todo;
    todo.reserve(static_cast<size_t>(rows) * 2);
    auto reach = [&](int r, int e) {
        if (r < 0 || r >= rows || e < 1 || e > 10 || map.powered(r, e)) return;
        map.setPowered(r, e);
        todo.emplace_back(r, e);
    };
    for (int r = 0; r < rows; ++r) reach(r, 1);
    while (!todo.empty()) {
        const auto [r, e] = todo.back();
        todo.pop_back();
        if (e <= 9 && right[at(r, e)]) reach(r, e + 1);
        if (e >= 2 && left[at(r, e - 1)]) reach(r, e - 1);
        if (e >= 2 && grid.has(r, e, LinkDown)) reach(r + 1, e);
        if (e >= 2 && r > 0 && grid.has(r - 1, e, LinkDown)) reach(r - 1, e);
    }
    return map;
}

std::vector<Output> runGrid(const LadderGrid& grid, const DeviceReader& devices) {
    const std::vector<WideOutput> wide =
        runGridWide(grid, 0, std::min(grid.m_nDrawnLastRow, kGridRows - 1),
                    [&devices](const std::string& d) { return devices(d) ? kAll : 0; });
    std::vector<Output> out;
    out.reserve(wide.size());
    for (const WideOutput& o : wide) out.push_back({o.name, (o.on & 1u) != 0});
    return out;
}

}  // namespace rs::eval
